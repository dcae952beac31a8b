#include "gui/panels/diary_panel.h"

#include "core/log/memo.h"
#include "core/views/help_texts.h"
#include "core/views/log_list.h"
#include "gui/widgets/grid_widget.h"
#include "gui/widgets/message_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mirute {
namespace {

// The controls' names, by which tests and assistive tools find them.
const QString kDiaryPanelName = QStringLiteral("fraMemo");
const QString kDiaryListName = QStringLiteral("msgMemoList");
const QString kDiaryCaptionName = QStringLiteral("lblMemo");
const QString kDiaryBoxName = QStringLiteral("txtMemo");
const QString kDiaryTargetName = QStringLiteral("lblMemoTarget");
const QString kSaveDiaryButtonName = QStringLiteral("cmdMemoHozon");
const QString kMemoCaptionName = QStringLiteral("lblKizuki");
const QString kMemoBoxName = QStringLiteral("txtKizuki");
const QString kSaveMemoButtonName = QStringLiteral("cmdKizukiHozon");

QLabel *plainLabel(const QString &text, const QString &name, QWidget *parent) {
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

} // namespace

DiaryPanel::DiaryPanel(MainState &state, QWidget *parent) : LogPanel(state, kDiaryPanelName, parent) {
    resetDiaryGrid(m_diaryRows);
    m_diaryList = new GridWidget(&m_diaryRows, this);
    m_diaryList->setObjectName(kDiaryListName);
    m_diaryList->setAccessibleName(QStringLiteral("一言日記の一覧"));
    m_diaryList->setFileTitle(QStringLiteral("一言日記"));

    auto *diaryLabel = plainLabel(QStringLiteral("一言入力欄 →"), kDiaryCaptionName, this);
    m_diaryBox = new QLineEdit(this);
    m_diaryBox->setObjectName(kDiaryBoxName);
    diaryLabel->setBuddy(m_diaryBox);
    m_diaryTarget = plainLabel(QString(), kDiaryTargetName, this);
    m_saveDiaryButton = new QPushButton(QStringLiteral("一言日記保存"), this);
    m_saveDiaryButton->setObjectName(kSaveDiaryButtonName);
    m_saveDiaryButton->setAutoDefault(true);
    m_saveDiaryButton->setEnabled(false);

    auto *memoLabel = plainLabel(QStringLiteral("メモ"), kMemoCaptionName, this);
    m_memoBox = new QPlainTextEdit(this);
    m_memoBox->setObjectName(kMemoBoxName);
    m_memoBox->setTabChangesFocus(true);
    memoLabel->setBuddy(m_memoBox);
    m_saveMemoButton = new QPushButton(QStringLiteral("メモ保存"), this);
    m_saveMemoButton->setObjectName(kSaveMemoButtonName);
    m_saveMemoButton->setAutoDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_diaryList, 3);
    auto *diaryRow = new QHBoxLayout;
    diaryRow->addWidget(m_diaryTarget);
    diaryRow->addWidget(diaryLabel);
    diaryRow->addWidget(m_diaryBox, 1);
    diaryRow->addWidget(m_saveDiaryButton);
    layout->addLayout(diaryRow);
    layout->addWidget(memoLabel);
    auto *memoRow = new QHBoxLayout;
    memoRow->addWidget(m_memoBox, 1);
    memoRow->addWidget(m_saveMemoButton, 0, Qt::AlignBottom);
    layout->addLayout(memoRow, 1);

    connect(m_diaryList, &GridWidget::clicked, this, &DiaryPanel::onDiaryRowClicked);
    // In the diary box, Enter saves whether or not the button is enabled.
    connect(m_diaryBox, &QLineEdit::returnPressed, this, &DiaryPanel::onSaveDiaryClicked);
    connect(m_saveDiaryButton, &QPushButton::clicked, this, &DiaryPanel::onSaveDiaryClicked);
    connect(m_saveMemoButton, &QPushButton::clicked, this, &DiaryPanel::onSaveMemoClicked);
    showDiaryTarget();
}

// Opening the panel: the diary list filled afresh, the save button off, the diary box empty (no play is
// chosen, so a text left from before would belong to none).
void DiaryPanel::fill() {
    const PlayLogData log = readLogAndWarn();
    resetDiaryGrid(m_diaryRows);
    fillDiaryList(m_diaryRows, log.records);
    m_selectedRow = 0;
    m_diaryBox->clear();
    m_saveDiaryButton->setEnabled(false);
    showDiaryTarget();
}

// The box tells which play its text belongs to, so that Enter never changes a play the user did not mean.
void DiaryPanel::showDiaryTarget() {
    const bool chosen = m_selectedRow >= 1 && m_selectedRow < m_diaryRows.rows();
    const QString text = chosen ? playOfRow(m_diaryRows, m_selectedRow) + QStringLiteral(" の一言日記")
                                : QStringLiteral("一覧から記録を選んでください");
    m_diaryTarget->setText(text);
    m_diaryBox->setAccessibleDescription(text);
}

QString DiaryPanel::helpTourText() const {
    return helptexts::diary();
}

QWidget *DiaryPanel::firstFocus() {
    return m_diaryList;
}

void DiaryPanel::readMemo() {
    const MemoRead memo = readMemoFile(mainState().dataDir);
    m_memoBox->setPlainText(memo.text);
    // As the box gives it back, so that an untouched memo never reads as changed.
    m_storedMemo = m_memoBox->toPlainText();
    if (!memo.error.isEmpty())
        MessageDialog::warning(this, QStringLiteral("メモ"), memo.error);
}

void DiaryPanel::onDiaryRowClicked(int row, int) {
    if (row < 1 || row >= m_diaryRows.rows())
        return;
    m_diaryRows.setRow(row);
    m_diaryRows.setCol(kDiaryColumn);
    m_diaryBox->setText(m_diaryRows.text());
    m_selectedRow = row;
    showDiaryTarget();
    m_saveDiaryButton->setEnabled(true);
    m_diaryBox->setFocus();
}

void DiaryPanel::onSaveDiaryClicked() {
    // Enter before any play was clicked has no record to change.
    if (m_selectedRow < 1 || m_selectedRow >= m_diaryRows.rows())
        return;
    const DiaryChange change =
        replaceDiary(mainState().dataDir, m_diaryRows, m_selectedRow, m_diaryBox->text(), backupStampNow());
    if (!change.result.ok()) {
        MessageDialog::warning(this, QStringLiteral("一言日記保存"), change.result.error);
        return;
    }
    // The box shows what was stored when a quote or a line break had to be replaced.
    if (m_diaryBox->text() != change.stored)
        m_diaryBox->setText(change.stored);
}

bool DiaryPanel::saveMemoBox() {
    const QString text = m_memoBox->toPlainText();
    const WriteResult w = saveMemo(mainState().dataDir, text, backupStampNow());
    if (!w.ok()) {
        MessageDialog::warning(this, QStringLiteral("メモ保存"), w.error);
        return false;
    }
    m_storedMemo = text;
    return true;
}

void DiaryPanel::onSaveMemoClicked() {
    saveMemoBox();
}

bool DiaryPanel::settleMemo() {
    if (m_memoBox->toPlainText() == m_storedMemo)
        return true;
    switch (MessageDialog::askToSave(this, QStringLiteral("メモ"),
                                     QStringLiteral("メモが保存されていません。保存しますか？"))) {
    case MessageDialog::Ok: return saveMemoBox();
    case MessageDialog::Discard: m_memoBox->setPlainText(m_storedMemo); return true;
    case MessageDialog::Cancel: break;
    }
    m_memoBox->setFocus();
    return false;
}

} // namespace mirute
