#include "core/games/member/member_game.h"

#include "core/games/member/member_rules.h"

namespace mirute {

GameDefinition MemberGame::definition() {
    GameDefinition def;
    def.gameNo = number;
    def.name = QStringLiteral("抜仲間");
    def.windowTitle = QStringLiteral("抜仲間タイピング");
    def.formName = QStringLiteral("frmG3");
    def.extraFields = {inOrderField()};
    def.answerColumns = {
        {QStringLiteral("回"), 500, 7}, {QStringLiteral("答"), 2460, 1}, {QStringLiteral("反応秒"), 900, 7}};
    def.answerScrollRows = 11;
    def.helpText = joinHelpLines({
        {QStringLiteral("このゲームは『抜仲間タイピング』です。"), 2},
        {QStringLiteral("あるグループ内の一つをのぞいた内容が出題されます。"), 1},
        {QStringLiteral("抜けている仲間を入力してください。。"), 2},
        {QStringLiteral("例えば…「きかざる、みざる」と出題されたら、「いわざる」をタイプします。"), 1},
        {QStringLiteral("表示順＝登録順にしてプレイする事もできます。"), 2},
        {QStringLiteral("不明な時はＥＳＣキーを押すと解答欄にアンダーバー付き表示されます。"), 1},
        {QStringLiteral("ＮＧ扱いにしたい場合はそのままで。ＯＫにしたい場合は消してＥｎｔｅｒキーを押してください。"),
         2},
        {QStringLiteral("※変換作業を含む単節入力の練習にもなると思います。"), 2},
    });
    return def;
}

std::unique_ptr<GameRules> MemberGame::makeRules() {
    return std::make_unique<MemberRules>();
}

} // namespace mirute
