#pragma once

#include "core/log/backups.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace mirute {

// 「バックアップから復元」: the copies of the play log, newest first, with the date and time they were taken
// and the number of plays they hold; the user picks one.
class BackupRestoreDialog : public QDialog {
    Q_OBJECT
public:
    explicit BackupRestoreDialog(const QList<LogBackup> &backups, QWidget *parent = nullptr);
    // The copy picked, once exec() returned Accepted; nullptr before.
    const LogBackup *chosen() const;

private:
    QList<LogBackup> m_backups;
    QTreeWidget *m_backupList = nullptr;
};

} // namespace mirute
