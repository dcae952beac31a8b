#pragma once

#include "core/games/common/game_definition.h"
#include "core/games/common/game_rules.h"

#include <memory>

namespace mirute {

GameDefinition coordinateDefinition();
// The rules of 座標; nullptr while the game is not available.
std::unique_ptr<GameRules> makeCoordinateRules();

} // namespace mirute
