#pragma once

#include "core/log/play_log.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace mirute {

// A dictionary read as a sequence of items: separated by line ends or by commas outside double quotes,
// surrounding quotes removed; every item counts, whichever line it stands on.
struct DictionaryItem {
    QString text;
    int line = 0;
};

struct Dictionary {
    QString fileName;
    bool exists = false;
    QString error;
    QList<DictionaryItem> items;
    QList<LineProblem> problems; // lines that are not Shift_JIS or hold an open quote; none of their items used
    QString foreignEncoding;     // "UTF-8 で保存されています。…" when the file is not Shift_JIS at all
};

Dictionary readDictionary(const QString &dir, const QString &fileName);
Dictionary parseDictionary(const QString &fileName, const TextLines &lines);

// "「抜かな辞書.TXT」がありません。" and friends, for the refusal to open a game.
QString missingDictionaryMessage(const QString &fileName);
QString emptyDictionaryMessage(const QString &fileName);
// Why the dictionary cannot be used at all (missing, unreadable, saved in another encoding), or "".
QString dictionaryRefusal(const Dictionary &d);
// One message naming the file and the lines of items that were skipped, with the reason.
QString skippedItemsMessage(const QString &fileName, const QList<int> &lines, const QString &reason);

// The items of a dictionary of single items that `usable` keeps, as a game loads them when it opens.
// Returns the message that refuses to open the game (file missing, unreadable, or no usable item), else "";
// *notice is the one message naming the lines skipped (items refused, lines unreadable), or "".
QString readUsableItems(const QString &dir, const QString &fileName, const std::function<bool(const QString &)> &usable,
                        const QString &skippedReason, QStringList *items, QString *notice);

} // namespace mirute
