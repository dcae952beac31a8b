#include "core/games/treasure/treasure_game.h"

#include "core/games/treasure/treasure_rules.h"

namespace mirute {

GameDefinition TreasureGame::definition() {
    GameDefinition def;
    def.gameNo = number;
    def.name = QStringLiteral("宝探し");
    def.windowTitle = QStringLiteral("宝探し");
    def.formName = QStringLiteral("frmG4");
    // At TreasureRules::kCellCountField.
    def.extraFields = {{QStringLiteral("コマ数"),
                        false,
                        QStringLiteral("40"),
                        {QStringLiteral("8"), QStringLiteral("16"), QStringLiteral("24"), QStringLiteral("32"),
                         QStringLiteral("40")}}};
    def.perSecondCaption = QStringLiteral("クリック数／秒");
    def.answerColumns = reactionAnswerColumns();
    def.answerScrollRows = 0;
    def.helpText = joinHelpLines({
        {QStringLiteral("このゲームは『宝探し』です。"), 2},
        {QStringLiteral("形の似た漢字が２種類出題されますが、片方はたった一つだけ表示されます。"), 1},
        {QStringLiteral("似たような漢字の中にこっそりまぎれこんでいるので瞬時に探し出しクリックします。"), 2},
        {QStringLiteral("例えば…多数の「萩」の中にこっそり「荻」がかくれています。"), 2},
    });
    return def;
}

std::unique_ptr<GameRules> TreasureGame::makeRules() {
    return std::make_unique<TreasureRules>();
}

} // namespace mirute
