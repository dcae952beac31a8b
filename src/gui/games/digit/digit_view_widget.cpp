#include "gui/games/game_views.h"

#include "core/games/digit/digit_rules.h"
#include "gui/games/common/game_window.h"
#include "gui/games/common/label_question_widget.h"

#include <QLineEdit>

namespace mirute {

template <> QWidget *makeGameView<DigitGame>(GameWindow &window) {
    auto *view = new LabelQuestionWidget(window, DigitRules::kLabelCount, 3, 36);
    GameEngine &engine = window.engine();
    addInOrderCheckBox(window);
    window.takeDigitsOnly();
    QObject::connect(&engine, &GameEngine::questionChanged, view,
                     [view, &engine] { view->setTexts(engine.rulesAs<DigitRules>().labels()); });
    // Every change of the box is the trigger: the first character typed is the answer.
    QObject::connect(window.answerBox(), &QLineEdit::textChanged, view,
                     [&engine](const QString &text) { engine.rulesAs<DigitRules>().onAnswerChanged(text); });
    return view;
}

} // namespace mirute
