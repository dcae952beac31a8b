#include "gui/games/game_views.h"

#include "core/games/kana/kana_rules.h"
#include "gui/games/common/game_window.h"
#include "gui/games/common/label_question_widget.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace mirute {

namespace {

// Enter judges the typed kana; the first key, or the first kana that the input method brings, fixes the
// reaction time of the question (kana typed through an input method arrive without key presses).
class KanaAnswerFilter : public QObject {
public:
    KanaAnswerFilter(GameEngine &engine, QLineEdit *box) : QObject(box), m_engine(engine), m_box(box) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::InputMethod) {
            const auto *input = static_cast<QInputMethodEvent *>(event);
            if (!input->preeditString().isEmpty() || !input->commitString().isEmpty())
                m_engine.answerKeyDown();
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        m_engine.answerKeyDown();
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !m_box->text().isEmpty()) {
            m_engine.rulesAs<KanaRules>().judgeTyped(m_box->text());
            return true;
        }
        return false;
    }

private:
    GameEngine &m_engine;
    QLineEdit *m_box;
};

} // namespace

template <> QWidget *makeGameView<KanaGame>(GameWindow &window) {
    auto *view = new LabelQuestionWidget(window, 4, 4, 36);
    GameEngine &engine = window.engine();
    addInOrderCheckBox(window);
    QObject::connect(&engine, &GameEngine::questionChanged, view,
                     [view, &engine] { view->setTexts(engine.rulesAs<KanaRules>().labels()); });
    window.answerBox()->installEventFilter(new KanaAnswerFilter(engine, window.answerBox()));
    return view;
}

} // namespace mirute
