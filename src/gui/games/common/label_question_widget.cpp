#include "gui/games/common/label_question_widget.h"

#include "gui/games/common/game_window.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>

namespace mirute {

namespace {
// The controls' names, by which tests and assistive tools find them.
const QString kQuestionFrameName = QStringLiteral("shpBase");
const QString kQuestionLabelName = QStringLiteral("lblMondai_%1");
const QString kInOrderBoxName = QStringLiteral("chkHint");
} // namespace

LabelQuestionWidget::LabelQuestionWidget(GameWindow &window, int count, int columns, int pointSize) : QFrame(&window) {
    setObjectName(kQuestionFrameName);
    setAccessibleName(QStringLiteral("問題"));
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    auto *grid = new QGridLayout(this);
    for (int i = 0; i < count; ++i) {
        auto *l = new QLabel(this);
        l->setObjectName(kQuestionLabelName.arg(i + 1));
        l->setTextFormat(Qt::PlainText);
        l->setAlignment(Qt::AlignCenter);
        l->setMinimumSize(window.tw(900), window.tw(900));
        QFont f(QStringLiteral("ＭＳ ゴシック"));
        f.setPointSize(pointSize);
        l->setFont(f);
        // What the label shows is its name (its text); its place is its description.
        l->setAccessibleDescription(QStringLiteral("問題 %1").arg(i + 1));
        grid->addWidget(l, i / columns, i % columns);
        m_labels.append(l);
    }
    setBaseColor(kWhite);
    GameEngine &engine = window.engine();
    connect(&engine, &GameEngine::feedback, this, [this](bool correct) { setBaseColor(judgedColor(correct)); });
    connect(&engine, &GameEngine::feedbackEnded, this, [this] { setBaseColor(kWhite); });
}

void LabelQuestionWidget::setTexts(const QStringList &texts) {
    for (int i = 0; i < m_labels.size(); ++i)
        m_labels[i]->setText(texts.value(i));
}

QStringList LabelQuestionWidget::texts() const {
    QStringList out;
    for (QLabel *l : m_labels)
        out << l->text();
    return out;
}

void LabelQuestionWidget::setBaseColor(const Rgb &c) {
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(c.r, c.g, c.b));
    setPalette(p);
    const bool right = c == kRightColor, wrong = c == kWrongColor;
    setAccessibleDescription(right ? QStringLiteral("正解") : wrong ? QStringLiteral("不正解") : QString());
}

QCheckBox *addInOrderCheckBox(GameWindow &window) {
    auto *box = new QCheckBox(window.engine().definition().extraFields.value(kInOrderField).caption, &window);
    box->setObjectName(kInOrderBoxName);
    window.gameSettingsLayout()->addWidget(box);
    GameEngine &engine = window.engine();
    auto sync = [box, &engine] { box->setChecked(engine.settings().extraFlag(kInOrderField)); };
    QObject::connect(&engine, &GameEngine::controlsChanged, box, sync);
    QObject::connect(box, &QCheckBox::clicked, &engine, [&engine](bool on) { engine.setExtraFlag(kInOrderField, on); });
    return box;
}

} // namespace mirute
