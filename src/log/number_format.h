#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace mirute {

// Shortest plain decimal form that reads back as the same double: 60, 23.4, 0.85, 180.28, never an exponent.
QString formatNumber(double value);
// A single-precision value with at most 7 significant digits: 1/3 → 0.3333333, 180.28f → 180.28.
QString formatSingle(float value);
// value rounded to `decimals` places as a person rounds its shortest decimal form: half away from zero
// (1.25 → "1.3", 2.35 → "2.4", 0.125 → "0.13" with 2). decimals 0 gives a whole number.
QString formatFixed(double value, int decimals);
// "0.0%" of a ratio (0.8 → "80.0%"), "0.00/秒" of a rate.
QString formatPercent(double ratio);
QString formatPerSecond(double rate);

// A whole number field: optional sign and digits, surrounding blanks allowed.
std::optional<qint64> parseInteger(QStringView text);
// A decimal number field: optional sign, digits with an optional point (".85" and "5." too), optional exponent.
std::optional<double> parseNumber(QStringView text);
// The longest leading decimal number of a text ("0.42/秒" → 0.42, "60秒" → 60), 0 when there is none.
double leadingNumber(QStringView text);

// The value stored as single precision then widened, as the log's readers see field 4.
inline double asSingle(double v) { return double(float(v)); }

} // namespace mirute
