#include "log/backup_restore_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace mirute {
namespace {

QString playsText(const LogBackup &b) {
    return b.complete ? QStringLiteral("%1 件").arg(b.plays) : QStringLiteral("%1 件（読めない行あり）").arg(b.plays);
}

} // namespace

BackupRestoreDialog::BackupRestoreDialog(const QList<LogBackup> &backups, QWidget *parent)
    : QDialog(parent), m_backups(backups) {
    setObjectName(QStringLiteral("dlgRestore"));
    setWindowTitle(QStringLiteral("バックアップから復元"));
    auto *caption = new QLabel(QStringLiteral("復元するバックアップを選んでください（新しい順）。"), this);
    caption->setTextFormat(Qt::PlainText);

    m_lstBackup = new QTreeWidget(this);
    m_lstBackup->setObjectName(QStringLiteral("lstBackup"));
    m_lstBackup->setAccessibleName(QStringLiteral("データのバックアップ一覧"));
    m_lstBackup->setRootIsDecorated(false);
    m_lstBackup->setHeaderLabels({QStringLiteral("日付"), QStringLiteral("時刻"), QStringLiteral("記録数")});
    for (const LogBackup &b : m_backups) {
        auto *item = new QTreeWidgetItem(m_lstBackup, {b.when.toString(QStringLiteral("yyyy/MM/dd")),
                                                       b.when.toString(QStringLiteral("HH:mm:ss")), playsText(b)});
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    m_lstBackup->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    m_lstBackup->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_lstBackup->setCurrentItem(m_lstBackup->topLevelItem(0));
    caption->setBuddy(m_lstBackup);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *restore = buttons->addButton(QStringLiteral("復元"), QDialogButtonBox::AcceptRole);
    restore->setObjectName(QStringLiteral("cmdRestoreOk"));
    QPushButton *cancel = buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdRestoreCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_lstBackup, &QTreeWidget::itemActivated, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(m_lstBackup, 1);
    layout->addWidget(buttons);
    resize(sizeHint().expandedTo(QSize(fontMetrics().horizontalAdvance(QStringLiteral("0")) * 50, 320)));
    m_lstBackup->setFocus();
}

const LogBackup *BackupRestoreDialog::chosen() const {
    if (result() != QDialog::Accepted)
        return nullptr;
    const int row = m_lstBackup->indexOfTopLevelItem(m_lstBackup->currentItem());
    return row >= 0 && row < m_backups.size() ? &m_backups[row] : nullptr;
}

} // namespace mirute
