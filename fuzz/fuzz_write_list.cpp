// The Write-list line splitter on any line; texts and numbers written by the program read back as written.
#include "core/base/number_format.h"
#include "core/base/sjis.h"
#include "core/base/write_list.h"
#include "fuzz_check.h"

#include <cmath>
#include <cstdint>
#include <cstring>

using namespace mirute;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString line = sjis::decodeLossy(bytes);

    ListFault fault = ListFault::None;
    const QList<ListItem> items = splitWriteList(line, &fault);
    FUZZ_CHECK(!items.isEmpty());
    FUZZ_CHECK(items.size() <= line.count(u',') + 1);
    qsizetype chars = 0;
    for (const ListItem &item : items)
        chars += item.text.size();
    FUZZ_CHECK(chars <= line.size());

    // The input cut at its 0x01 bytes into texts, written as quoted items: each comes back as stored.
    const QStringList texts = line.split(QChar(u'\x01'));
    WriteListLine written;
    for (const QString &t : texts)
        written.text(t);
    const QList<ListItem> back = splitWriteList(written.line(), &fault);
    FUZZ_CHECK(fault == ListFault::None);
    FUZZ_CHECK(back.size() == texts.size());
    for (qsizetype i = 0; i < back.size(); ++i)
        FUZZ_CHECK(back[i].quoted && back[i].text == storableText(texts[i]));

    // Numbers in the range a data file holds: the shortest form reads back as the same value.
    if (size >= sizeof(double)) {
        double v;
        std::memcpy(&v, data, sizeof v);
        if (std::isfinite(v) && (v == 0 || (std::abs(v) >= 1e-9 && std::abs(v) <= 1e15))) {
            const auto p = parseNumber(formatNumber(v));
            FUZZ_CHECK(p && *p == v);
        }
        float f;
        std::memcpy(&f, data, sizeof f);
        if (std::isfinite(f) && (f == 0 || (std::abs(f) >= 1e-6f && std::abs(f) <= 1e15f))) {
            const auto p = parseNumber(formatSingle(f));
            FUZZ_CHECK(p && std::abs(*p - double(f)) <= 1e-6 * std::abs(double(f)));
        }
    }
    return 0;
}
