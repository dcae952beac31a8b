#include "core/games/kana/kana_game.h"

#include "core/games/common/dictionary.h"
#include "core/games/common/game_engine.h"
#include "core/games/kana/kana_rules.h"

namespace mirute {

GameDefinition KanaGame::definition() {
    GameDefinition def;
    def.gameNo = number;
    def.name = QStringLiteral("抜かな");
    def.windowTitle = QStringLiteral("抜かなタイピング");
    def.formName = QStringLiteral("frmG1");
    def.extraFields = {inOrderField()};
    def.helpText = joinHelpLines({
        {QStringLiteral("このゲームは『抜かなタイピング』です。"), 2},
        {QStringLiteral("ひらがな、カタカナが四文字出題されます。"), 1},
        {QStringLiteral("抜けている文字を入力してください。。"), 2},
        {QStringLiteral("例えば…「いおあう」と出題されたら、「え」をタイプします。"), 1},
        {QStringLiteral("表示順を　あいうお　のように正規の順番にしてプレイする事もできます。"), 2},
        {QStringLiteral("※ひらかな、カタカナのタイピング練習にもなると思います。"), 2},
    });
    return def;
}

std::unique_ptr<GameRules> KanaGame::makeRules() {
    return std::make_unique<KanaRules>();
}

} // namespace mirute
