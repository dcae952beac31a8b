#include "gui/panels/log_panel.h"

namespace mirute {

LogPanel::LogPanel(MainState &state, const QString &objectName, QWidget *parent) : QFrame(parent), m_state(state) {
    setObjectName(objectName);
    setFrameShape(QFrame::NoFrame);
}

} // namespace mirute
