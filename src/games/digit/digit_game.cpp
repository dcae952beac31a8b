#include "games/digit/digit_game.h"

namespace mirute {

GameDefinition digitDefinition() {
    GameDefinition def;
    def.gameNo = 2;
    def.name = QStringLiteral("抜数字");
    def.windowTitle = QStringLiteral("抜数字");
    def.formName = QStringLiteral("frmG2");
    return def;
}

std::unique_ptr<GameRules> makeDigitRules() { return nullptr; }

} // namespace mirute
