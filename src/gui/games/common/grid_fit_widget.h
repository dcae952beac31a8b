#pragma once

namespace mirute {

class GridWidget;

// The height that shows `rows` data rows under the header, and the width that shows every column, of a
// grid without scrolling.
int gridHeightForRows(const GridWidget *grid, int rows);
int gridWidthForColumns(const GridWidget *grid);

} // namespace mirute
