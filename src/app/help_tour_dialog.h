#pragma once

#include <QString>

class QWidget;

namespace mirute {

// SHOW_HELP_TOUR: the current explanation in an information box titled "ヘルプツアー", when the tour is on.
void SHOW_HELP_TOUR(QWidget *parent);
// Replaces the explanation text, then shows it.
void showHelpTour(QWidget *parent, const QString &text);

} // namespace mirute
