#pragma once

#include "core/games/common/game_definition.h"
#include "core/games/common/game_rules.h"

#include <memory>

class QWidget;

namespace mirute {

class GameWindow;

// 順番クリック, game 6: what it is and how it plays (core library, order_game.cpp), and its question area with its
// own settings in the game window (widget library, order_view_widget.cpp).
struct OrderGame {
    static constexpr int number = 6;
    static GameDefinition definition();
    static std::unique_ptr<GameRules> makeRules();
    static QWidget *makeView(GameWindow &window);
};

} // namespace mirute
