#include "core/base/clock_texts.h"

namespace mirute {

namespace {

constexpr int kSecondsPerDay = detail::kClockSeconds;
constexpr int kStride = detail::kClockTextStride;

// A plain function rather than a lambda: GCC tries to evaluate a lambda initializer while compiling, which
// for a table of a whole day's seconds took seconds and most of a gigabyte before it gave up.
char16_t *makeClockTable() {
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
}

} // namespace

// Never freed: the QStrings handed out point into it and may live until the program ends.
const char16_t *detail::clockTable() {
    static const char16_t *const table = makeClockTable();
    return table;
}

} // namespace mirute
