#include "core/log/play_log_edits.h"

#include "core/base/write_list.h"

namespace mirute {

DiaryChange rewriteWithDiary(const QString &dir, QList<PlayRecord> records, qsizetype index, const QString &text,
                             const QString &backupStamp) {
    DiaryChange change;
    if (index < 0 || index >= records.size()) {
        change.result.error = QStringLiteral("一言日記を書き換える記録が選ばれていません。");
        return change;
    }
    change.stored = storableText(text);
    records[index].diary = change.stored;
    change.result = rewritePlayLog(dir, records, backupStamp, BackupAction::Diary);
    return change;
}

WriteResult rewriteWithoutPlay(const QString &dir, QList<PlayRecord> records, qsizetype index,
                               const QString &backupStamp) {
    if (index < 0 || index >= records.size())
        return {QStringLiteral("削除する記録が選ばれていません。")};
    records.removeAt(index);
    return rewritePlayLog(dir, records, backupStamp, BackupAction::Delete);
}

} // namespace mirute
