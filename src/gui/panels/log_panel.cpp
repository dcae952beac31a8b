#include "gui/panels/log_panel.h"

#include "gui/widgets/message_dialog.h"

namespace mirute {

LogPanel::LogPanel(MainState &state, const QString &objectName, QWidget *parent) : QFrame(parent), m_state(state) {
    setObjectName(objectName);
    setFrameShape(QFrame::NoFrame);
}

PlayLogData LogPanel::readLogAndWarn(LogWarning when) {
    PlayLogData log = readPlayLog(mainState().dataDir);
    const QString warning = readWarning(log);
    const bool toldAlready = when == LogWarning::WhenNew && warning == m_lastLogWarning;
    m_lastLogWarning = warning;
    if (!warning.isEmpty() && !toldAlready)
        MessageDialog::warning(this, QStringLiteral("ミルテ５"), warning);
    return log;
}

} // namespace mirute
