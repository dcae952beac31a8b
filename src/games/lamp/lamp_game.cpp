#include "games/lamp/lamp_game.h"

namespace mirute {

GameDefinition lampDefinition() {
    GameDefinition def;
    def.gameNo = 5;
    def.name = QStringLiteral("ランプ");
    def.windowTitle = QStringLiteral("ランプ");
    def.formName = QStringLiteral("frmG5");
    return def;
}

std::unique_ptr<GameRules> makeLampRules() { return nullptr; }

} // namespace mirute
