#pragma once

#include "core/games/common/game_engine.h"

#include <memory>

namespace mirute {

// The definition of game `gameNo` (1..7).
GameDefinition gameDefinition(int gameNo);
// The engine of game `gameNo` with its rules, on the program's clock and random source; nullptr when the
// game is not available.
std::unique_ptr<GameEngine> createGameEngine(int gameNo, const QString &dataDir);

} // namespace mirute
