#include "games/order/order_game.h"

namespace mirute {

GameDefinition orderDefinition() {
    GameDefinition def;
    def.gameNo = 6;
    def.name = QStringLiteral("順番クリック");
    def.windowTitle = QStringLiteral("順番クリック");
    def.formName = QStringLiteral("frmG6");
    return def;
}

std::unique_ptr<GameRules> makeOrderRules() { return nullptr; }

} // namespace mirute
