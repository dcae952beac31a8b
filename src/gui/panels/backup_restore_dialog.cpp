#include "gui/panels/backup_restore_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace mirute {
namespace {

// The controls' names, by which tests and assistive tools find them.
const QString kDialogName = QStringLiteral("dlgRestore");
const QString kBackupListName = QStringLiteral("lstBackup");
const QString kRestoreOkButtonName = QStringLiteral("cmdRestoreOk");
const QString kCancelButtonName = QStringLiteral("cmdRestoreCancel");

enum Column { DateColumn, TimeColumn, ActionColumn, ContentsColumn, PlaysColumn, SpanColumn };

} // namespace

BackupRestoreDialog::BackupRestoreDialog(const QList<RestoreEntry> &entries, QWidget *parent)
    : QDialog(parent), m_entries(entries) {
    setObjectName(kDialogName);
    setWindowTitle(QStringLiteral("バックアップから復元"));
    auto *caption =
        new QLabel(QStringLiteral("復元するバックアップを選んでください（新しい順）。\n"
                                  "いくつものファイルをまとめたものは、→ キーでファイルごとの行を開きます。"),
                   this);
    caption->setTextFormat(Qt::PlainText);
    caption->setWordWrap(true);

    m_backupList = new QTreeWidget(this);
    m_backupList->setObjectName(kBackupListName);
    m_backupList->setAccessibleName(QStringLiteral("データと履歴のバックアップ一覧"));
    m_backupList->setHeaderLabels({QStringLiteral("日付"), QStringLiteral("時刻"), QStringLiteral("操作"),
                                   QStringLiteral("内容"), QStringLiteral("記録数"), QStringLiteral("期間")});
    for (const RestoreEntry &e : m_entries) {
        const RestoreFile &shown = e.summary();
        auto *item = new QTreeWidgetItem(
            m_backupList, {e.when.toString(QStringLiteral("yyyy/MM/dd")), e.when.toString(QStringLiteral("HH:mm:ss")),
                           backupActionText(e.action), restoreContentsText(e), playsText(shown), dateSpanText(shown)});
        item->setTextAlignment(PlaysColumn, Qt::AlignRight | Qt::AlignVCenter);
        if (e.files.size() < 2)
            continue;
        for (const RestoreFile &f : e.files) {
            auto *child =
                new QTreeWidgetItem(item, {QString(), QString(), QString(), f.file, playsText(f), dateSpanText(f)});
            child->setTextAlignment(PlaysColumn, Qt::AlignRight | Qt::AlignVCenter);
            if (!f.problem.isEmpty())
                child->setToolTip(PlaysColumn, f.problem);
        }
    }
    m_backupList->headerItem()->setTextAlignment(PlaysColumn, Qt::AlignRight | Qt::AlignVCenter);
    m_backupList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_backupList->setCurrentItem(m_backupList->topLevelItem(0));
    caption->setBuddy(m_backupList);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *restore = buttons->addButton(QStringLiteral("復元"), QDialogButtonBox::AcceptRole);
    restore->setObjectName(kRestoreOkButtonName);
    QPushButton *cancel = buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(kCancelButtonName);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_backupList, &QTreeWidget::itemActivated, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(m_backupList, 1);
    layout->addWidget(buttons);
    // Wide enough for every column of the longest entry, as far as the screen allows.
    m_backupList->expandAll();
    int width = m_backupList->indentation() + 2 * m_backupList->frameWidth() +
                m_backupList->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * layout->contentsMargins().left();
    for (int c = 0; c <= SpanColumn; ++c) {
        m_backupList->resizeColumnToContents(c);
        width += m_backupList->columnWidth(c);
    }
    m_backupList->collapseAll();
    if (const QScreen *s = screen())
        width = std::min(width, s->availableGeometry().width() * 9 / 10);
    resize(QSize(width, fontMetrics().height() * 24));
    m_backupList->setFocus();
}

const RestoreEntry *BackupRestoreDialog::chosen() const {
    if (result() != QDialog::Accepted)
        return nullptr;
    const QTreeWidgetItem *item = m_backupList->currentItem();
    // A file's line stands for its entry: the entry is restored whole.
    if (item && item->parent())
        item = item->parent();
    const int row = m_backupList->indexOfTopLevelItem(const_cast<QTreeWidgetItem *>(item));
    return row >= 0 && row < m_entries.size() ? &m_entries[row] : nullptr;
}

} // namespace mirute
