#pragma once

#include <QStringView>

namespace mirute {

// The value of the longest leading decimal number of a text ("0.42/秒" gives 0.42, "60秒" gives 60,
// "abc" gives 0). Leading blanks and a sign are allowed; a number may start with its decimal point.
double leadingNumber(QStringView text);

} // namespace mirute
