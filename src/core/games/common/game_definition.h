#pragma once

#include "core/base/data_files.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace mirute {

// A settings field after the four common ones: an integer with its allowed values, or a text.
struct ExtraField {
    QString caption;     // of its control in the ゲーム設定 frame, e.g. "順番通り表示": how messages name it
    bool isText = false; // quoted in the file
    QString defaultValue; // as written in the file
    QStringList allowed;  // values accepted from the file; empty: 0 and 1
};

// "順番通り表示" (the items shown in row order), 0 or 1: the first own field of 抜かな, 抜数字 and 抜仲間.
constexpr int kInOrderField = 0;
inline ExtraField inOrderField() {
    return {QStringLiteral("順番通り表示"), false, QStringLiteral("0"), {}};
}

// A column of the answer list: header, width in twips, alignment (1 left, 4 centre, 7 right).
struct AnswerColumn {
    QString header;
    int width = 500;
    int align = 7;
};

inline QList<AnswerColumn> defaultAnswerColumns() {
    return {{QStringLiteral("回"), 500, 7},
            {QStringLiteral("答"), 900, 4},
            {QStringLiteral("問"), 1560, 1},
            {QStringLiteral("反応秒"), 900, 7}};
}
// The two-column list of the click games: answer number and reaction time.
inline QList<AnswerColumn> reactionAnswerColumns(const QString &second = QStringLiteral("反応")) {
    return {{QStringLiteral("回"), 500, 7}, {second, 665, 7}};
}

// What distinguishes one game window from another in the shared framework.
struct GameDefinition {
    int gameNo = 1;
    QString name;                                  // written to the play log; files are named after it
    QString windowTitle;                           // e.g. "抜かなタイピング"
    QString formName;                              // objectName of the window, e.g. "frmG1"
    QString countCaption = QStringLiteral("答数"); // caption of the answer-count mode option (game 7: "行数")
    int countMax = 30;                             // items "1".."countMax" of the count limit and the history filter
    QList<ExtraField> extraFields;
    QString perSecondCaption = QStringLiteral("タイプ数／秒");
    QString reactionHeader = QStringLiteral("反応秒"); // history column 6
    QString reactionButton = QStringLiteral("反応秒"); // caption of the history's reaction chart button
    QString reactionUnit = QStringLiteral("秒");       // of column 6's values; 座標 counts characters
    QString answersButton = QStringLiteral("答数");    // caption of the history's OK/NG chart button
    bool showsBestTime = true;                         // the scoreboard's best reaction; 座標 shows typed characters
    int countFilterFactor = 0; // 0: the 答数 filter compares OK + NG; n: compares field 3 with n × the value
    QString helpText;          // explanation handed to the help tour at opening
    QList<AnswerColumn> answerColumns = defaultAnswerColumns(); // the answer list's columns
    int answerScrollRows = 8; // the answer list scrolls to its newest row beyond this many rows; 0 never

    QString settingsFile() const { return gameSettingsFile(name); }
    QString historyFile() const { return gameHistoryFile(name); }
};

// The explanation texts are lines each followed by a number of CR LF.
QString joinHelpLines(const QList<QPair<QString, int>> &lines);

} // namespace mirute
