#pragma once

#include "core/log/play_log.h"
#include "core/tables/grid.h"

#include <QList>
#include <QString>

#include <array>

namespace mirute {

// One of the four sort buttons of the sort view: the column it sorts by, the grid's sort modes for its two
// directions, and its fixed colour.
struct SortButton {
    QString name;
    QString caption;
    int column;
    Grid::SortMode ascending;
    Grid::SortMode descending;
    Rgb color;
};

inline constexpr int kSortButtonCount = 4;

// The four sort buttons in order.
const std::array<SortButton, kSortButtonCount> &sortButtons();

// Per button: true when its next press sorts descending. Kept for the whole run of the program, so the
// direction survives reopening the view and the main window being rebuilt after a game.
std::array<bool, kSortButtonCount> &sortDirectionFlags();
void resetSortDirectionFlags();

// The list with its header row only.
void resetSortGrid(Grid &grid);
// Appends one row per record in file order: running number, date, time, game, seconds, diary.
void fillSortGrid(Grid &grid, const QList<PlayRecord> &records);
// One press of sort button `index` (0 … 3): sorts the data rows by its column in the direction its flag
// asks for and turns the flag over. Whole rows move; the grid keeps the order it is given.
void pressSortButton(Grid &grid, int index);

} // namespace mirute
