#include "gui/panels/backup_restore_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace mirute {
namespace {

// The controls' names, by which tests and assistive tools find them.
const QString kDialogName = QStringLiteral("dlgRestore");
const QString kBackupListName = QStringLiteral("lstBackup");
const QString kRestoreButtonName = QStringLiteral("cmdRestoreOk");
const QString kCancelButtonName = QStringLiteral("cmdRestoreCancel");

QString playsText(const LogBackup &b) {
    return b.complete ? QStringLiteral("%1 件").arg(b.plays) : QStringLiteral("%1 件（読めない行あり）").arg(b.plays);
}

} // namespace

BackupRestoreDialog::BackupRestoreDialog(const QList<LogBackup> &backups, QWidget *parent)
    : QDialog(parent), m_backups(backups) {
    setObjectName(kDialogName);
    setWindowTitle(QStringLiteral("バックアップから復元"));
    auto *caption = new QLabel(QStringLiteral("復元するバックアップを選んでください（新しい順）。"), this);
    caption->setTextFormat(Qt::PlainText);

    m_backupList = new QTreeWidget(this);
    m_backupList->setObjectName(kBackupListName);
    m_backupList->setAccessibleName(QStringLiteral("データのバックアップ一覧"));
    m_backupList->setRootIsDecorated(false);
    m_backupList->setHeaderLabels({QStringLiteral("日付"), QStringLiteral("時刻"), QStringLiteral("記録数")});
    for (const LogBackup &b : m_backups) {
        auto *item = new QTreeWidgetItem(m_backupList, {b.when.toString(QStringLiteral("yyyy/MM/dd")),
                                                        b.when.toString(QStringLiteral("HH:mm:ss")), playsText(b)});
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    m_backupList->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    m_backupList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_backupList->setCurrentItem(m_backupList->topLevelItem(0));
    caption->setBuddy(m_backupList);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *restore = buttons->addButton(QStringLiteral("復元"), QDialogButtonBox::AcceptRole);
    restore->setObjectName(kRestoreButtonName);
    QPushButton *cancel = buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(kCancelButtonName);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_backupList, &QTreeWidget::itemActivated, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(m_backupList, 1);
    layout->addWidget(buttons);
    resize(sizeHint().expandedTo(QSize(fontMetrics().horizontalAdvance(QStringLiteral("0")) * 50, 320)));
    m_backupList->setFocus();
}

const LogBackup *BackupRestoreDialog::chosen() const {
    if (result() != QDialog::Accepted)
        return nullptr;
    const int row = m_backupList->indexOfTopLevelItem(m_backupList->currentItem());
    return row >= 0 && row < m_backups.size() ? &m_backups[row] : nullptr;
}

} // namespace mirute
