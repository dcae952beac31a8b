#include "log/edit_panel.h"

#include "app/app_state.h"
#include "app/help_texts.h"
#include "log/backup_restore_dialog.h"
#include "log/log_list.h"
#include "log/new_start.h"
#include "log/write_list.h"
#include "ui/grid_widget.h"
#include "ui/message_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mirute {
namespace {

const QString kConfirmTitle = QStringLiteral("クリア確認");
const QString kRestoreTitle = QStringLiteral("バックアップから復元");

QPushButton *addButton(const QString &caption, const QString &name, QWidget *parent) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(true);
    return b;
}

} // namespace

EditPanel::EditPanel(MainState &state, QWidget *parent) : LogPanel(state, QStringLiteral("fraSettei"), parent) {
    INIT_HEN_GRID(m_henList);
    m_msgHenList = new GridWidget(&m_henList, this);
    m_msgHenList->setObjectName(QStringLiteral("msgHenList"));
    m_msgHenList->setAccessibleName(QStringLiteral("記録の一覧"));
    m_cmdRowDel = addButton(QStringLiteral("個別削除"), QStringLiteral("cmdRowDel"), this);
    m_cmdRowDel->setEnabled(false);
    m_cmdNew1 = addButton(QStringLiteral("新規スタート（全削除）"), QStringLiteral("cmdNew1"), this);
    m_cmdPHozon1 = addButton(QStringLiteral("名前変更"), QStringLiteral("cmdPHozon1"), this);
    m_cmdRestore = addButton(kRestoreTitle, QStringLiteral("cmdRestore"), this);
    m_txtPriData = new QLineEdit(this);
    m_txtPriData->setObjectName(QStringLiteral("txtPriData"));
    m_txtPriData->setAccessibleName(QStringLiteral("名前"));
    auto *lblName = new QLabel(QStringLiteral("名前"), this);
    lblName->setObjectName(QStringLiteral("lblPriData"));
    lblName->setTextFormat(Qt::PlainText);
    lblName->setBuddy(m_txtPriData);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_msgHenList, 1);
    auto *row = new QHBoxLayout;
    row->addWidget(m_cmdRowDel);
    row->addWidget(m_cmdNew1);
    row->addWidget(m_cmdRestore);
    row->addStretch();
    row->addWidget(lblName);
    row->addWidget(m_txtPriData);
    row->addWidget(m_cmdPHozon1);
    layout->addLayout(row);

    connect(m_msgHenList, &GridWidget::clicked, this, &EditPanel::msgHenList_Click);
    connect(m_cmdRowDel, &QPushButton::clicked, this, &EditPanel::cmdRowDel_Click);
    connect(m_cmdNew1, &QPushButton::clicked, this, &EditPanel::cmdNew1_Click);
    connect(m_cmdPHozon1, &QPushButton::clicked, this, &EditPanel::cmdPHozon1_Click);
    connect(m_cmdRestore, &QPushButton::clicked, this, &EditPanel::cmdRestore_Click);
}

// cmdSettei_Click's part of the panel: the name, the delete button off, INIT_HEN_GRID, READ_HEN_LIST.
void EditPanel::fill() {
    m_txtPriData->setText(appState().userName);
    m_cmdRowDel->setEnabled(false);
    m_selectedRow = 0;
    INIT_HEN_GRID(m_henList);
    READ_HEN_LIST(mainState().dataDir, m_henList);
}

QString EditPanel::helpTourText() const {
    return helptexts::edit();
}

QWidget *EditPanel::firstFocus() {
    return m_msgHenList;
}

void EditPanel::msgHenList_Click(int row, int) {
    if (m_henList.rows() < 2 || row < 1 || row >= m_henList.rows())
        return;
    m_selectedRow = row;
    m_cmdRowDel->setEnabled(true);
}

void EditPanel::cmdRowDel_Click() {
    if (m_selectedRow < 1 || m_selectedRow >= m_henList.rows())
        return;
    // The last remaining record is asked about like any other: a delete cannot be undone.
    if (!MessageDialog::confirm(this, kConfirmTitle, deleteQuestion(m_henList, m_selectedRow)))
        return;
    const bool lastRecord = m_henList.rows() == 2;
    const WriteResult w = deleteLogRow(mainState().dataDir, m_henList, m_selectedRow, backupStampNow());
    if (!w.ok()) {
        MessageDialog::warning(this, QStringLiteral("個別削除"), w.error);
        return;
    }
    m_selectedRow = 0;
    m_cmdRowDel->setEnabled(false);
    // The disabled button would hand the focus on to 新規スタート, two keys away from erasing everything.
    m_msgHenList->setFocus(Qt::OtherFocusReason);
    if (lastRecord)
        emit showDayListRequested();
}

void EditPanel::cmdNew1_Click() {
    if (!MessageDialog::confirm(this, kConfirmTitle,
                                QStringLiteral("これまでのデータを削除して新しくスタートします。よろしいですか？")))
        return;
    const QString name = storableText(m_txtPriData->text());
    const WriteResult w = newStart(mainState().dataDir, name, backupStampNow());
    if (!w.ok()) {
        MessageDialog::warning(this, QStringLiteral("新規スタート"), w.error);
        return;
    }
    appState().userName = name;
    MessageDialog::information(
        this, QStringLiteral("新規スタート準備完了"),
        QStringLiteral(
            "データを削除しました。\r\n\r\n一旦プログラムを終了させていただきます。次の起動から新規スタートです！"));
    emit quitRequested();
}

void EditPanel::cmdPHozon1_Click() {
    // The name file is a quoted list item: a quote or line break cannot stay as typed.
    const QString name = storableText(m_txtPriData->text());
    const WriteResult w = saveName(mainState().dataDir, name);
    if (!w.ok()) {
        MessageDialog::warning(this, QStringLiteral("名前変更"), w.error);
        return;
    }
    if (m_txtPriData->text() != name)
        m_txtPriData->setText(name);
    emit userNameChanged(name);
    MessageDialog::information(this, QStringLiteral("保存終了"), QStringLiteral("保存が終了しました"));
}

void EditPanel::cmdRestore_Click() {
    const QString dir = mainState().dataDir;
    const QList<LogBackup> backups = listLogBackups(dir);
    if (backups.isEmpty()) {
        MessageDialog::information(this, kRestoreTitle,
                                   QStringLiteral("「%1」フォルダに「%2」のバックアップがありません。\r\n"
                                                  "一言日記の保存や個別削除の前に、変更前のデータがそこへ保存されます。")
                                       .arg(kBackupFolder, kPlayLogFile));
        return;
    }
    BackupRestoreDialog dialog(backups, this);
    if (dialog.exec() != QDialog::Accepted || !dialog.chosen())
        return;
    const LogBackup chosen = *dialog.chosen();
    const QString question =
        QStringLiteral("%1 のバックアップ（%2 件）で現在のデータを置き換えます。\r\n"
                       "現在のデータはバックアップしてから置き換えます。よろしいですか？")
            .arg(chosen.when.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")))
            .arg(chosen.plays);
    if (!MessageDialog::confirm(this, QStringLiteral("復元確認"), question, MessageDialog::Cancel))
        return;
    const WriteResult w = restoreLogBackup(dir, chosen.fileName, backupStampNow());
    if (!w.ok()) {
        MessageDialog::warning(this, kRestoreTitle, w.error);
        return;
    }
    fill();
    emit showDayListRequested();
    MessageDialog::information(this, QStringLiteral("復元終了"), QStringLiteral("データを復元しました。"));
}

} // namespace mirute
