#pragma once

#include "core/games/common/game_definition.h"
#include "core/games/common/game_rules.h"

#include <memory>

class QWidget;

namespace mirute {

class GameWindow;

// 宝探し, game 4: what it is and how it plays (core library, treasure_game.cpp), and its question area with its
// own settings in the game window (widget library, treasure_view_widget.cpp).
struct TreasureGame {
    static constexpr int number = 4;
    static GameDefinition definition();
    static std::unique_ptr<GameRules> makeRules();
    static QWidget *makeView(GameWindow &window);
};

} // namespace mirute
