#pragma once

#include "core/games/common/game_definition.h"
#include "core/games/common/game_rules.h"

#include <memory>

namespace mirute {

GameDefinition treasureDefinition();
// The rules of 宝探し; nullptr while the game is not available.
std::unique_ptr<GameRules> makeTreasureRules();

} // namespace mirute
