#pragma once

#include "core/base/day_time.h"
#include "core/log/play_log.h"
#include "core/tables/grid.h"

#include <QDate>
#include <QList>
#include <QString>

#include <array>

namespace mirute {

inline constexpr int kLampCount = 7;
// Lamps 1 to 7 of the main panel; lamp N also colours the day's label when N kinds were played.
inline constexpr std::array<Rgb, kLampCount> kLampColors = {Rgb{255, 192, 192}, Rgb{255, 224, 192}, Rgb{255, 255, 192},
                                                            Rgb{192, 255, 192}, Rgb{192, 255, 255}, Rgb{192, 192, 255},
                                                            Rgb{255, 192, 255}};
inline constexpr Rgb kLampOff = kWhite;

// Which face picture rates the day.
enum class DayFace { Sulky, Smiling, Laughing, None }; // the four faces, in the order of their pictures

// The rating of a day by the number of different games played.
struct DayRating {
    int kinds = 0;
    DayFace face = DayFace::None;
    std::array<Rgb, kLampCount> lamps{kLampOff, kLampOff, kLampOff, kLampOff, kLampOff, kLampOff, kLampOff};
    QString caption = QStringLiteral("今日の脳も健康元気"); // the rating line under the faces
    Rgb captionBack = kWhite;
};
DayRating rateDay(int kinds);

// One play of the selected day, as the day list shows it.
struct DayPlay {
    QString time;
    QString game;
    float seconds = 0;
};

// Plays and seconds of one game on the selected day.
struct DayGameTotal {
    QString name;
    int count = 0;
    qint64 seconds = 0; // whole seconds, each addition rounded half to even
};

// Everything the main panel shows for one day, computed in one pass over the log.
struct DaySummary {
    bool emptyLog = true;
    // The earliest and the latest date of the log, empty for an empty log: the first and the last line's
    // dates when the log is in date order, and still the ends of the log when a record is out of order.
    QString firstPlayDate;
    QString lastPlayDate;
    QList<DayPlay> plays;      // the selected day's plays in file order
    QList<DayGameTotal> games; // the seven games in GameNo order
    float largest = 0;         // top of the value axis, kept by all three views
    qint64 dayTotal = 0;
    HourSeconds hourSeconds{};
    DayRating rating;

    QString dayTotalText() const; // the day's playing time, h:mm:ss
    int gamesPlayed() const;      // N, the rows of the day totals
};

DaySummary computeDay(const PlayLogData &log, const QDate &date);

} // namespace mirute
