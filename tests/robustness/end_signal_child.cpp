// Helper of the end-signal test: the program's windows on the folder given, one play of 抜かな finished and not
// saved (manual saving, or a save that failed), "ready" printed, then the event loop until a signal ends it.
#include "gui/app/app_controller.h"
#include "gui/games/common/game_window.h"
#include "gui/widgets/message_dialog.h"
#include "support/fake_clock.h"
#include "support/game_play.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <cstdio>

using namespace mirute;

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    test::FakeClock clock;
    ScriptedRandom random;
    setAppClock(&clock);
    setAppRandom(&random);
    MessageDialog::setAutoAnswer(true);
    AppController controller(QString::fromLocal8Bit(argv[argc - 1]));
    QObject::connect(&controller, &AppController::quitRequested, &app, &QApplication::quit, Qt::QueuedConnection);
    controller.showMain();
    controller.openGame(1);
    auto *w = qobject_cast<GameWindow *>(controller.gameWindow());
    if (!w)
        return 1;
    w->engine().setTimersRunning(false);
    w->engine().setFeedbackPauses(false);
    QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("cmdStart")), Qt::LeftButton);
    for (int i = 0; i < 3; ++i)
        w->engine().tickStart();
    clock.advance(1.5);
    test::answerRightly(w);
    std::puts("ready");
    std::fflush(stdout);
    return QApplication::exec();
}
