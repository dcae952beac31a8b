#include "gui/games/game_launcher_window.h"

#include "core/games/game_catalog.h"
#include "gui/games/common/game_window.h"
#include "gui/games/game_views_widget.h"

#include <QWidget>

namespace mirute {

QWidget *createGameWindow(int gameNo, const QString &dataDir, QString *error, std::function<void()> back) {
    auto engine = createGameEngine(gameNo, dataDir);
    if (!engine) {
        *error = QStringLiteral("このゲームはまだ準備中です。");
        return nullptr;
    }
    auto *window = new GameWindow(std::move(engine));
    window->setQuestionView(createQuestionView(gameNo, *window));
    const QString openError = window->Form_Load();
    if (!openError.isEmpty()) {
        *error = openError;
        delete window;
        return nullptr;
    }
    QObject::connect(window, &GameWindow::backRequested, window, [back] { back(); });
    return window;
}

} // namespace mirute
