#pragma once

#include "core/games/common/game_definition.h"
#include "core/games/common/game_rules.h"

#include <memory>

namespace mirute {

GameDefinition kanaDefinition();
// The rules of 抜かな; nullptr while the game is not available.
std::unique_ptr<GameRules> makeKanaRules();

} // namespace mirute
