#include "gui/panels/edit_panel.h"

#include "core/base/write_list.h"
#include "core/log/app_state.h"
#include "core/log/new_start.h"
#include "core/views/backup_list.h"
#include "core/views/help_texts.h"
#include "core/views/log_list.h"
#include "gui/panels/backup_restore_dialog.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/message_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mirute {
namespace {

// The controls' names, by which tests and assistive tools find them.
const QString kEditPanelName = QStringLiteral("fraSettei");
const QString kEditListName = QStringLiteral("msgHenList");
const QString kDeleteButtonName = QStringLiteral("cmdRowDel");
const QString kNewStartButtonName = QStringLiteral("cmdNew1");
const QString kSaveNameButtonName = QStringLiteral("cmdPHozon1");
const QString kRestoreButtonName = QStringLiteral("cmdRestore");
const QString kNameBoxName = QStringLiteral("txtPriData");
const QString kNameCaptionName = QStringLiteral("lblPriData");

const QString kConfirmTitle = QStringLiteral("クリア確認");
const QString kRestoreTitle = QStringLiteral("バックアップから復元");

QPushButton *addButton(const QString &caption, const QString &name, QWidget *parent) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(true);
    return b;
}

} // namespace

EditPanel::EditPanel(MainState &state, QWidget *parent) : LogPanel(state, kEditPanelName, parent) {
    resetEditGrid(m_editRows);
    m_editList = new GridWidget(&m_editRows, this);
    m_editList->setObjectName(kEditListName);
    m_editList->setAccessibleName(QStringLiteral("記録の一覧"));
    m_editList->setFileTitle(QStringLiteral("編集_記録の一覧"));
    m_deleteButton = addButton(QStringLiteral("個別削除"), kDeleteButtonName, this);
    m_deleteButton->setEnabled(false);
    m_newStartButton = addButton(QStringLiteral("新規スタート（全削除）"), kNewStartButtonName, this);
    m_saveNameButton = addButton(QStringLiteral("名前変更"), kSaveNameButtonName, this);
    m_restoreButton = addButton(kRestoreTitle, kRestoreButtonName, this);
    m_nameBox = new QLineEdit(this);
    m_nameBox->setObjectName(kNameBoxName);
    m_nameBox->setAccessibleName(QStringLiteral("名前"));
    auto *nameLabel = new QLabel(QStringLiteral("名前"), this);
    nameLabel->setObjectName(kNameCaptionName);
    nameLabel->setTextFormat(Qt::PlainText);
    nameLabel->setBuddy(m_nameBox);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_editList, 1);
    auto *row = new QHBoxLayout;
    row->addWidget(m_deleteButton);
    row->addWidget(m_newStartButton);
    row->addWidget(m_restoreButton);
    row->addStretch();
    row->addWidget(nameLabel);
    row->addWidget(m_nameBox);
    row->addWidget(m_saveNameButton);
    layout->addLayout(row);

    connect(m_editList, &GridWidget::clicked, this, &EditPanel::onEditRowClicked);
    connect(m_deleteButton, &QPushButton::clicked, this, &EditPanel::deleteSelectedPlay);
    connect(m_newStartButton, &QPushButton::clicked, this, &EditPanel::startAfresh);
    connect(m_saveNameButton, &QPushButton::clicked, this, &EditPanel::saveUserName);
    connect(m_restoreButton, &QPushButton::clicked, this, &EditPanel::restoreFromBackup);
}

// Opening the panel: the name, the delete button off, the edit list filled afresh.
void EditPanel::fill() {
    m_nameBox->setText(appState().userName);
    m_deleteButton->setEnabled(false);
    m_selectedRow = 0;
    const PlayLogData log = readLogAndWarn();
    resetEditGrid(m_editRows);
    fillEditList(m_editRows, log.records);
}

QString EditPanel::helpTourText() const {
    return helptexts::edit();
}

QWidget *EditPanel::firstFocus() {
    return m_editList;
}

void EditPanel::onEditRowClicked(int row, int) {
    if (m_editRows.rows() < 2 || row < 1 || row >= m_editRows.rows())
        return;
    m_selectedRow = row;
    m_deleteButton->setEnabled(true);
}

void EditPanel::deleteSelectedPlay() {
    if (m_selectedRow < 1 || m_selectedRow >= m_editRows.rows())
        return;
    // The last remaining record is asked about like any other: a delete cannot be undone.
    if (!MessageDialog::confirm(this, kConfirmTitle, deleteQuestion(m_editRows, m_selectedRow)))
        return;
    const bool lastRecord = m_editRows.rows() == 2;
    const WriteResult w = deleteLogRow(mainState().dataDir, m_editRows, m_selectedRow, backupStampNow());
    if (!w.ok()) {
        MessageDialog::warning(this, QStringLiteral("個別削除"), w.error);
        return;
    }
    m_selectedRow = 0;
    m_deleteButton->setEnabled(false);
    // The disabled button would hand the focus on to 新規スタート, two keys away from erasing everything.
    m_editList->setFocus(Qt::OtherFocusReason);
    if (lastRecord)
        emit showDayListRequested();
}

void EditPanel::startAfresh() {
    if (!MessageDialog::confirm(this, kConfirmTitle,
                                QStringLiteral("これまでのデータを削除して新しくスタートします。よろしいですか？")))
        return;
    const QString name = storableText(m_nameBox->text());
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

void EditPanel::saveUserName() {
    // The name file is a quoted list item: a quote or line break cannot stay as typed.
    const QString name = storableText(m_nameBox->text());
    const WriteResult w = saveName(mainState().dataDir, name);
    if (!w.ok()) {
        MessageDialog::warning(this, QStringLiteral("名前変更"), w.error);
        return;
    }
    if (m_nameBox->text() != name)
        m_nameBox->setText(name);
    emit userNameChanged(name);
    MessageDialog::information(this, QStringLiteral("保存終了"), QStringLiteral("保存が終了しました"));
}

void EditPanel::restoreFromBackup() {
    const QString dir = mainState().dataDir;
    const QList<RestoreEntry> entries = listRestoreEntries(dir);
    if (entries.isEmpty()) {
        MessageDialog::information(
            this, kRestoreTitle,
            QStringLiteral("「%1」フォルダに、データや履歴のバックアップがありません。\r\n"
                           "一言日記の保存、個別削除、新規スタート、ゲームの「クリア」の前に、変更前のファイルがそこへ"
                           "保存されます。")
                .arg(kBackupFolder));
        return;
    }
    BackupRestoreDialog dialog(entries, this);
    if (dialog.exec() != QDialog::Accepted || !dialog.chosen())
        return;
    const RestoreEntry chosen = *dialog.chosen();
    if (!MessageDialog::confirm(this, QStringLiteral("復元確認"), restoreQuestion(chosen), MessageDialog::Cancel))
        return;
    const WriteResult w = restoreBackupSet(dir, chosen.id, backupStampNow());
    if (!w.ok()) {
        MessageDialog::warning(this, kRestoreTitle, w.error);
        return;
    }
    fill();
    emit showDayListRequested();
    MessageDialog::information(this, QStringLiteral("復元終了"), QStringLiteral("バックアップから復元しました。"));
}

} // namespace mirute
