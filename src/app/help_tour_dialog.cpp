#include "app/help_tour_dialog.h"

#include "app/app_state.h"
#include "ui/message_dialog.h"

namespace mirute {

void SHOW_HELP_TOUR(QWidget *parent) {
    if (appState().helpTourFlag != 0)
        MessageDialog::information(parent, QStringLiteral("ヘルプツアー"), appState().helpTourText);
}

void showHelpTour(QWidget *parent, const QString &text) {
    appState().helpTourText = text;
    SHOW_HELP_TOUR(parent);
}

} // namespace mirute
