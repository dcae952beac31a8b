#include "core/games/order/order_game.h"

#include "core/games/order/order_rules.h"

namespace mirute {

GameDefinition OrderGame::definition() {
    GameDefinition def;
    def.gameNo = number;
    def.name = QStringLiteral("順番クリック");
    def.windowTitle = QStringLiteral("順番クリック");
    def.formName = QStringLiteral("frmG6");
    def.extraFields = {
        // At OrderRules::kDigitCountField and kOrderField.
        {QStringLiteral("桁数"),
         false,
         QStringLiteral("2"),
         {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}},
        {QStringLiteral("順番"), true, QStringLiteral("小"), {QStringLiteral("小"), QStringLiteral("大")}},
    };
    def.perSecondCaption = QStringLiteral("クリック数／秒");
    def.reactionHeader = QStringLiteral("クリア");
    def.reactionButton = QStringLiteral("クリア秒");
    def.answersButton = QStringLiteral("クリック");
    // The 答数 filter compares the finished questions of field 3, the unit this game counts.
    def.countFilterFactor = 1;
    def.answerColumns = reactionAnswerColumns();
    def.helpText = joinHelpLines({
        {QStringLiteral("このゲームは『順番クリック』です。"), 2},
        {QStringLiteral("１桁～３桁の数字が９つ表示されます。"), 1},
        {QStringLiteral("表示される数字を小さい順や大きい順にクリックしてください。"), 2},
        {QStringLiteral("順番を正しくクリックできたときは緑、間違ったときは赤く表示されます。"), 1},
        {QStringLiteral("※数字の桁数と小さい順にするか大きい順にするかを選択することができます。"), 1},
    });
    return def;
}

std::unique_ptr<GameRules> OrderGame::makeRules() {
    return std::make_unique<OrderRules>();
}

} // namespace mirute
