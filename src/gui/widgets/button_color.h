#pragma once

#include "core/tables/grid.h"

class QWidget;

namespace mirute {

// View buttons show which view is current by their background: a highlight colour, or the window
// system's button face (kButtonFace). The colour is also kept as the "buttonColor" property and offered
// to screen readers as "表示中".
void setButtonColor(QWidget *button, const Rgb &color);
Rgb buttonColor(const QWidget *button);

} // namespace mirute
