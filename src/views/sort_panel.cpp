#include "views/sort_panel.h"

#include <QLabel>
#include <QVBoxLayout>

namespace mirute {

SortPanel::SortPanel(MainState &state, QWidget *parent) : LogPanel(state, QStringLiteral("fraBunseki"), parent) {
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("並び替え"), this));
}

void SortPanel::fill() {}

QString SortPanel::helpTourText() const { return {}; }

} // namespace mirute
