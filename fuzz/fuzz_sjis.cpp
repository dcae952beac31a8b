// The Shift_JIS decoder and encoder: whatever decodes encodes and decodes back to the same text.
#include "core/base/sjis.h"
#include "fuzz_check.h"

#include <cstdint>
#include <vector>

using namespace mirute;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    QString text;
    qsizetype bad = -1;
    const bool ok = sjis::decode(bytes, &text, &bad);
    const QString lossy = sjis::decodeLossy(bytes);
    FUZZ_CHECK(lossy.size() <= bytes.size());
    // Decoding into a buffer of one's own gives the same text, or refuses the same bytes.
    std::vector<char16_t> buffer(size_t(bytes.size()) + 1);
    const qsizetype written = sjis::decodeTo(bytes, buffer.data());
    FUZZ_CHECK((written >= 0) == ok);
    if (ok) {
        QByteArray encoded;
        FUZZ_CHECK(sjis::encode(text, &encoded));
        QString again;
        FUZZ_CHECK(sjis::decode(encoded, &again));
        FUZZ_CHECK(again == text);
        FUZZ_CHECK(lossy == text);
        FUZZ_CHECK(QStringView(buffer.data(), written) == text);
    } else {
        // Everything before the first bad byte is good text, and the lossy form keeps it.
        FUZZ_CHECK(bad >= 0 && bad < bytes.size());
        QString head;
        FUZZ_CHECK(sjis::decode(bytes.left(bad), &head));
        FUZZ_CHECK(lossy.startsWith(head));
        FUZZ_CHECK(lossy.contains(QChar(QChar::ReplacementCharacter)));
    }

    // The bytes as UTF-16 text: what can be encoded decodes to its code page 932 form.
    const QString utf16(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));
    QByteArray encoded;
    QChar badChar;
    if (sjis::encode(utf16, &encoded, &badChar)) {
        QString back;
        FUZZ_CHECK(sjis::decode(encoded, &back));
        FUZZ_CHECK(back == sjis::toCp932Forms(utf16));
    } else {
        FUZZ_CHECK(utf16.contains(badChar));
    }
    return 0;
}
