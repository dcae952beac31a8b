#pragma once

#include <QString>

class QWidget;

namespace mirute {

// showCurrentHelpTour: the current explanation in an information box titled "ヘルプツアー", when the tour is on.
void showCurrentHelpTour(QWidget *parent);
// Replaces the explanation text, then shows it.
void showHelpTour(QWidget *parent, const QString &text);

} // namespace mirute
