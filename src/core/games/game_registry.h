#pragma once

#include "core/games/common/game_engine.h"
#include "core/games/coordinate/coordinate_game.h"
#include "core/games/digit/digit_game.h"
#include "core/games/kana/kana_game.h"
#include "core/games/lamp/lamp_game.h"
#include "core/games/member/member_game.h"
#include "core/games/order/order_game.h"
#include "core/games/treasure/treasure_game.h"

#include <memory>

namespace mirute {

template <class... Games> struct GameList {};

// Every game of the program, one entry each. A game is its folder; its type names the core's two parts, its
// definition and its rules. The widget library adds each game's view (gui/games/game_views.h), so the export
// tool links without the widgets.
using AllGames = GameList<KanaGame, DigitGame, MemberGame, TreasureGame, LampGame, OrderGame, CoordinateGame>;

template <class Visit, class... Games> bool visitGameIn(GameList<Games...>, int gameNo, Visit &visit) {
    return ((Games::number == gameNo ? (visit.template operator()<Games>(), true) : false) || ...);
}

// Calls visit.template operator()<Game>() with the game numbered gameNo; false when there is no such game.
template <class Visit> bool visitGame(int gameNo, Visit &&visit) {
    return visitGameIn(AllGames{}, gameNo, visit);
}

// The engine of a game with its rules, on the program's clock and random source.
template <class Game> std::unique_ptr<GameEngine> makeGameEngine(const QString &dataDir) {
    return std::make_unique<GameEngine>(Game::definition(), Game::makeRules(), dataDir, appClock(), appRandom());
}

// The definition of game `gameNo` (1..7); an empty definition for any other number.
GameDefinition gameDefinition(int gameNo);

} // namespace mirute
