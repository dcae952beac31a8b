#pragma once

#include "core/games/common/game_definition.h"
#include "core/games/common/game_rules.h"

#include <memory>

class QWidget;

namespace mirute {

class GameWindow;

// ランプ, game 5: what it is and how it plays (core library, lamp_game.cpp), and its question area with its
// own settings in the game window (widget library, lamp_view_widget.cpp).
struct LampGame {
    static constexpr int number = 5;
    static GameDefinition definition();
    static std::unique_ptr<GameRules> makeRules();
    static QWidget *makeView(GameWindow &window);
};

} // namespace mirute
