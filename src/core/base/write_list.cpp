#include "core/base/write_list.h"

#include "core/base/number_format.h"

namespace mirute {

namespace {

// The one splitter behind both forms: calls item(view) for every item in order.
bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

template <class F> void scanWriteList(QStringView line, ListFault *fault, F &&item) {
    if (fault)
        *fault = ListFault::None;
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (true) {
        // Leading blanks of an item are not part of it.
        while (i < n && isBlank(line[i]))
            ++i;
        if (i < n && line[i] == u'"') {
            const qsizetype close = line.indexOf(u'"', i + 1);
            if (close < 0) {
                if (fault)
                    *fault = ListFault::Unterminated;
                item(ListItemView{line.mid(i + 1), true});
                return;
            }
            item(ListItemView{line.mid(i + 1, close - i - 1), true});
            i = close + 1;
            while (i < n && isBlank(line[i]))
                ++i;
            if (i == n)
                return;
            if (line[i] != u',') {
                if (fault && *fault == ListFault::None)
                    *fault = ListFault::TextAfterQuote;
                const qsizetype comma = line.indexOf(u',', i);
                if (comma < 0)
                    return;
                i = comma;
            }
            ++i;
            continue;
        }
        const qsizetype comma = line.indexOf(u',', i);
        const qsizetype end = comma < 0 ? n : comma;
        item(ListItemView{line.mid(i, end - i).trimmed(), false});
        if (comma < 0)
            return;
        i = comma + 1;
    }
}

} // namespace

QString listFaultReason(ListFault fault) {
    switch (fault) {
    case ListFault::None: break;
    case ListFault::Unterminated: return QStringLiteral("引用符が閉じていません");
    case ListFault::TextAfterQuote: return QStringLiteral("閉じた引用符の後に文字があります");
    }
    return {};
}

QList<ListItem> splitWriteList(QStringView line, ListFault *fault) {
    QList<ListItem> items;
    scanWriteList(line, fault, [&](const ListItemView &v) { items.append(ListItem{v.text.toString(), v.quoted}); });
    return items;
}

qsizetype splitWriteListViews(QStringView line, ListItemView *items, qsizetype capacity, ListFault *fault) {
    qsizetype count = 0;
    scanWriteList(line, fault, [&](const ListItemView &v) {
        if (count < capacity)
            items[count] = v;
        ++count;
    });
    return count;
}

void WriteListLine::add(const QString &item) {
    if (!m_first)
        m_line += u',';
    m_first = false;
    m_line += item;
}

WriteListLine &WriteListLine::text(const QString &s) {
    add(u'"' + storableText(s) + u'"');
    return *this;
}

WriteListLine &WriteListLine::number(double v) {
    add(formatNumber(v));
    return *this;
}

WriteListLine &WriteListLine::single(float v) {
    add(formatSingle(v));
    return *this;
}

WriteListLine &WriteListLine::integer(qint64 v) {
    add(QString::number(v));
    return *this;
}

WriteListLine &WriteListLine::empty() {
    add(QString());
    return *this;
}

QString WriteListLine::line() const {
    return m_line;
}

QString storableText(const QString &text) {
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar &c : s) {
        if (c == u'"')
            c = QChar(0x201D); // ”
        else if (c == u'\r' || c == u'\n')
            c = u' ';
    }
    return s;
}

} // namespace mirute
