#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>

namespace mirute {

// The time of a play, "HH:MM:SS", as a QString over text made once for every second of a day and kept for
// the program's life: reading the whole log then needs no decoding and no buffer for its 32,766 times,
// and copying or dropping one touches no reference count. A null QString when the bytes are not such a
// time ("9:05:00", "24:00:00"), which the log holds only on a damaged line.
inline QString sharedClockText(QByteArrayView bytes);

// The second of the day of a time handed out by sharedClockText(), from where its text lies in the table,
// without reading the text; -1 for any other text.
inline int sharedClockSecond(QStringView time);

namespace detail {
// "HH:MM:SS" and a NUL for every second of the day, one after another.
inline constexpr int kClockTextStride = 9;
inline constexpr int kClockSeconds = 24 * 60 * 60;
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

inline int sharedClockSecond(QStringView time) {
    // Compared as addresses: the text may lie in any other buffer.
    const auto at = reinterpret_cast<std::uintptr_t>(time.utf16());
    const auto first = reinterpret_cast<std::uintptr_t>(detail::clockTable());
    constexpr std::uintptr_t textBytes = detail::kClockTextStride * sizeof(char16_t);
    if (time.size() != 8 || at < first || at >= first + detail::kClockSeconds * textBytes ||
        (at - first) % textBytes != 0)
        return -1;
    return int((at - first) / textBytes);
}

} // namespace mirute
