#include "views/range_panel.h"

#include <QLabel>
#include <QVBoxLayout>

namespace mirute {

RangePanel::RangePanel(MainState &state, QWidget *parent) : LogPanel(state, QStringLiteral("fraTaijyu"), parent) {
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("範囲指定"), this));
}

void RangePanel::fill() {}

QString RangePanel::helpTourText() const { return {}; }

} // namespace mirute
