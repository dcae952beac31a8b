#include "log/diary_panel.h"

#include "app/help_texts.h"
#include "log/log_list.h"
#include "log/memo.h"
#include "ui/grid_widget.h"
#include "ui/message_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mirute {
namespace {

QLabel *plainLabel(const QString &text, const QString &name, QWidget *parent) {
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

} // namespace

DiaryPanel::DiaryPanel(MainState &state, QWidget *parent) : LogPanel(state, QStringLiteral("fraMemo"), parent) {
    INIT_MEMO_GRID(m_memoList);
    m_msgMemoList = new GridWidget(&m_memoList, this);
    m_msgMemoList->setObjectName(QStringLiteral("msgMemoList"));
    m_msgMemoList->setAccessibleName(QStringLiteral("一言日記の一覧"));

    auto *lblMemo = plainLabel(QStringLiteral("一言入力欄 →"), QStringLiteral("lblMemo"), this);
    m_txtMemo = new QLineEdit(this);
    m_txtMemo->setObjectName(QStringLiteral("txtMemo"));
    lblMemo->setBuddy(m_txtMemo);
    m_cmdMemoHozon = new QPushButton(QStringLiteral("一言日記保存"), this);
    m_cmdMemoHozon->setObjectName(QStringLiteral("cmdMemoHozon"));
    m_cmdMemoHozon->setAutoDefault(true);
    m_cmdMemoHozon->setEnabled(false);

    auto *lblKizuki = plainLabel(QStringLiteral("メモ"), QStringLiteral("lblKizuki"), this);
    m_txtKizuki = new QPlainTextEdit(this);
    m_txtKizuki->setObjectName(QStringLiteral("txtKizuki"));
    m_txtKizuki->setTabChangesFocus(true);
    lblKizuki->setBuddy(m_txtKizuki);
    m_cmdKizukiHozon = new QPushButton(QStringLiteral("メモ保存"), this);
    m_cmdKizukiHozon->setObjectName(QStringLiteral("cmdKizukiHozon"));
    m_cmdKizukiHozon->setAutoDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_msgMemoList, 3);
    auto *diaryRow = new QHBoxLayout;
    diaryRow->addWidget(lblMemo);
    diaryRow->addWidget(m_txtMemo, 1);
    diaryRow->addWidget(m_cmdMemoHozon);
    layout->addLayout(diaryRow);
    layout->addWidget(lblKizuki);
    auto *memoRow = new QHBoxLayout;
    memoRow->addWidget(m_txtKizuki, 1);
    memoRow->addWidget(m_cmdKizukiHozon, 0, Qt::AlignBottom);
    layout->addLayout(memoRow, 1);

    connect(m_msgMemoList, &GridWidget::clicked, this, &DiaryPanel::msgMemoList_Click);
    // txtMemo_KeyPress: Enter saves whether or not the button is enabled.
    connect(m_txtMemo, &QLineEdit::returnPressed, this, &DiaryPanel::cmdMemoHozon_Click);
    connect(m_cmdMemoHozon, &QPushButton::clicked, this, &DiaryPanel::cmdMemoHozon_Click);
    connect(m_cmdKizukiHozon, &QPushButton::clicked, this, &DiaryPanel::cmdKizukiHozon_Click);
}

// cmdMemo_Click's part of the panel: INIT_MEMO_GRID, READ_MEMO_LIST, the save button off.
void DiaryPanel::fill() {
    INIT_MEMO_GRID(m_memoList);
    READ_MEMO_LIST(mainState().dataDir, m_memoList);
    m_selectedRow = 0;
    m_cmdMemoHozon->setEnabled(false);
}

QString DiaryPanel::helpTourText() const {
    return helptexts::diary();
}

QWidget *DiaryPanel::firstFocus() {
    return m_msgMemoList;
}

void DiaryPanel::readMemo() {
    const MemoRead memo = READ_MEMO(mainState().dataDir);
    m_txtKizuki->setPlainText(memo.text);
    if (!memo.error.isEmpty())
        MessageDialog::warning(this, QStringLiteral("メモ"), memo.error);
}

void DiaryPanel::msgMemoList_Click(int row, int) {
    if (row < 1 || row >= m_memoList.rows())
        return;
    m_memoList.setRow(row);
    m_memoList.setCol(kDiaryColumn);
    m_txtMemo->setText(m_memoList.text());
    m_selectedRow = row;
    m_cmdMemoHozon->setEnabled(true);
    m_txtMemo->setFocus();
}

void DiaryPanel::cmdMemoHozon_Click() {
    // Enter before any play was clicked has no record to change.
    if (m_selectedRow < 1 || m_selectedRow >= m_memoList.rows())
        return;
    const DiaryChange change =
        replaceDiary(mainState().dataDir, m_memoList, m_selectedRow, m_txtMemo->text(), backupStampNow());
    if (!change.result.ok()) {
        MessageDialog::warning(this, QStringLiteral("一言日記保存"), change.result.error);
        return;
    }
    // The box shows what was stored when a quote or a line break had to be replaced.
    if (m_txtMemo->text() != change.stored)
        m_txtMemo->setText(change.stored);
}

void DiaryPanel::cmdKizukiHozon_Click() {
    const WriteResult w = saveMemo(mainState().dataDir, m_txtKizuki->toPlainText(), backupStampNow());
    if (!w.ok())
        MessageDialog::warning(this, QStringLiteral("メモ保存"), w.error);
}

} // namespace mirute
