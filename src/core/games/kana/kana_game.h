#pragma once

#include "core/games/common/game_definition.h"
#include "core/games/common/game_rules.h"

#include <memory>

namespace mirute {

// 抜かな, game 1: what it is and how it plays. The widget library adds its question area in
// the game window (makeGameView).
struct KanaGame {
    static constexpr int number = 1;
    static GameDefinition definition();
    static std::unique_ptr<GameRules> makeRules();
};

} // namespace mirute
