#include "views/totals_panel.h"

#include <QLabel>
#include <QVBoxLayout>

namespace mirute {

TotalsPanel::TotalsPanel(MainState &state, QWidget *parent) : LogPanel(state, QStringLiteral("fraSyuukei"), parent) {
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("集計表示"), this));
}

void TotalsPanel::fill() {}

QString TotalsPanel::helpTourText() const { return {}; }

} // namespace mirute
