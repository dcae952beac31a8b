#include "gui/games/common/grid_fit_widget.h"

#include "gui/widgets/grid_widget.h"

#include <QHeaderView>
#include <QScrollBar>

namespace mirute {

int gridHeightForRows(const GridWidget *grid, int rows) {
    return grid->horizontalHeader()->sizeHint().height() + rows * grid->verticalHeader()->defaultSectionSize() +
           2 * grid->frameWidth();
}

int gridWidthForColumns(const GridWidget *grid) {
    int width = 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        width += grid->columnWidth(c);
    return width;
}

} // namespace mirute
