// The dictionary reader on any file: items are non-empty, carry the number of a readable line, and no
// item comes from a line reported as damaged.
#include "core/games/common/dictionary.h"
#include "fuzz_check.h"

#include <QSet>
#include <cstdint>

using namespace mirute;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    TextLines lines;
    lines.exists = true;
    splitDecodedLines(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), &lines);
    const Dictionary d = parseDictionary(QStringLiteral("抜仲間辞書.TXT"), lines);
    QSet<int> damaged;
    for (qsizetype i = 0; i < d.problems.size(); ++i) {
        FUZZ_CHECK(d.problems[i].line >= 1 && d.problems[i].line <= lines.lines.size());
        FUZZ_CHECK(i == 0 || d.problems[i - 1].line < d.problems[i].line);
        damaged.insert(d.problems[i].line);
    }
    for (qsizetype i = 0; i < d.items.size(); ++i) {
        const DictionaryItem &item = d.items[i];
        FUZZ_CHECK(!item.text.isEmpty());
        FUZZ_CHECK(item.line >= 1 && item.line <= lines.lines.size());
        FUZZ_CHECK(i == 0 || d.items[i - 1].line <= item.line);
        FUZZ_CHECK(!damaged.contains(item.line));
    }
    return 0;
}
