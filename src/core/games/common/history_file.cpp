#include "core/games/common/history_file.h"

#include "core/base/number_format.h"
#include "core/base/number_texts.h"
#include "core/base/write_list.h"

#include <limits>

namespace mirute {

QStringList HistoryRecord::cells() const {
    return {date, time, answers, numberText(ok), numberText(ng), reaction, rate, perSecond, seconds};
}

bool parseHistoryRecord(const QString &line, HistoryRecord *out, QString *reason) {
    ListFault fault = ListFault::None;
    ListItemView items[9];
    const qsizetype count = splitWriteListViews(line, items, 9, &fault);
    if (fault != ListFault::None) {
        *reason = listFaultReason(fault);
        return false;
    }
    if (count != 9) {
        *reason = QStringLiteral("項目の数が %1 です（9 のはずです）").arg(count);
        return false;
    }
    const auto ok = parseInteger(items[3].text);
    const auto ng = parseInteger(items[4].text);
    if (!ok || !ng || items[3].quoted || items[4].quoted) {
        *reason = QStringLiteral("ＯＫ・ＮＧが数値ではありません");
        return false;
    }
    // Counts of answers: a negative one or one beyond int would turn into some other number.
    if (*ok < 0 || *ng < 0 || *ok > std::numeric_limits<int>::max() || *ng > std::numeric_limits<int>::max()) {
        *reason = QStringLiteral("ＯＫ・ＮＧが範囲外です");
        return false;
    }
    out->date = items[0].text.toString();
    out->time = items[1].text.toString();
    out->answers = items[2].text.toString();
    out->ok = int(*ok);
    out->ng = int(*ng);
    const auto reaction = parseNumber(items[5].text);
    out->reaction = reaction ? formatNumber(*reaction) : items[5].text.toString();
    out->rate = items[6].text.toString();
    out->perSecond = items[7].text.toString();
    out->seconds = items[8].text.toString();
    return true;
}

HistoryData parseHistory(const TextLines &lines) {
    HistoryData data;
    data.path = lines.path;
    data.exists = lines.exists;
    data.error = lines.error;
    parseRecordLines(lines, parseHistoryRecord, &data.records, &data.problems);
    return data;
}

HistoryData readHistory(const QString &dir, const QString &fileName) {
    return parseHistory(readTextLines(dir, fileName));
}

QString historyLine(const HistoryRecord &r) {
    WriteListLine line;
    line.text(r.date).text(r.time);
    if (auto a = parseInteger(r.answers))
        line.integer(*a);
    else
        line.text(r.answers);
    line.integer(r.ok).integer(r.ng);
    if (auto v = parseNumber(r.reaction))
        line.number(*v);
    else
        line.number(0);
    line.text(r.rate).text(r.perSecond).text(r.seconds);
    return line.line();
}

} // namespace mirute
