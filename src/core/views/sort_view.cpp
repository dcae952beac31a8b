#include "core/views/sort_view.h"

#include "core/base/number_format.h"
#include "core/base/number_texts.h"

namespace mirute {

const std::array<SortButton, kSortButtonCount> &sortButtons() {
    static const std::array<SortButton, kSortButtonCount> buttons = {{
        {QStringLiteral("cmdSort1"), QStringLiteral("回 （日付）"), 0, Grid::NumericAscending, Grid::NumericDescending,
         Rgb{255, 192, 192}},
        {QStringLiteral("cmdSort2"), QStringLiteral("項目"), 3, Grid::TextAscending, Grid::TextDescending,
         Rgb{255, 224, 192}},
        {QStringLiteral("cmdSort3"), QStringLiteral("秒数"), 4, Grid::NumericAscending, Grid::NumericDescending,
         Rgb{255, 255, 192}},
        {QStringLiteral("cmdSort4"), QStringLiteral("一言日記"), 5, Grid::TextAscending, Grid::TextDescending,
         Rgb{192, 255, 192}},
    }};
    return buttons;
}

std::array<bool, kSortButtonCount> &sortDirectionFlags() {
    static std::array<bool, kSortButtonCount> flags{};
    return flags;
}

void resetSortDirectionFlags() {
    sortDirectionFlags().fill(false);
}

void resetSortGrid(Grid &grid) {
    setUpGrid(grid, 11,
              {{QStringLiteral("回"), 680, Grid::Right},
               {QStringLiteral("日付"), 1400, Grid::Center},
               {QStringLiteral("時間"), 1100, Grid::Center},
               {QStringLiteral("項目"), 2150, Grid::Left},
               {QStringLiteral("秒数"), 850, Grid::Right},
               {QStringLiteral("一言日記"), 4880, Grid::Left}});
}

void fillSortGrid(Grid &grid, const QList<PlayRecord> &records) {
    GridBatch batch(grid);
    const int first = grid.rows();
    grid.setRows(first + int(records.size()));
    SecondsTexts seconds;
    for (int i = 0; i < records.size(); ++i) {
        const PlayRecord &r = records[i];
        const int row = first + i;
        grid.setTextMatrix(row, 0, numberText(i + 1));
        grid.setTextMatrix(row, 1, r.date);
        grid.setTextMatrix(row, 2, r.time);
        grid.setTextMatrix(row, 3, r.game);
        grid.setTextMatrix(row, 4, seconds.text(r.seconds));
        grid.setTextMatrix(row, 5, r.diary);
    }
}

void pressSortButton(Grid &grid, int index) {
    if (index < 0 || index >= kSortButtonCount)
        return;
    const SortButton &b = sortButtons()[size_t(index)];
    bool &descending = sortDirectionFlags()[size_t(index)];
    grid.setCol(b.column);
    grid.sort(descending ? b.descending : b.ascending);
    descending = !descending;
}

} // namespace mirute
