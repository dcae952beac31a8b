#include "core/log/memo.h"

#include "core/base/file_errors.h"
#include "core/log/app_state.h"
#include "core/log/backups.h"

#include <QRegularExpression>

namespace mirute {

MemoRead readMemoFile(const QString &dir) {
    MemoRead memo;
    const TextLines t = readTextLines(dir, kMemoFile);
    if (!t.error.isEmpty()) {
        memo.error = t.error;
        return memo;
    }
    // Every line followed by a break, then the last break dropped: the same as joining them.
    memo.text = t.lines.join(u'\n');
    const QString foreign = foreignEncodingText(t);
    if (!foreign.isEmpty() && t.badLines.size() == t.lines.size())
        memo.error = QStringLiteral("「%1」を読めませんでした（%2）。").arg(kMemoFile, foreign);
    else if (!t.badLines.isEmpty())
        memo.error = QStringLiteral("「%1」の %2を読めませんでした（%3）。")
                         .arg(kMemoFile, lineNumbersText(t.badLines), badLineReason(t));
    if (!t.badLines.isEmpty())
        memo.error += QStringLiteral(
            "\r\n読めた部分だけを表示しています。メモ保存の前に、元のファイルをバックアップフォルダに残します。");
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
    // The same memo saved again writes nothing; a changed one is copied first, so that a memo cleared by
    // mistake, or lines that could not be read (and so were not in the box), can still be found.
    if (fileHolds(dir, kMemoFile, bytes))
        return {};
    if (WriteResult b = backupFile(dir, kMemoFile, BackupAction::Memo, backupStamp); !b.ok())
        return b;
    return rewriteBytes(dir, kMemoFile, bytes);
}

} // namespace mirute
