#pragma once

#include "core/games/game_registry.h"

class QWidget;

namespace mirute {

class GameWindow;

// The widget library's part of each game: its question area with its own settings in the game window, made
// for a window whose engine runs that game. The games are listed once, in AllGames (core/games/
// game_registry.h), with their definitions and rules; here each adds only its view, defined in
// gui/games/<game>/<game>_view_widget.cpp.
template <class Game> QWidget *makeGameView(GameWindow &window) = delete;
template <> QWidget *makeGameView<KanaGame>(GameWindow &window);
template <> QWidget *makeGameView<DigitGame>(GameWindow &window);
template <> QWidget *makeGameView<MemberGame>(GameWindow &window);
template <> QWidget *makeGameView<TreasureGame>(GameWindow &window);
template <> QWidget *makeGameView<LampGame>(GameWindow &window);
template <> QWidget *makeGameView<OrderGame>(GameWindow &window);
template <> QWidget *makeGameView<CoordinateGame>(GameWindow &window);

template <class Game>
concept HasGameView = requires(GameWindow &window) {
    makeGameView<Game>(window);
};
template <class... Games> constexpr bool everyGameHasView(GameList<Games...>) {
    return (HasGameView<Games> && ...);
}
// A game added to AllGames without a view above is refused here, not at run time.
static_assert(everyGameHasView(AllGames{}), "a game of AllGames has no makeGameView");

} // namespace mirute
