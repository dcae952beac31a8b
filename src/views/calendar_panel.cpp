#include "views/calendar_panel.h"

#include <QLabel>
#include <QVBoxLayout>

namespace mirute {

CalendarPanel::CalendarPanel(MainState &state, QWidget *parent) : LogPanel(state, QStringLiteral("fraCale"), parent) {
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("カレンダー"), this));
}

void CalendarPanel::fill() {}

QString CalendarPanel::helpTourText() const { return {}; }

} // namespace mirute
