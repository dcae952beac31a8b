#include "log/memo.h"

#include "app/app_state.h"

#include <QRegularExpression>

namespace mirute {

MemoRead READ_MEMO(const QString &dir) {
    MemoRead memo;
    const TextLines t = readTextLines(dir, kMemoFile);
    if (!t.error.isEmpty()) {
        memo.error = t.error;
        return memo;
    }
    // Every line followed by a break, then the last break dropped: the same as joining them.
    memo.text = t.lines.join(u'\n');
    if (!t.badLines.isEmpty()) {
        QStringList numbers;
        for (int n : t.badLines)
            numbers.append(QString::number(n));
        memo.error = QStringLiteral("「%1」の %2 行目を読めませんでした（Shift_JIS として読めない文字があります）。")
                         .arg(kMemoFile, numbers.join(QStringLiteral(", ")));
    }
    return memo;
}

QStringList memoLines(const QString &text) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return text.split(lineBreak);
}

WriteResult saveMemo(const QString &dir, const QString &text, const QString &backupStamp) {
    const QStringList lines = memoLines(text);
    QString error;
    const QByteArray bytes = encodeLines(lines, &error);
    if (!error.isEmpty())
        return {error + QStringLiteral("\r\nメモは保存していません。")};
    // What could not be read was not in the box either: keep a copy before it is overwritten.
    if (!readTextLines(dir, kMemoFile).badLines.isEmpty())
        if (WriteResult b = backupFile(dir, kMemoFile, backupStamp); !b.ok())
            return b;
    return rewriteBytes(dir, kMemoFile, bytes);
}

} // namespace mirute
