#pragma once

#include "core/games/common/game_definition.h"
#include "core/games/common/game_rules.h"

#include <memory>

namespace mirute {

GameDefinition digitDefinition();
// The rules of 抜数字; nullptr while the game is not available.
std::unique_ptr<GameRules> makeDigitRules();

} // namespace mirute
