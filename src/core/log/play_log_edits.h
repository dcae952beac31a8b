#pragma once

#include "core/log/play_log.h"

#include <QList>
#include <QString>

namespace mirute {

// The two changes the user makes to single plays of the log, each a whole rewrite of データ.txt from the
// records the user was shown (atomic, after a backup of the old file), refused when the file holds lines
// that could not be read, so that the rewrite never drops them.

struct DiaryChange {
    WriteResult result;
    QString stored; // the text as written: a double quote or line break cannot be kept as typed
};
// The diary of records[index] replaced by text.
DiaryChange rewriteWithDiary(const QString &dir, QList<PlayRecord> records, qsizetype index, const QString &text,
                             const QString &backupStamp);
// records[index] left out; the last record leaves an empty log.
WriteResult rewriteWithoutPlay(const QString &dir, QList<PlayRecord> records, qsizetype index,
                               const QString &backupStamp);

} // namespace mirute
