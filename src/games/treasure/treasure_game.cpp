#include "games/treasure/treasure_game.h"

namespace mirute {

GameDefinition treasureDefinition() {
    GameDefinition def;
    def.gameNo = 4;
    def.name = QStringLiteral("宝探し");
    def.windowTitle = QStringLiteral("宝探し");
    def.formName = QStringLiteral("frmG4");
    return def;
}

std::unique_ptr<GameRules> makeTreasureRules() { return nullptr; }

} // namespace mirute
