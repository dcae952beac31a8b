#pragma once

#include "core/games/common/history_file.h"

#include <QList>

namespace mirute {

// A play's score: its per-second figure (history field 8) times its rate of correct answers (field 7), so
// that fast wrong answers earn nothing. Taken from the two texts as saved, in units of 0.01/秒 × 0.1%, so
// that plays whose saved figures are equal score exactly equal.
qint64 playScore(const HistoryRecord &r);

// The history file keeps no mode; the seconds (field 9) tell how a play ended. A whole number that is one
// of the time limits ("10秒" … "180秒") is a time-limit play that ran its time; a number with two decimals
// ("9.10秒") a play ended early (座標's Esc or "解答"); any other number an answer-count play ("23.4秒",
// "3秒", and "20.0秒" for one that took a whole time limit's seconds). Anything else is not known.
enum class PlayKind { TimeLimit, AnswerCount, EndedEarly, Unknown };
PlayKind playKind(const HistoryRecord &r);

// Field 9 of a finished play, without its "秒", written so that playKind() reads the play's kind back.
QString historySeconds(PlayKind kind, double seconds);

// The mode and limit a play was played with, by which plays are compared: a time-limit play by its seconds
// (field 9), an answer-count play by its answer count (field 3, the game's own unit). A play ended early, or
// one whose fields cannot be read, is comparable with none.
struct PlayLimit {
    PlayKind kind = PlayKind::Unknown;
    qint64 limit = 0;
    bool comparable() const { return kind == PlayKind::TimeLimit || kind == PlayKind::AnswerCount; }
    friend bool operator==(const PlayLimit &, const PlayLimit &) = default;
};
PlayLimit playLimit(const HistoryRecord &r);

// Whether a finished play beats every earlier play of its game of the same kind and limit: a time-limit play
// those of the same seconds (field 9), an answer-count play those of the same answer count (field 3, the
// game's own unit). Strictly higher than all of them; the first play of a kind and limit is no best, and a
// play ended early is compared with nothing.
bool isPersonalBest(const QList<HistoryRecord> &earlier, const HistoryRecord &play);

// How a figure of a finished play compares with the same figure of the play before it.
enum class Change { None, Better, Same, Worse };
// The change as the scoreboard shows it beside the figure: "+0.12", "−3.0%" (a minus sign), "±0.00", with the
// figure's own decimals; empty with Change::None.
struct FigureChange {
    QString text;
    Change change = Change::None;
    friend bool operator==(const FigureChange &, const FigureChange &) = default;
};
// A finished play against the last earlier play of the same mode and limit: its rate (field 7), its
// per-second figure (field 8) and, when compareReaction, its best reaction (field 6, seconds: lower is
// better; a play without a right answer has none). Figures are compared as saved, so that the changes add
// up to what the history list shows. Nothing changes (Change::None) when there is no such earlier play.
struct PlayChanges {
    FigureChange rate, perSecond, reaction;
};
PlayChanges changesSinceLastPlay(const QList<HistoryRecord> &earlier, const HistoryRecord &play, bool compareReaction);

} // namespace mirute
