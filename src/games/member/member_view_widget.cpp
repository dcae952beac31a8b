#include "games/member/member_view_widget.h"

#include "games/common/game_window.h"
#include "games/common/label_question_widget.h"
#include "games/member/member_rules.h"
#include "ui/grid_widget.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace mirute {

namespace {

// Enter judges the committed text and Escape reveals the answer. While the input method is composing,
// Enter belongs to the conversion: only Enter on committed text is an answer.
class MemberAnswerFilter : public QObject {
public:
    MemberAnswerFilter(GameEngine &engine, QLineEdit *box) : QObject(box), m_engine(engine), m_box(box) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::InputMethod) {
            m_composing = !static_cast<QInputMethodEvent *>(event)->preeditString().isEmpty();
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        m_engine.answerKeyDown();
        if (m_composing)
            return false;
        if (key->key() == Qt::Key_Escape) {
            const QString shown = rules().txtKaitou_Escape();
            if (!shown.isNull())
                m_box->setText(shown);
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !m_box->text().isEmpty()) {
            rules().txtKaitou_Enter(m_box->text());
            return true;
        }
        return false;
    }

private:
    MemberRules &rules() { return m_engine.rulesAs<MemberRules>(); }
    GameEngine &m_engine;
    QLineEdit *m_box;
    bool m_composing = false;
};

} // namespace

QWidget *makeMemberView(GameWindow &window) {
    GameEngine &engine = window.engine();
    auto *grid = new GridWidget(&engine.rulesAs<MemberRules>().questionGrid(), &window);
    grid->setObjectName(QStringLiteral("msgMondai"));
    grid->setAccessibleName(QStringLiteral("問題"));
    grid->setFocusPolicy(Qt::ClickFocus);
    QObject::connect(&engine, &GameEngine::feedback, grid, [grid](bool correct) {
        grid->setAccessibleDescription(correct ? QStringLiteral("正解") : QStringLiteral("不正解"));
    });
    QObject::connect(&engine, &GameEngine::feedbackEnded, grid, [grid] { grid->setAccessibleDescription(QString()); });
    addInOrderCheckBox(window);
    window.answerBox()->installEventFilter(new MemberAnswerFilter(engine, window.answerBox()));
    return grid;
}

} // namespace mirute
