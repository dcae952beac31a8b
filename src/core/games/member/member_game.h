#pragma once

#include "core/games/common/game_definition.h"
#include "core/games/common/game_rules.h"

#include <memory>

class QWidget;

namespace mirute {

class GameWindow;

// 抜仲間, game 3: what it is and how it plays (core library, member_game.cpp), and its question area with its
// own settings in the game window (widget library, member_view_widget.cpp).
struct MemberGame {
    static constexpr int number = 3;
    static GameDefinition definition();
    static std::unique_ptr<GameRules> makeRules();
    static QWidget *makeView(GameWindow &window);
};

} // namespace mirute
