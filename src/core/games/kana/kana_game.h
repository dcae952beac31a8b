#pragma once

#include "core/games/common/game_definition.h"
#include "core/games/common/game_rules.h"

#include <memory>

class QWidget;

namespace mirute {

class GameWindow;

// 抜かな, game 1: what it is and how it plays (core library, kana_game.cpp), and its question area with its
// own settings in the game window (widget library, kana_view_widget.cpp).
struct KanaGame {
    static constexpr int number = 1;
    static GameDefinition definition();
    static std::unique_ptr<GameRules> makeRules();
    static QWidget *makeView(GameWindow &window);
};

} // namespace mirute
