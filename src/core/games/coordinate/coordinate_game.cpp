#include "core/games/coordinate/coordinate_game.h"

#include "core/games/coordinate/coordinate_rules.h"

namespace mirute {

GameDefinition CoordinateGame::definition() {
    GameDefinition def;
    def.gameNo = number;
    def.name = QStringLiteral("座標");
    def.windowTitle = QStringLiteral("座標タイピング");
    def.formName = QStringLiteral("frmG7");
    def.countCaption = QStringLiteral("行数");
    def.countMax = CoordinateRules::kMaxRows;
    def.reactionHeader = QStringLiteral("文字数");
    def.reactionButton = QStringLiteral("マス数");
    def.reactionUnit = QString();
    // The 行数 filter keeps the complete plays of that many rows: nine answers a row.
    def.countFilterFactor = CoordinateRules::kColumns;
    def.showsBestTime = false;
    def.answerColumns = {{QStringLiteral("回"), 500, 7}, {QStringLiteral("座標"), 665, 7}};
    def.answerScrollRows = 10;
    def.helpText = joinHelpLines({
        {QStringLiteral("このゲームは『座標タイピング』です。"), 2},
        {QStringLiteral("縦横（行列）のマスがランダムに黒く塗りつぶされます。"), 1},
        {QStringLiteral("そこのマスを行列（ＸＹ）の座標で回答します。"), 2},
        {QStringLiteral("座標が正しければ緑、間違うと赤く塗りつぶされます。"), 2},
        {QStringLiteral("テンキータイプ練習にもなると思います。"), 1},
    });
    return def;
}

std::unique_ptr<GameRules> CoordinateGame::makeRules() {
    return std::make_unique<CoordinateRules>();
}

} // namespace mirute
