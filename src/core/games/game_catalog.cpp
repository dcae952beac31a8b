#include "core/games/game_catalog.h"

#include "core/games/coordinate/coordinate_game.h"
#include "core/games/digit/digit_game.h"
#include "core/games/kana/kana_game.h"
#include "core/games/lamp/lamp_game.h"
#include "core/games/member/member_game.h"
#include "core/games/order/order_game.h"
#include "core/games/treasure/treasure_game.h"

namespace mirute {

GameDefinition gameDefinition(int gameNo) {
    switch (gameNo) {
    case 1: return kanaDefinition();
    case 2: return digitDefinition();
    case 3: return memberDefinition();
    case 4: return treasureDefinition();
    case 5: return lampDefinition();
    case 6: return orderDefinition();
    case 7: return coordinateDefinition();
    default: return {};
    }
}

namespace {
std::unique_ptr<GameRules> rulesFor(int gameNo) {
    switch (gameNo) {
    case 1: return makeKanaRules();
    case 2: return makeDigitRules();
    case 3: return makeMemberRules();
    case 4: return makeTreasureRules();
    case 5: return makeLampRules();
    case 6: return makeOrderRules();
    case 7: return makeCoordinateRules();
    default: return nullptr;
    }
}
} // namespace

std::unique_ptr<GameEngine> createGameEngine(int gameNo, const QString &dataDir) {
    auto rules = rulesFor(gameNo);
    if (!rules)
        return nullptr;
    return std::make_unique<GameEngine>(gameDefinition(gameNo), std::move(rules), dataDir, appClock(), appRandom());
}

} // namespace mirute
