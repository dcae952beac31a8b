#include "core/games/game_registry.h"

namespace mirute {

GameDefinition gameDefinition(int gameNo) {
    GameDefinition def;
    visitGame(gameNo, [&]<class Game>() { def = Game::definition(); });
    return def;
}

std::unique_ptr<GameEngine> createGameEngine(int gameNo, const QString &dataDir) {
    std::unique_ptr<GameEngine> engine;
    visitGame(gameNo, [&]<class Game>() { engine = makeGameEngine<Game>(dataDir); });
    return engine;
}

} // namespace mirute
