#include "gui/app/app_controller.h"

#include "gui/app/help_viewer_window.h"
#include "gui/app/main_window.h"
#include "gui/games/common/game_window.h"
#include "gui/games/game_launcher_window.h"
#include "gui/widgets/message_dialog.h"

#include <QCoreApplication>
#include <QShortcut>

#include <cstdio>

namespace mirute {

AppController::AppController(QString dataDir, QObject *parent) : QObject(parent), m_dir(std::move(dataDir)) {
    connect(&m_endSignals, &EndSignals::received, this, &AppController::endBySignal);
}

AppController::~AppController() {
    delete m_main;
    delete m_game;
}

void AppController::showMain() {
    auto *w = new MainWindow(m_dir);
    m_main = w;
    connect(w, &MainWindow::gameRequested, this, &AppController::openGame);
    connect(w, &MainWindow::quitRequested, this, &AppController::quitRequested);
    w->startUp();
}

void AppController::openGame(int gameNo) {
    QString error;
    QWidget *game = createGameWindow(gameNo, m_dir, &error, [this] {
        // Leaving runs after the button's handler has returned, so the game window is not deleted under it.
        QMetaObject::invokeMethod(this, &AppController::backFromGame, Qt::QueuedConnection);
    });
    if (!game) {
        if (!error.isEmpty())
            MessageDialog::warning(m_main, QStringLiteral("ミルテ５"), error);
        return;
    }
    m_game = game;
    // F1 opens the help in a game window as in the main window.
    new QShortcut(QKeySequence::HelpContents, game, game, [game, dir = m_dir] { openHelpViewer(game, dir); });
    if (m_main) {
        m_main->hide();
        m_main->deleteLater();
        m_main = nullptr;
    }
}

void AppController::backFromGame() {
    if (!m_game)
        return;
    QWidget *game = m_game;
    m_game = nullptr;
    showMain();
    game->hide();
    game->deleteLater();
}

void AppController::endBySignal() {
    // Every event loop ends, a question still open among them (answered キャンセル), and any question asked
    // from here on returns at once.
    QCoreApplication::exit(0);
    if (auto *game = qobject_cast<GameWindow *>(m_game.data())) {
        game->engine().leave();
        if (const QString lost = game->engine().keepUnsavedPlay(); !lost.isEmpty())
            std::fprintf(stderr, "mirute: %s\n", qPrintable(lost));
    }
    closeAllHelpWindows();
}

} // namespace mirute
