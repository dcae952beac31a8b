#include "core/base/user_text.h"

namespace mirute {

namespace {

constexpr char16_t kFirstStrongIsolate = 0x2068;
constexpr char16_t kPopDirectionalIsolate = 0x2069;

// Embeddings, overrides and isolates (U+202A–U+202E, U+2066–U+2069): invisible, and each would undo the
// isolation or reorder what the user typed.
bool isDirectionControl(char16_t c) {
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

} // namespace

QString shownUserText(QStringView text) {
    QString shown;
    shown.reserve(text.size() + 2);
    shown += QChar(kFirstStrongIsolate);
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < 0x20)
            shown += QChar(char16_t(0x2400 + c)); // the Control Pictures block: ␀ … ␟
        else if (c == 0x7F)
            shown += QChar(char16_t(0x2421)); // ␡
        else if (c >= 0x80 && c < 0xA0)
            shown += QChar(QChar::ReplacementCharacter); // the C1 controls have no pictures
        else if (!isDirectionControl(c))
            shown += ch;
    }
    shown += QChar(kPopDirectionalIsolate);
    return shown;
}

} // namespace mirute
