#pragma once

#include "core/games/common/game_definition.h"
#include "core/games/common/game_rules.h"

#include <memory>

class QWidget;

namespace mirute {

class GameWindow;

// 抜数字, game 2: what it is and how it plays (core library, digit_game.cpp), and its question area with its
// own settings in the game window (widget library, digit_view_widget.cpp).
struct DigitGame {
    static constexpr int number = 2;
    static GameDefinition definition();
    static std::unique_ptr<GameRules> makeRules();
    static QWidget *makeView(GameWindow &window);
};

} // namespace mirute
