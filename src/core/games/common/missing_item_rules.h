#pragma once

#include "core/games/common/game_rules.h"

#include <QStringList>

namespace mirute {

// The typing games whose question is every item of a row but one, shown in the question labels
// (抜かな: a row of the kana table, 抜数字: the digits). The item left over is the answer.
class MissingItemRules : public GameRules {
public:
    explicit MissingItemRules(int labelCount) : m_labels(labelCount, QString()) {}

    const QStringList &labels() const { return m_labels; }
    // The question as the answer list shows it: the labels joined in label order.
    QString questionText() const { return m_labels.join(QString()); }
    // With "順番通り表示" ticked, the shown items keep their row order.
    bool inOrder() const;
    // Only the exact text counts: hiragana and katakana differ, and so do full- and half-width forms.
    bool isCorrect(const QString &typed) const;
    void onStart() override;

protected:
    // Shows every item but one, in row order or drawn one by one at random, and makes the one left over
    // the expected answer.
    void showAllButOne(QStringList items);
    // The same with the missing item chosen already (苦手練習): the others in row order or drawn one by one.
    void showAllBut(QStringList items, int missing);
    // Judges the typed text with the given reaction time; the answer list shows "expected (typed)" when wrong.
    void judgeTyped(const QString &typed, double reaction);

private:
    QStringList m_labels;
};

} // namespace mirute
