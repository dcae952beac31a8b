#include "gui/games/game_views.h"

#include "core/games/member/member_rules.h"
#include "gui/games/common/game_window.h"
#include "gui/games/common/label_question_widget.h"
#include "gui/widgets/grid_widget.h"

#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

namespace mirute {

namespace {

// The controls' names, by which tests and assistive tools find them.
const QString kQuestionGridName = QStringLiteral("msgMondai");

// Question rows the grid shows without scrolling: at least this many, and for a larger group all its
// members up to the most a screen of 768 dots has room for.
constexpr int kShownMembers = 6;
constexpr int kMostShownMembers = 13;

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
            const QString shown = rules().onEscapePressed();
            if (!shown.isNull())
                m_box->setText(shown);
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !m_box->text().isEmpty()) {
            rules().onAnswerEntered(m_box->text());
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

template <> QWidget *makeGameView<MemberGame>(GameWindow &window) {
    GameEngine &engine = window.engine();
    auto *grid = new GridWidget(&engine.rulesAs<MemberRules>().questionGrid(), &window);
    grid->setObjectName(kQuestionGridName);
    grid->setAccessibleName(QStringLiteral("問題"));
    grid->setFocusPolicy(Qt::ClickFocus);
    QObject::connect(&engine, &GameEngine::feedback, grid, [grid](bool correct) {
        grid->setAccessibleDescription(correct ? QStringLiteral("正解") : QStringLiteral("不正解"));
    });
    QObject::connect(&engine, &GameEngine::feedbackEnded, grid, [grid] { grid->setAccessibleDescription(QString()); });
    // The largest group of the dictionary shows whole; the grid stands beside the history to have the room.
    QObject::connect(&engine, &GameEngine::questionChanged, grid, [grid, &engine] {
        int members = 0;
        for (const MemberGroup &g : engine.rulesAs<MemberRules>().groups())
            members = qMax(members, int(g.members.size()));
        const int rows = qBound(kShownMembers, members - 1, kMostShownMembers);
        grid->setMinimumSize(grid->columnWidth(0) + grid->verticalScrollBar()->sizeHint().width() +
                                 2 * grid->frameWidth(),
                             grid->horizontalHeader()->sizeHint().height() +
                                 rows * grid->verticalHeader()->defaultSectionSize() + 2 * grid->frameWidth());
    });
    window.placeQuestionBesideHistory();
    addInOrderCheckBox(window);
    window.answerBox()->installEventFilter(new MemberAnswerFilter(engine, window.answerBox()));
    return grid;
}

} // namespace mirute
