#include "core/base/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace mirute {
namespace {

QString shortestFixed(double value) {
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof(buf), value, std::chars_format::fixed);
    if (res.ec != std::errc())
        return QStringLiteral("0");
    return QString::fromLatin1(buf, int(res.ptr - buf));
}

// Rounds a plain decimal string (optional '-', digits, optional '.digits') to `decimals` places,
// half away from zero, and pads with zeros.
QString roundDecimalString(const QString &s, int decimals) {
    const bool negative = s.startsWith(u'-');
    QString body = negative ? s.mid(1) : s;
    qsizetype point = body.indexOf(u'.');
    QString intPart = point < 0 ? body : body.left(point);
    QString frac = point < 0 ? QString() : body.mid(point + 1);
    if (intPart.isEmpty())
        intPart = QStringLiteral("0");
    if (frac.size() <= decimals) {
        frac += QString(decimals - frac.size(), u'0');
    } else {
        const bool roundUp = frac.at(decimals) >= u'5';
        QString digits = intPart + frac.left(decimals);
        if (roundUp) {
            qsizetype i = digits.size() - 1;
            while (i >= 0) {
                if (digits[i] == u'9') {
                    digits[i] = u'0';
                    --i;
                } else {
                    digits[i] = QChar(digits[i].unicode() + 1);
                    break;
                }
            }
            if (i < 0)
                digits.prepend(u'1');
        }
        intPart = digits.left(digits.size() - decimals);
        frac = digits.right(decimals);
    }
    QString result = intPart;
    if (decimals > 0)
        result += u'.' + frac;
    bool allZero = true;
    for (QChar c : result)
        if (c != u'0' && c != u'.')
            allZero = false;
    if (negative && !allZero)
        result.prepend(u'-');
    return result;
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
    return roundDecimalString(shortestFixed(value), decimals);
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

double leadingNumber(QStringView text) {
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
    while (end > 0) {
        if (auto v = parseNumber(text.left(end)))
            return *v;
        --end;
    }
    return 0;
}

} // namespace mirute
