// Helper of the end-signal test: the program's windows on the folder given, one play of 抜かな finished and not
// saved (manual saving, or with "full" a failed automatic save, every file limited to 0 bytes meanwhile),
// "ready" printed, then the event loop until a signal ends the program.
#include "core/base/random_source.h"
#include "gui/app/app_controller_window.h"
#include "gui/games/common/game_window.h"
#include "gui/widgets/message_dialog.h"
#include "support/fake_clock.h"
#include "support/game_play.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>

using namespace mirute;

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    test::FakeClock clock;
    ScriptedRandom random;
    setAppClock(&clock);
    setAppRandom(&random);
    MessageDialog::setAutoAnswer(true);
    AppController controller(QString::fromLocal8Bit(argv[1]));
    QObject::connect(&controller, &AppController::quitRequested, &app, &QApplication::quit, Qt::QueuedConnection);
    controller.showMain();
    controller.openGame(1);
    auto *w = qobject_cast<GameWindow *>(controller.gameWindow());
    if (!w)
        return 3;
    w->engine().setTimersRunning(false);
    w->engine().setFeedbackMs(0);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    if (qstrcmp(argv[2], "full") == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit none = old;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &none);
    }
    QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("cmdStart")), Qt::LeftButton);
    for (int i = 0; i < 3; ++i)
        w->engine().tickStart();
    clock.advance(1.5);
    test::answerRightly(w);
    setrlimit(RLIMIT_FSIZE, &old);
    std::puts(w->engine().playUnsavedAfterFailure() || qstrcmp(argv[2], "full") != 0 ? "ready" : "saved");
    std::fflush(stdout);
    return QApplication::exec();
}
