#include "core/base/number_texts.h"

#include "core/base/number_format.h"

#include <QList>

namespace mirute {

namespace {
constexpr qint64 kTableSize = 65536;
}

QString numberText(qint64 n) {
    if (n < 0 || n >= kTableSize)
        return QString::number(n);
    // Grown to the largest number asked for, so it holds no more than the longest list needs.
    thread_local QList<QString> table;
    while (table.size() <= n)
        table.append(QString::number(table.size()));
    return table[n];
}

const SecondsTexts::Shown &SecondsTexts::shown(float seconds) {
    auto it = m_entries.constFind(seconds);
    if (it == m_entries.cend()) {
        const QString text = formatSingle(seconds);
        it = m_entries.insert(seconds, {text, parseNumber(text).value_or(0)});
    }
    return *it;
}

} // namespace mirute
