#include "gui/panels/goal_dialog.h"

#include "gui/widgets/message_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace mirute {
namespace {

// The controls' names, by which tests and assistive tools find them.
const QString kGoalDialogName = QStringLiteral("dlgMokuhyou");
const QString kMeasureBoxName = QStringLiteral("cboMokuhyou");
const QString kTargetBoxName = QStringLiteral("txtMokuhyou");
const QString kRestBoxName = QStringLiteral("cboYasumi");
const QString kOkButtonName = QStringLiteral("cmdMokuhyouOk");
const QString kGoalCancelButtonName = QStringLiteral("cmdMokuhyouCancel");

const QString kGoalTitle = QStringLiteral("目標");

struct MeasureChoice {
    GoalMeasure measure;
    const char16_t *caption;
    int suggested; // the target offered when the measure is chosen
};
constexpr MeasureChoice kMeasureChoices[] = {{GoalMeasure::None, u"目標なし", 0},
                                             {GoalMeasure::Minutes, u"遊んだ時間（分）", 15},
                                             {GoalMeasure::Plays, u"遊んだ回数（回）", 5},
                                             {GoalMeasure::Games, u"ゲームの種類（種類）", 3}};

} // namespace

GoalDialog::GoalDialog(const QString &dataDir, const DailyGoal &current, QWidget *parent)
    : QDialog(parent), m_dataDir(dataDir) {
    setObjectName(kGoalDialogName);
    setWindowTitle(kGoalTitle);

    m_measureBox = new QComboBox(this);
    m_measureBox->setObjectName(kMeasureBoxName);
    for (const MeasureChoice &c : kMeasureChoices)
        m_measureBox->addItem(QString::fromUtf16(c.caption), int(c.measure));
    m_targetBox = new QSpinBox(this);
    m_targetBox->setObjectName(kTargetBoxName);
    m_restBox = new QComboBox(this);
    m_restBox->setObjectName(kRestBoxName);
    m_restBox->addItem(QStringLiteral("なし（毎日続ける）"), 0);
    for (int days = 1; days <= kMaxRestDays; ++days)
        m_restBox->addItem(QStringLiteral("7 日のうち %1 日まで").arg(days), days);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("毎日の目標"), m_measureBox);
    form->addRow(QStringLiteral("目標の値"), m_targetBox);
    form->addRow(QStringLiteral("休み"), m_restBox);
    auto *about = new QLabel(QStringLiteral("目標を決めると、「連続」と「最長」は目標を達成した日を数え、"
                                            "カレンダーでは達成した日が緑の枠で囲まれます。\n"
                                            "休みを選ぶと、どの 7 日間にもその日数までなら、"
                                            "達成しない日（休み）があっても連続は途切れません。"),
                             this);
    about->setTextFormat(Qt::PlainText);
    about->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(kOkButtonName);
    ok->setDefault(true);
    QPushButton *cancel = buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(kGoalCancelButtonName);
    connect(buttons, &QDialogButtonBox::accepted, this, &GoalDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(about);
    layout->addWidget(buttons);
    about->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("０")) * 30);

    m_measureBox->setCurrentIndex(m_measureBox->findData(int(current.measure)));
    onMeasureChosen();
    if (current.isSet())
        m_targetBox->setValue(current.target);
    m_restBox->setCurrentIndex(m_restBox->findData(current.restDays));
    connect(m_measureBox, &QComboBox::currentIndexChanged, this, &GoalDialog::onMeasureChosen);
    m_measureBox->setFocus();
}

void GoalDialog::onMeasureChosen() {
    const MeasureChoice &c = kMeasureChoices[std::max(0, m_measureBox->currentIndex())];
    const bool set = c.measure != GoalMeasure::None;
    m_targetBox->setEnabled(set);
    m_targetBox->setRange(set ? 1 : 0, goalTargetMax(c.measure));
    m_targetBox->setSuffix(set ? u' ' + goalUnit(c.measure) : QString());
    m_targetBox->setValue(c.suggested);
}

DailyGoal GoalDialog::goal() const {
    DailyGoal g;
    g.measure = GoalMeasure(m_measureBox->currentData().toInt());
    g.target = g.isSet() ? m_targetBox->value() : 0;
    g.restDays = m_restBox->currentData().toInt();
    return g;
}

void GoalDialog::accept() {
    const WriteResult w = writeDailyGoal(m_dataDir, goal());
    if (!w.ok()) {
        MessageDialog::warning(this, kGoalTitle, QStringLiteral("目標を保存できませんでした。\n") + w.error);
        return;
    }
    QDialog::accept();
}

} // namespace mirute
