#pragma once

#include "core/games/common/game_definition.h"
#include "core/games/common/game_rules.h"

#include <memory>

namespace mirute {

GameDefinition memberDefinition();
// The rules of 抜仲間; nullptr while the game is not available.
std::unique_ptr<GameRules> makeMemberRules();

} // namespace mirute
