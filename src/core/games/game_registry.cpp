#include "core/games/game_registry.h"

namespace mirute {

GameDefinition gameDefinition(int gameNo) {
    GameDefinition def;
    visitGame(gameNo, [&]<class Game>() { def = Game::definition(); });
    return def;
}

} // namespace mirute
