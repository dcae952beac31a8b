#include "core/games/digit/digit_game.h"

#include "core/games/digit/digit_rules.h"

namespace mirute {

GameDefinition DigitGame::definition() {
    GameDefinition def;
    def.gameNo = number;
    def.name = QStringLiteral("抜数字");
    def.windowTitle = QStringLiteral("抜数字タイピング");
    def.formName = QStringLiteral("frmG2");
    def.extraFields = {inOrderField()};
    def.helpText = joinHelpLines({
        {QStringLiteral("このゲームは『抜数字タイピング』です。"), 2},
        {QStringLiteral("数字０～９までのうちの９文字が出題されます。"), 1},
        {QStringLiteral("抜けている数字を入力してください。。"), 2},
        {QStringLiteral("例えば…「５１２９８７６０４」と出題されたら、「３」をタイプします。"), 1},
        {QStringLiteral("表示順を　０１２４５６７８９　のように正規の順番にしてプレイする事もできます。"), 2},
        {QStringLiteral("※テンキーのタイピング練習にもなると思います。"), 2},
    });
    return def;
}

std::unique_ptr<GameRules> DigitGame::makeRules() {
    return std::make_unique<DigitRules>();
}

} // namespace mirute
