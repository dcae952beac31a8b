#pragma once

#include "core/games/common/game_definition.h"
#include "core/games/common/game_rules.h"

#include <memory>

class QWidget;

namespace mirute {

class GameWindow;

// 座標, game 7: what it is and how it plays (core library, coordinate_game.cpp), and its question area with its
// own settings in the game window (widget library, coordinate_view_widget.cpp).
struct CoordinateGame {
    static constexpr int number = 7;
    static GameDefinition definition();
    static std::unique_ptr<GameRules> makeRules();
    static QWidget *makeView(GameWindow &window);
};

} // namespace mirute
