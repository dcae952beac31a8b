// The play log reader on any file: damaged lines are skipped and named, and every record it reads is
// written back by the log's rewrite into a line that reads as the same record.
#include "core/base/day_time.h"
#include "core/base/sjis.h"
#include "core/base/text_file.h"
#include "core/base/write_list.h"
#include "core/log/play_log.h"
#include "fuzz_check.h"

#include <cmath>
#include <cstdint>
#include <cstring>

using namespace mirute;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    TextLines lines;
    splitDecodedLines(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), &lines);
    for (qsizetype i = 0; i < lines.badLines.size(); ++i) {
        FUZZ_CHECK(lines.badLines[i] >= 1 && lines.badLines[i] <= lines.lines.size());
        FUZZ_CHECK(i == 0 || lines.badLines[i - 1] < lines.badLines[i]);
    }
    const PlayLogData log = parsePlayLog(lines);
    FUZZ_CHECK(log.records.size() + log.problems.size() <= lines.lines.size());
    for (qsizetype i = 0; i < log.problems.size(); ++i) {
        FUZZ_CHECK(log.problems[i].line >= 1 && log.problems[i].line <= lines.lines.size());
        FUZZ_CHECK(i == 0 || log.problems[i - 1].line < log.problems[i].line);
        FUZZ_CHECK(!log.problems[i].reason.isEmpty());
    }
    FUZZ_CHECK(log.problems.isEmpty() == problemsMessage(kPlayLogFile, log.problems).isEmpty());

    // The reader the program uses works on the bytes when it can; it must give exactly these records.
    const PlayLogData fast = parsePlayLogBytes(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    FUZZ_CHECK(fast.records.size() == log.records.size() && fast.problems.size() == log.problems.size());
    for (qsizetype i = 0; i < log.records.size(); ++i) {
        const PlayRecord &a = fast.records[i];
        const PlayRecord &b = log.records[i];
        FUZZ_CHECK(a.date == b.date && a.time == b.time && a.game == b.game && a.diary == b.diary);
        FUZZ_CHECK(std::memcmp(&a.seconds, &b.seconds, sizeof a.seconds) == 0);
    }
    for (qsizetype i = 0; i < log.problems.size(); ++i)
        FUZZ_CHECK(fast.problems[i].line == log.problems[i].line && fast.problems[i].reason == log.problems[i].reason);

    for (qsizetype i = 0; i < log.records.size() && i < 64; ++i) {
        const PlayRecord &r = log.records[i];
        // Every record read is one the views can place: a real date and time, the seconds of a play.
        FUZZ_CHECK(isStoredDate(r.date) && isStoredTime(r.time) && isPlaySeconds(r.seconds));
        const QString line = rewrittenPlayLine(r);
        QByteArray encoded;
        FUZZ_CHECK(sjis::encode(line, &encoded));
        PlayRecord back;
        QString reason;
        FUZZ_CHECK(parsePlayRecord(line, &back, &reason));
        FUZZ_CHECK(back.date == storableText(r.date) && back.time == storableText(r.time));
        FUZZ_CHECK(back.game == storableText(r.game) && back.diary == storableText(r.diary));
        FUZZ_CHECK(std::abs(double(back.seconds) - double(r.seconds)) <= 1e-6 * std::abs(double(r.seconds)));
        FUZZ_CHECK(parsePlayRecord(gamePlayLine(r.date, r.time, r.game, r.seconds, r.diary), &back, &reason));
        FUZZ_CHECK(back.seconds == r.seconds);
    }
    return 0;
}
