#pragma once

#include <QByteArrayView>
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

// A plain decimal of at most 15 digits ("120", "42.8", ".85", "-3"), the form of nearly every saved number,
// read without the general parser: its digits as an integer below 2^53 divided by an exact power of ten is
// the correctly rounded value, the same double parseNumber gives. False for anything else (an exponent, a
// plus sign, blanks, more digits), which only parseNumber reads. Inline for the log reader.
template <class Char> bool parsePlainDecimal(const Char *text, qsizetype n, double *out) {
    static constexpr double kPowers[] = {1,   1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    qsizetype i = 0;
    const bool negative = n > 0 && text[0] == '-';
    if (negative)
        ++i;
    qint64 mantissa = 0;
    int digits = 0;
    int fraction = -1;
    for (; i < n; ++i) {
        const auto c = text[i];
        if (c >= '0' && c <= '9') {
            if (++digits > 15)
                return false;
            mantissa = mantissa * 10 + (c - '0');
            if (fraction >= 0)
                ++fraction;
        } else if (c == '.' && fraction < 0) {
            fraction = 0;
        } else {
            return false;
        }
    }
    if (digits == 0)
        return false;
    const double v = fraction > 0 ? double(mantissa) / kPowers[fraction] : double(mantissa);
    *out = negative ? -v : v;
    return true;
}
// The same for ASCII bytes (a non-ASCII byte is not a number), for readers that work on a file's bytes.
std::optional<double> parseAsciiNumber(QByteArrayView text);
// The longest leading decimal number of a text ("0.42/秒" → 0.42, "60秒" → 60), 0 when there is none.
double leadingNumber(QStringView text);
// The characters that number is read from, as the text shows it ("0.40/秒" → "0.40").
QStringView leadingNumberText(QStringView text);

} // namespace mirute
