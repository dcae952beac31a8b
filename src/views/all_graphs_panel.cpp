#include "views/all_graphs_panel.h"

#include <QLabel>
#include <QVBoxLayout>

namespace mirute {

AllGraphsPanel::AllGraphsPanel(MainState &state, QWidget *parent) : LogPanel(state, QStringLiteral("fraRenTai"), parent) {
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("全グラフ"), this));
}

void AllGraphsPanel::fill() {}

QString AllGraphsPanel::helpTourText() const { return {}; }

} // namespace mirute
