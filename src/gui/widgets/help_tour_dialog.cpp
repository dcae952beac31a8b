#include "gui/widgets/help_tour_dialog.h"

#include "core/log/app_state.h"
#include "gui/widgets/message_dialog.h"

namespace mirute {

void showCurrentHelpTour(QWidget *parent) {
    if (appState().helpTourFlag != 0)
        MessageDialog::information(parent, QStringLiteral("ヘルプツアー"), appState().helpTourText);
}

void showHelpTour(QWidget *parent, const QString &text) {
    appState().helpTourText = text;
    showCurrentHelpTour(parent);
}

} // namespace mirute
