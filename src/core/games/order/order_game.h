#pragma once

#include "core/games/common/game_definition.h"
#include "core/games/common/game_rules.h"

#include <memory>

namespace mirute {

GameDefinition orderDefinition();
// The rules of 順番クリック; nullptr while the game is not available.
std::unique_ptr<GameRules> makeOrderRules();

} // namespace mirute
