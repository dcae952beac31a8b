#include "core/views/help_texts.h"

#include "core/games/common/game_definition.h"

namespace mirute::helptexts {

QString welcome() {
    return joinHelpLines({
        {QStringLiteral("ミルテに興味をもっていただきありがとうございます。(^o^)／"), 2},
        {QStringLiteral("このソフトは「判断力」「分析力」「理解力」などが要求されるプチゲームを楽しみながら "), 1},
        {QStringLiteral("脳を活性化し、健康に保つことを目的としたミルテ支援ソフトです。"), 2},
        {QStringLiteral("ミルテを使って身体の健康だけでなく脳の健康にも気を配りましょう！"), 3},
        {QStringLiteral("<使用方法>"), 1},
        {QStringLiteral("①「ゲーム」ボタンを押すと収録しているゲームアイコンが表示されるので選択します。"), 2},
        {QStringLiteral("②あとはそれぞれのゲームで遊ぶだけ！"), 1},
        {QStringLiteral("　自動的にプレイしたゲームと時間が記録され、継続を促すデータとなります。"), 2},
        {QStringLiteral("データはリストとグラフで表示されます。"), 1},
        {QStringLiteral("グラフは時系列、項目別、時間別の３つに切り替えることができます。"), 2},
        {QStringLiteral("左上のフェイスマークはその日プレイしたゲームの種類数に連動しています。"), 1},
        {QStringLiteral("１種類で「ムスッ」、２種類で「ニコ」、３種類以上で「笑い」です。"), 2},
        {QStringLiteral("その他、色の変化でも把握できます。"), 1},
    });
}

QString allGraphs() {
    return joinHelpLines({
        {QStringLiteral("ミルテを開始した日から現在までの実施推移を表示します。"), 2},
        {QStringLiteral("実施の全データと各項目のトータル回数、時間、最大秒数、平均秒数をリスト表示します。"), 2},
        {QStringLiteral("ボタンを押して６種類のグラフに表示切替できます。"), 2},
    });
}

QString range() {
    return joinHelpLines({
        {QStringLiteral("これまでプレイしてきたデータを「項目」「曜日」「期間」指定で表示できます。"), 2},
        {QStringLiteral("「項目」をリストから選択すると、その「項目」のみのデータになります。"), 1},
        {QStringLiteral("　※状況欄に直接任意の語句を入力することができます。（入力後Enter）"), 2},
        {QStringLiteral("各種曜日ボタンで選択すると指定した曜日でのデータになります。"), 2},
        {QStringLiteral("「期間」をボタンで選択すると指定した期間でのデータになります。"), 1},
        {QStringLiteral("　※期間のコンボリストで任意に指定することも可能です。"), 2},
        {QStringLiteral("時系列、項目別、時間別でグラフ表示することもできます。"), 1},
    });
}

QString sort() {
    return joinHelpLines({
        {QStringLiteral("プレイしたデータを一覧表示しています。"), 2},
        {QStringLiteral("各種データ毎、ボタンを押すたびに「昇順」「降順」で並び替えができます。"), 1},
        {QStringLiteral("項目毎に並び替えたり、秒数が長い順に並び替えたり…など表示をかえることができます。"), 2},
    });
}

QString totals() {
    return joinHelpLines({{QStringLiteral("プレイしたデータを月別、日別の集計結果で見ることができます。"), 2}});
}

QString calendar() {
    return joinHelpLines({
        {QStringLiteral("実施状況を色と数字で把握できるカレンダーです。"), 2},
        {QStringLiteral("月毎のデータリストと週毎のデータリストを持ちます。"), 2},
        {QStringLiteral("色が実施状況（セット数）、数字が合計回数を表します。"), 2},
        {QStringLiteral("週毎で件数と台数をグラフ表示できます。"), 2},
    });
}

QString weeklyScores() {
    return joinHelpLines({
        {QStringLiteral("ゲームごとのスコア（秒当たり × 正解率）を週ごとに表示します。"), 1},
        {QStringLiteral("週は月曜日から日曜日まで、スコアはその週のプレイの平均です。"), 2},
        {QStringLiteral("同じモードと秒数（答数）のプレイだけを比べます。「モード」で選べます。"), 1},
        {QStringLiteral("　※最初は一番多く遊んだモードと秒数（答数）です。"), 2},
        {QStringLiteral("線は平均(4週)：その週と、その前に遊んだ３週までの平均です。"), 1},
        {QStringLiteral("線が右上がりなら上達しています。"), 1},
    });
}

QString diary() {
    return joinHelpLines({
        {QStringLiteral("一回一回の記録ごとにちょっとしたコメントを残すことができます。"), 1},
        {QStringLiteral("簡単な一言日記的な使い方でご利用ください"), 2},
        {QStringLiteral("メモはよりフリーにいろんなことが書き込めます。"), 1},
        {QStringLiteral("それぞれの項目についての効果や意味合いなどを残しておくのも良いと思います。"), 2},
    });
}

QString edit() {
    return joinHelpLines({
        {QStringLiteral("これまでのデータを全部削除して新規にスタートさせたり、個別に削除することができます。"), 2},
        {QStringLiteral("名前（ニックネームM）を登録することもできます"), 2},
    });
}

} // namespace mirute::helptexts
