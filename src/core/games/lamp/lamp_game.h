#pragma once

#include "core/games/common/game_definition.h"
#include "core/games/common/game_rules.h"

#include <memory>

namespace mirute {

GameDefinition lampDefinition();
// The rules of ランプ; nullptr while the game is not available.
std::unique_ptr<GameRules> makeLampRules();

} // namespace mirute
