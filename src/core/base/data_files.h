#pragma once

#include <QString>

namespace mirute {

// The names of the files in the working folder, in one place: every layer reads or writes some of them.
inline const QString kPlayLogFile = QStringLiteral("データ.txt");
inline const QString kNameFile = QStringLiteral("プライベート.txt");
inline const QString kSettingsFile = QStringLiteral("設定.txt");
inline const QString kGoalFile = QStringLiteral("目標.txt");
inline const QString kMemoFile = QStringLiteral("メモ.TXT");
inline const QString kHelpFile = QStringLiteral("MiruteHelp.html");
inline const QString kInstanceLockFile = QStringLiteral(".mirute.lock");
// Where each window was left on the screen, for its next opening.
inline const QString kWindowPlacesFile = QStringLiteral("ウィンドウ.txt");
// Finished plays the program was made to end before they were saved (logout, shutdown), for the next start.
inline const QString kKeptPlaysFile = QStringLiteral("未保存プレイ.txt");

// Each game keeps its settings and its history in files named after the game.
inline QString gameSettingsFile(const QString &gameName) {
    return gameName + QStringLiteral("設定.txt");
}
inline QString gameHistoryFile(const QString &gameName) {
    return gameName + QStringLiteral("履歴.txt");
}
// The games whose questions have an item also keep every answer of their last plays, and the choices of
// their 苦手 view and practice beside it.
inline QString gameAnswersFile(const QString &gameName) {
    return gameName + QStringLiteral("解答.txt");
}
inline QString gameWeakSettingsFile(const QString &gameName) {
    return gameName + QStringLiteral("苦手設定.txt");
}

} // namespace mirute
