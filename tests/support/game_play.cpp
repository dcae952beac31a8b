#include "support/game_play.h"

#include "core/games/lamp/lamp_rules.h"
#include "core/games/order/order_rules.h"
#include "gui/games/common/game_window.h"
#include "support/window_helpers.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace mirute::test {

void settle() {
    for (int i = 0; i < 4; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

void clickWhereShown(QWidget *window, QWidget *control, const QPoint &inside) {
    const QPoint at = control->mapTo(window, inside);
    QWidget *target = window->childAt(at);
    if (!target)
        target = window;
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(window, at));
    settle();
}

void clickWhereShown(QWidget *window, QWidget *control) {
    clickWhereShown(window, control, control->rect().center());
}

// Cells "…_N" of games 4 to 6, N from 1 row by row in rows of 8, 7 and 3; Space or Enter clicks.
void pressCell(GameWindow *window, int target) {
    const int columns = QList<int>{8, 7, 3}.value(window->engine().definition().gameNo - 4);
    for (int step = 0; step < 20; ++step) {
        const int at = window->focusWidget()->objectName().section(u'_', -1).toInt();
        const int down = (target - 1) / columns - (at - 1) / columns;
        const int right = (target - 1) % columns - (at - 1) % columns;
        if (!down && !right)
            break;
        const Qt::Key key = down ? (down < 0 ? Qt::Key_Up : Qt::Key_Down) : (right < 0 ? Qt::Key_Left : Qt::Key_Right);
        QTest::keyClick(window->focusWidget(), key);
    }
    QTest::keyClick(window->focusWidget(), target % 2 ? Qt::Key_Space : Qt::Key_Return);
}

void answerRightly(GameWindow *window, bool byKeys) {
    GameEngine &engine = window->engine();
    const QString answer = engine.session().answer;
    auto click = [window, byKeys](const QString &name) {
        if (byKeys)
            pressCell(window, name.section(u'_', -1).toInt());
        else
            clickWhereShown(window, namedChild<QWidget>(window, name));
    };
    switch (engine.definition().gameNo) {
    case 1:
    case 3:
        typeCommitted(window->answerBox(), answer);
        QTest::keyClick(window->answerBox(), Qt::Key_Return);
        break;
    case 2:
    case 7: QTest::keyClicks(window->answerBox(), answer); break;
    case 4:
        for (int i = 1; i <= 40; ++i) {
            auto *cell = namedChild<QPushButton>(window, QStringLiteral("lblKanjiP_%1").arg(i));
            if (cell->isVisible() && cell->text() == answer) {
                click(cell->objectName());
                break;
            }
        }
        break;
    case 5: {
        const auto &rules = engine.rulesAs<LampRules>();
        click(QStringLiteral("imgMondai_%1").arg(rules.lampColors().indexOf(rules.mostColor()) + 1));
        break;
    }
    case 6: {
        const auto &rules = engine.rulesAs<OrderRules>();
        const QStringList order = rules.clickOrder(), texts = rules.texts();
        for (const QString &number : order)
            click(QStringLiteral("lblMondai_%1").arg(texts.indexOf(number) + 1));
        break;
    }
    }
    settle();
}

} // namespace mirute::test
