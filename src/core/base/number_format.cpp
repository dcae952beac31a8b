#include "core/base/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>

namespace mirute {
namespace {

QString shortestFixed(double value) {
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof(buf), value, std::chars_format::fixed);
    if (res.ec != std::errc())
        return QStringLiteral("0");
    return QString::fromLatin1(buf, int(res.ptr - buf));
}

// Rounds a plain decimal (optional '-', digits, optional '.digits') to `decimals` places, half away from
// zero, and pads with zeros. Worked on as bytes: the day lists write an average for each of thousands of days.
QString roundDecimalText(std::string_view text, int decimals) {
    const size_t places = size_t(std::max(decimals, 0));
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    std::string digits(whole.empty() ? std::string_view("0") : whole);
    digits.append(fraction.substr(0, places));
    digits.append(places - std::min(places, fraction.size()), '0');
    if (fraction.size() > places && fraction[places] >= '5') {
        size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i - 1];
    }
    std::string result = negative && digits.find_first_not_of('0') != std::string::npos ? "-" : "";
    result.append(digits, 0, digits.size() - places);
    if (places > 0)
        result.append(1, '.').append(digits, digits.size() - places, places);
    return QString::fromLatin1(result.data(), qsizetype(result.size()));
}

// The shortest decimal of 0 < value < 10,000 with at most two places, as "%.7g" writes it without its
// trailing zeros; "" when the value is not the float nearest to such a decimal. Below 10,000 a float is
// within 0.0005 of its decimal, so the seven digits written are that decimal's, and the play seconds of
// the log (two places at most) need no formatting call.
QString shortSingle(float value) {
    if (!(value > 0 && value < 10000))
        return {};
    const long hundredths = std::lround(double(value) * 100.0);
    if (float(double(hundredths) / 100.0) != value)
        return {};
    char text[16];
    auto end = std::to_chars(text, text + sizeof(text), hundredths / 100).ptr;
    if (const long cents = hundredths % 100; cents != 0) {
        *end++ = '.';
        *end++ = char('0' + cents / 10);
        if (cents % 10 != 0)
            *end++ = char('0' + cents % 10);
    }
    return QString::fromLatin1(text, qsizetype(end - text));
}

} // namespace

QString formatNumber(double value) {
    if (!std::isfinite(value))
        return QStringLiteral("0");
    if (value == 0)
        return QStringLiteral("0");
    return shortestFixed(value);
}

QString formatSingle(float value) {
    if (!std::isfinite(value) || value == 0)
        return QStringLiteral("0");
    if (QString shortText = shortSingle(value); !shortText.isEmpty())
        return shortText;
    char buf[64];
    std::snprintf(buf, sizeof(buf), "%.7g", double(value));
    QString s = QString::fromLatin1(buf);
    if (s.contains(u'e')) {
        // Written out in full: the files hold plain decimals only.
        const double v = std::strtod(buf, nullptr);
        return formatNumber(v);
    }
    if (s.contains(u'.')) {
        while (s.endsWith(u'0'))
            s.chop(1);
        if (s.endsWith(u'.'))
            s.chop(1);
    }
    return s;
}

QString formatFixed(double value, int decimals) {
    if (!std::isfinite(value))
        value = 0;
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof(buf), value, std::chars_format::fixed);
    return roundDecimalText(res.ec == std::errc() ? std::string_view(buf, size_t(res.ptr - buf)) : "0", decimals);
}

QString formatPercent(double ratio) {
    return formatFixed(ratio * 100.0, 1) + u'%';
}

QString formatPerSecond(double rate) {
    return formatFixed(rate, 2) + QStringLiteral("/秒");
}

std::optional<qint64> parseInteger(QStringView text) {
    text = text.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    bool negative = false;
    if (text[0] == u'+' || text[0] == u'-') {
        negative = text[0] == u'-';
        ++i;
    }
    if (i >= text.size())
        return std::nullopt;
    qint64 v = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c < u'0' || c > u'9')
            return std::nullopt;
        if (v > (Q_INT64_C(1) << 53))
            return std::nullopt;
        v = v * 10 + (c.unicode() - u'0');
    }
    return negative ? -v : v;
}

namespace {} // namespace

namespace {

// The number in trimmed text of 16-bit or 8-bit characters.
template <class Char> std::optional<double> parseTrimmed(const Char *text, qsizetype size) {
    if (double v; parsePlainDecimal(text, size, &v))
        return v;
    if (size == 0 || size > 64)
        return std::nullopt;
    char buf[80];
    qsizetype n = 0;
    qsizetype i = 0;
    if (text[0] == '+' || text[0] == '-') {
        if (text[0] == '-')
            buf[n++] = '-';
        ++i;
    }
    bool digits = false;
    bool point = false;
    bool exponent = false;
    for (; i < size; ++i) {
        const auto c = text[i];
        if (c >= '0' && c <= '9') {
            digits = true;
            buf[n++] = char(c);
        } else if (c == '.' && !point && !exponent) {
            point = true;
            buf[n++] = '.';
        } else if ((c == 'e' || c == 'E') && digits && !exponent) {
            exponent = true;
            buf[n++] = 'e';
            if (i + 1 < size && (text[i + 1] == '+' || text[i + 1] == '-'))
                buf[n++] = char(text[++i]);
            if (i + 1 >= size)
                return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    double v = 0;
    auto res = std::from_chars(buf, buf + n, v);
    if (res.ec != std::errc() || res.ptr != buf + n || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace

std::optional<double> parseNumber(QStringView text) {
    text = text.trimmed();
    return parseTrimmed(text.utf16(), text.size());
}

std::optional<double> parseAsciiNumber(QByteArrayView text) {
    const QByteArrayView trimmed = text.trimmed();
    return parseTrimmed(reinterpret_cast<const uchar *>(trimmed.data()), trimmed.size());
}

QStringView leadingNumberText(QStringView text) {
    text = text.trimmed();
    qsizetype end = 0;
    if (end < text.size() && (text[end] == u'-' || text[end] == u'+'))
        ++end;
    bool point = false;
    while (end < text.size()) {
        const QChar c = text[end];
        if (c.isDigit() && c.unicode() < 128) {
            ++end;
        } else if (c == u'.' && !point) {
            point = true;
            ++end;
        } else {
            break;
        }
    }
    return text.left(end);
}

double leadingNumber(QStringView text) {
    text = leadingNumberText(text);
    for (qsizetype end = text.size(); end > 0; --end)
        if (auto v = parseNumber(text.left(end)))
            return *v;
    return 0;
}

} // namespace mirute
