#pragma once

#include "core/games/common/game_definition.h"
#include "core/games/common/game_rules.h"

#include <memory>

namespace mirute {

// 宝探し, game 4: what it is and how it plays. The widget library adds its question area in
// the game window (makeGameView).
struct TreasureGame {
    static constexpr int number = 4;
    static GameDefinition definition();
    static std::unique_ptr<GameRules> makeRules();
};

} // namespace mirute
