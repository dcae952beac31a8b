#include "core/games/lamp/lamp_game.h"

#include "core/games/lamp/lamp_rules.h"

namespace mirute {

GameDefinition LampGame::definition() {
    GameDefinition def;
    def.gameNo = number;
    def.name = QStringLiteral("ランプ");
    def.windowTitle = QStringLiteral("ランプ");
    def.formName = QStringLiteral("frmG5");
    def.extraFields = {
        // At LampRules::kColorCountField and kShowCountsField.
        {QStringLiteral("コマ"),
         false,
         QStringLiteral("3"),
         {QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")}},
        {QStringLiteral("色ごとの数を表示"), false, QStringLiteral("1"), {}},
    };
    def.perSecondCaption = QStringLiteral("クリック数／秒");
    def.answerColumns = reactionAnswerColumns();
    // The list follows the newest click from the ninth click on.
    def.answerScrollRows = 9;
    def.helpText = joinHelpLines({
        {QStringLiteral("このゲームは『ランプ』です。"), 2},
        {QStringLiteral("２～５色のランプが表示されます。"), 1},
        {QStringLiteral("直感的に数の多いランプを認識しクリックしてください。"), 2},
        {QStringLiteral("計算目的ではないので数えるのではなく、あくまで直感で答えましょう"), 1},
    });
    return def;
}

std::unique_ptr<GameRules> LampGame::makeRules() {
    return std::make_unique<LampRules>();
}

} // namespace mirute
