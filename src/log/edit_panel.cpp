#include "log/edit_panel.h"

#include <QLabel>
#include <QVBoxLayout>

namespace mirute {

EditPanel::EditPanel(MainState &state, QWidget *parent) : LogPanel(state, QStringLiteral("fraSettei"), parent) {
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("編集"), this));
}

void EditPanel::fill() {}

QString EditPanel::helpTourText() const { return {}; }

} // namespace mirute
