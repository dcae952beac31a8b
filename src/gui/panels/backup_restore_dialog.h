#pragma once

#include "core/views/backup_list.h"

#include <QDialog>

class QTreeWidget;

namespace mirute {

// 「バックアップから復元」: what each action saved of the log and the histories, newest first, with the
// action, the time, the plays and their dates; an entry of several files opens onto one line per file. The
// user picks one entry.
class BackupRestoreDialog : public QDialog {
    Q_OBJECT
public:
    explicit BackupRestoreDialog(const QList<RestoreEntry> &entries, QWidget *parent = nullptr);
    // The entry picked, once exec() returned Accepted; nullptr before.
    const RestoreEntry *chosen() const;

private:
    QList<RestoreEntry> m_entries;
    QTreeWidget *m_backupList = nullptr;
};

} // namespace mirute
