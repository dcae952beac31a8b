#include "games/coordinate/coordinate_game.h"

namespace mirute {

GameDefinition coordinateDefinition() {
    GameDefinition def;
    def.gameNo = 7;
    def.name = QStringLiteral("座標");
    def.windowTitle = QStringLiteral("座標");
    def.formName = QStringLiteral("frmG7");
    return def;
}

std::unique_ptr<GameRules> makeCoordinateRules() { return nullptr; }

} // namespace mirute
