#include "views/day_panel.h"

#include "log/play_log.h"

#include <QLabel>
#include <QVBoxLayout>

namespace mirute {

DayPanel::DayPanel(MainState &state, QWidget *parent) : LogPanel(state, QStringLiteral("fraMain"), parent) {
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("メイン"), this));
}

void DayPanel::INIT_DAY_GRIDS() {}

void DayPanel::SHOW_DAYLIST() {
    const PlayLogData log = readPlayLog(mainState().dataDir);
    mainState().emptyLog = log.records.isEmpty();
    if (!log.records.isEmpty()) {
        mainState().firstPlayDate = log.records.first().date;
        mainState().lastPlayDate = log.records.last().date;
    }
}

void DayPanel::setSelectedDate(const QDate &date) { mainState().selectedDate = date; }

} // namespace mirute
