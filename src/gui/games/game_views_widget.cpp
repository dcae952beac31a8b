#include "gui/games/game_views_widget.h"

#include "gui/games/coordinate/coordinate_view_widget.h"
#include "gui/games/digit/digit_view_widget.h"
#include "gui/games/kana/kana_view_widget.h"
#include "gui/games/lamp/lamp_view_widget.h"
#include "gui/games/member/member_view_widget.h"
#include "gui/games/order/order_view_widget.h"
#include "gui/games/treasure/treasure_view_widget.h"

namespace mirute {

QWidget *createQuestionView(int gameNo, GameWindow &window) {
    switch (gameNo) {
    case 1: return makeKanaView(window);
    case 2: return makeDigitView(window);
    case 3: return makeMemberView(window);
    case 4: return makeTreasureView(window);
    case 5: return makeLampView(window);
    case 6: return makeOrderView(window);
    case 7: return makeCoordinateView(window);
    default: return nullptr;
    }
}

} // namespace mirute
