#include "core/games/common/dictionary.h"

#include "core/base/file_errors.h"
#include "core/base/write_list.h"

#include <algorithm>

namespace mirute {

Dictionary parseDictionary(const QString &fileName, const TextLines &lines) {
    Dictionary d;
    d.fileName = fileName;
    d.exists = lines.exists;
    d.error = lines.error;
    d.foreignEncoding = foreignEncodingText(lines);
    qsizetype bad = 0;
    for (qsizetype i = 0; i < lines.lines.size(); ++i) {
        const int lineNo = int(i + 1);
        if (bad < lines.badLines.size() && lines.badLines[bad] == lineNo) {
            ++bad;
            d.problems.append({lineNo, badLineReason(lines)});
            continue;
        }
        if (lines.lines[i].trimmed().isEmpty())
            continue;
        ListFault fault = ListFault::None;
        const QList<ListItem> items = splitWriteList(lines.lines[i], &fault);
        // An open quote swallows the rest of the line, commas and all, into one nonsense item; text after a
        // closing quote would be lost from its item.
        if (fault != ListFault::None) {
            d.problems.append({lineNo, listFaultReason(fault)});
            continue;
        }
        for (const ListItem &item : items) {
            if (!item.text.isEmpty())
                d.items.append({item.text, lineNo});
        }
    }
    return d;
}

Dictionary readDictionary(const QString &dir, const QString &fileName) {
    return parseDictionary(fileName, readTextLines(dir, fileName));
}

QString missingDictionaryMessage(const QString &fileName) {
    return QStringLiteral("辞書ファイル「%1」がありません。\r\nゲームを開けません。").arg(fileName);
}

QString emptyDictionaryMessage(const QString &fileName) {
    return QStringLiteral("辞書ファイル「%1」に使える項目がありません。\r\nゲームを開けません。").arg(fileName);
}

QString dictionaryRefusal(const Dictionary &d) {
    const QString cannotOpen = QStringLiteral("\r\nゲームを開けません。");
    if (!d.exists)
        return missingDictionaryMessage(d.fileName);
    if (!d.error.isEmpty())
        return d.error + cannotOpen;
    if (!d.foreignEncoding.isEmpty())
        return QStringLiteral("辞書ファイル「%1」は%2。").arg(d.fileName, d.foreignEncoding) + cannotOpen;
    return {};
}

QString skippedItemsMessage(const QString &fileName, const QList<int> &lines, const QString &reason) {
    return QStringLiteral("辞書ファイル「%1」の %2の項目を使いませんでした（%3）。")
        .arg(fileName, lineNumbersText(lines), reason);
}

QString readUsableItems(const QString &dir, const QString &fileName, const std::function<bool(const QString &)> &usable,
                        const QString &skippedReason, QStringList *items, QString *notice) {
    items->clear();
    notice->clear();
    const Dictionary d = readDictionary(dir, fileName);
    if (const QString refusal = dictionaryRefusal(d); !refusal.isEmpty())
        return refusal;
    QList<int> skipped;
    for (const DictionaryItem &item : d.items) {
        if (usable(item.text))
            items->append(item.text);
        else
            skipped.append(item.line);
    }
    for (const LineProblem &p : d.problems)
        skipped.append(p.line);
    std::sort(skipped.begin(), skipped.end());
    if (!skipped.isEmpty())
        *notice = skippedItemsMessage(fileName, skipped, skippedReason);
    if (items->isEmpty())
        return emptyDictionaryMessage(fileName);
    return {};
}

} // namespace mirute
