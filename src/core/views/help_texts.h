#pragma once

#include <QString>

namespace mirute {

// The help-tour explanations of the main window, one per screen.
namespace helptexts {
QString welcome();
QString allGraphs(); // 全グラフ
QString range();     // 範囲指定
QString sort();      // 並び替え
QString totals();    // 集計表示
QString calendar();  // カレンダー
QString diary();     // 一言日記
QString edit();      // 編集

QString weeklyScores(); // 週別スコア
} // namespace helptexts

} // namespace mirute
