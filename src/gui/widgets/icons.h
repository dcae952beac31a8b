#pragma once

#include <QIcon>

namespace mirute {

// The 16 × 16 picture of the help-tour check box, drawn rather than loaded so that it scales.
QIcon helpTourIcon();

} // namespace mirute
