// A game's history reader on any file: every play it reads is appended again as a line that reads back.
#include "core/base/sjis.h"
#include "core/base/write_list.h"
#include "core/games/common/history_file.h"
#include "fuzz_check.h"

#include <cstdint>

using namespace mirute;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    TextLines lines;
    splitDecodedLines(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), &lines);
    const HistoryData h = parseHistory(lines);
    FUZZ_CHECK(h.records.size() + h.problems.size() <= lines.lines.size());
    for (qsizetype i = 0; i < h.problems.size(); ++i) {
        FUZZ_CHECK(h.problems[i].line >= 1 && h.problems[i].line <= lines.lines.size());
        FUZZ_CHECK(i == 0 || h.problems[i - 1].line < h.problems[i].line);
    }
    for (qsizetype i = 0; i < h.records.size() && i < 64; ++i) {
        const HistoryRecord &r = h.records[i];
        FUZZ_CHECK(r.ok >= 0 && r.ng >= 0);
        FUZZ_CHECK(r.cells().size() == 9);
        const QString line = historyLine(r);
        QByteArray encoded;
        FUZZ_CHECK(sjis::encode(line, &encoded));
        HistoryRecord back;
        QString reason;
        FUZZ_CHECK(parseHistoryRecord(line, &back, &reason));
        FUZZ_CHECK(back.ok == r.ok && back.ng == r.ng);
        FUZZ_CHECK(back.date == storableText(r.date) && back.seconds == storableText(r.seconds));
    }
    return 0;
}
