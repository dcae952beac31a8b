#include "log/clock_texts.h"

namespace mirute {

namespace {

constexpr int kSecondsPerDay = 24 * 60 * 60;
constexpr int kStride = 9;  // "HH:MM:SS" and a NUL

// Never freed: the QStrings handed out point into it and may live until the program ends.
const char16_t *clockTable() {
    static const char16_t *const table = [] {
        auto *t = new char16_t[size_t(kSecondsPerDay) * kStride];
        for (int s = 0; s < kSecondsPerDay; ++s) {
            char16_t *p = t + size_t(s) * kStride;
            const int parts[3] = {s / 3600, s / 60 % 60, s % 60};
            for (int k = 0; k < 3; ++k) {
                p[k * 3] = char16_t(u'0' + parts[k] / 10);
                p[k * 3 + 1] = char16_t(u'0' + parts[k] % 10);
                p[k * 3 + 2] = k < 2 ? u':' : u'\0';
            }
        }
        return t;
    }();
    return table;
}

int twoDigits(const char *p) {
    if (p[0] < '0' || p[0] > '9' || p[1] < '0' || p[1] > '9')
        return -1;
    return (p[0] - '0') * 10 + (p[1] - '0');
}

} // namespace

QString sharedClockText(QByteArrayView bytes) {
    if (bytes.size() != 8 || bytes[2] != ':' || bytes[5] != ':')
        return {};
    const char *p = bytes.data();
    const int h = twoDigits(p);
    const int m = twoDigits(p + 3);
    const int s = twoDigits(p + 6);
    if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59)
        return {};
    const char16_t *text = clockTable() + size_t((h * 60 + m) * 60 + s) * kStride;
    return QString::fromRawData(reinterpret_cast<const QChar *>(text), 8);
}

} // namespace mirute
