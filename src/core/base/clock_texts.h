#pragma once

#include <QByteArrayView>
#include <QString>

namespace mirute {

// The time of a play, "HH:MM:SS", as a QString over text made once for every second of a day and kept for
// the program's life: reading the whole log then needs no decoding and no buffer for its 32,766 times,
// and copying or dropping one touches no reference count. A null QString when the bytes are not such a
// time ("9:05:00", "24:00:00"), which the log holds only on a damaged line.
inline QString sharedClockText(QByteArrayView bytes);

namespace detail {
// "HH:MM:SS" and a NUL for every second of the day, one after another.
inline constexpr int kClockTextStride = 9;
const char16_t *clockTable();
inline int twoDigits(const char *p) {
    if (p[0] < '0' || p[0] > '9' || p[1] < '0' || p[1] > '9')
        return -1;
    return (p[0] - '0') * 10 + (p[1] - '0');
}
} // namespace detail

// Inline, as the log reader asks for every record's time.
inline QString sharedClockText(QByteArrayView bytes) {
    if (bytes.size() != 8 || bytes[2] != ':' || bytes[5] != ':')
        return {};
    const char *p = bytes.data();
    const int h = detail::twoDigits(p);
    const int m = detail::twoDigits(p + 3);
    const int s = detail::twoDigits(p + 6);
    if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59)
        return {};
    const char16_t *text = detail::clockTable() + qsizetype((h * 60 + m) * 60 + s) * detail::kClockTextStride;
    return QString(QString::DataPointer::fromRawData(text, 8));
}

} // namespace mirute
