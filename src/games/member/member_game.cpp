#include "games/member/member_game.h"

namespace mirute {

GameDefinition memberDefinition() {
    GameDefinition def;
    def.gameNo = 3;
    def.name = QStringLiteral("抜仲間");
    def.windowTitle = QStringLiteral("抜仲間");
    def.formName = QStringLiteral("frmG3");
    return def;
}

std::unique_ptr<GameRules> makeMemberRules() { return nullptr; }

} // namespace mirute
