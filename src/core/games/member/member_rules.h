#pragma once

#include "core/games/common/game_rules.h"
#include "core/games/member/member_groups.h"
#include "core/tables/grid.h"

namespace mirute {

// 抜仲間: a group's name and all its members but one are shown in the question grid; the missing member is
// typed (through the input method) and judged at Enter. Escape reveals the answer.
class MemberRules : public GameRules {
public:
    MemberRules();

    QString prepare(const QString &dataDir) override; // reads the dictionary
    QString openNotice() const override { return m_notice; }
    void makeQuestion() override;
    void onStart() override; // an empty question grid, no typed characters
    double perSecondCount() const override { return m_typedChars; }
    void onFeedbackEnded() override; // the grid white again; the answer's characters counted

    // The question grid: header = the group's name, one row per shown member.
    Grid &questionGrid() { return m_grid; }
    const Grid &questionGrid() const { return m_grid; }
    void resetQuestionGrid();
    int typedChars() const { return m_typedChars; }
    bool inOrder() const;
    const QList<MemberGroup> &groups() const { return m_groups; }

    // Exact text only: katakana for hiragana, or the revealed "_" form, is wrong.
    bool isCorrect(const QString &typed) const;
    // Enter with the box's committed text.
    void onAnswerEntered(const QString &typed);
    // Escape: the text the box is to show ("_" + answer during a play), or a null text when the box is
    // emptied and the focus goes to "スタート" (no play).
    QString onEscapePressed();

private:
    int drawGroup() const;

    Grid m_grid;
    QList<MemberGroup> m_groups;
    QString m_notice;
    int m_typedChars = 0;
    int m_charsInPause = 0; // of the answer whose feedback is showing
};

} // namespace mirute
