#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace mirute {

// One item of a Write-list line as read: its text without quotes, and whether it was quoted.
struct ListItem {
    QString text;
    bool quoted = false;
};

// What keeps a line from being a sound Write-list line. A double quote cannot stand inside a quoted text
// (the writer stores it as ”), so text after a closing quote is never part of a line this program wrote:
// `"彼は""はい""と言った"` or `"one"junk` are damaged lines, not texts with something to drop.
enum class ListFault { None, Unterminated, TextAfterQuote };
// The reason a reader gives for a damaged line: "引用符が閉じていません" and the like.
QString listFaultReason(ListFault fault);

// Splits one line (without its line end) at the commas outside double quotes and removes the quotes of
// quoted items. Blanks around unquoted items, and after a closing quote, are dropped. An unterminated quote
// runs to the end of the line; other text after a closing quote is passed over up to the next comma.
// *fault tells either, so that callers can report the line.
QList<ListItem> splitWriteList(QStringView line, ListFault *fault = nullptr);

// The same split without copying: views into `line`. Fills at most `capacity` items and returns how many
// the line has in all, so a reader of a fixed number of items needs no list and no string per item.
struct ListItemView {
    QStringView text;
    bool quoted = false;
};
qsizetype splitWriteListViews(QStringView line, ListItemView *items, qsizetype capacity, ListFault *fault = nullptr);

// Builds a Write-list line field by field: text quoted, numbers plain, an empty item as nothing.
class WriteListLine {
public:
    WriteListLine &text(const QString &s); // "s"
    WriteListLine &number(double v);       // shortest plain form: 60, 23.4, 0.85
    WriteListLine &single(float v);        // at most 7 significant digits
    WriteListLine &integer(qint64 v);
    WriteListLine &empty(); // nothing between the commas
    QString line() const;   // without the line end
private:
    void add(const QString &item);
    QString m_line;
    bool m_first = true;
};

// A text as it can be stored in a quoted item: a double quote cannot be written inside one, nor a line
// break inside a line, so they become ” and a blank.
QString storableText(const QString &text);

} // namespace mirute
