#include "gui/games/game_launcher_window.h"

#include "gui/games/common/game_window.h"
#include "gui/games/game_views.h"
#include "gui/widgets/window_place.h"

#include <QWidget>

namespace mirute {

QWidget *createGameWindow(int gameNo, const QString &dataDir, QString *error, std::function<void()> back) {
    GameWindow *window = nullptr;
    visitGame(gameNo, [&]<class Game>() {
        window = new GameWindow(makeGameEngine<Game>(dataDir));
        window->setQuestionView(makeGameView<Game>(*window));
    });
    if (!window)
        return nullptr;
    const QString openError = window->open();
    if (!openError.isEmpty()) {
        *error = openError;
        delete window;
        return nullptr;
    }
    QObject::connect(window, &GameWindow::backRequested, window, [back, window, dataDir] {
        rememberWindowPlace(window, dataDir);
        back();
    });
    return window;
}

} // namespace mirute
