#pragma once

#include "views/log_panel.h"

namespace mirute {

// fraMain: the day at a glance for the date picked on the month calendar.
class DayPanel : public LogPanel {
    Q_OBJECT
public:
    explicit DayPanel(MainState &state, QWidget *parent = nullptr);
    void INIT_DAY_GRIDS();
    // Rebuilds the whole panel for the selected date and keeps the first and last play dates.
    void SHOW_DAYLIST();
    // Moves the calendar's selection (the game launcher goes back to today).
    void setSelectedDate(const QDate &date);

signals:
    void dateClicked();   // mtvmain_DateClick: the main window moves the focus to "メイン"
};

} // namespace mirute
