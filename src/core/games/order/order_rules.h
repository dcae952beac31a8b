#pragma once

#include "core/base/random_source.h"
#include "core/games/common/game_rules.h"
#include "core/tables/grid.h"

#include <QList>
#include <QStringList>

namespace mirute {

// 順番クリック: nine numbers are clicked in ascending or descending order. Every click is scored, but the
// unit of the answer-count mode and of the history's answer column is the finished question.
class OrderRules : public GameRules {
public:
    static constexpr int kNumbers = 9;
    // The game's own settings fields: "桁数" (1 to 3) and "順番" ("小" ascending or "大").
    static constexpr int kDigitCountField = 0, kOrderField = 1;
    enum class Mark { Black, Green, Red };

    void makeQuestion() override;
    void onStart() override;
    void onExtraChanged(int index) override;
    bool hasAnswerBox() const override { return false; }

    int unitsDone() const override { return m_clearCount; }
    int historyAnswers() const override { return m_clearCount; }

    // A click on number `index`, 1..9.
    void click(int index);

    int digitCount() const;
    bool ascending() const; // orderMark "小"; any other text is descending
    // The texts of the nine labels (blank between "スタート" and the green light) and their colours.
    const QStringList &texts() const { return m_texts; }
    Mark mark(int index) const { return m_marks.value(index - 1, Mark::Black); }
    Rgb textColor(int index) const;
    const QStringList &clickOrder() const { return m_clickOrder; }
    int nextPos() const { return m_nextPos; }
    int clearCount() const { return m_clearCount; }

    // The nine numbers of a question: each drawn in 1..limit and drawn again while its digits occur as a
    // run inside a number drawn before it.
    static QList<int> drawNumbers(RandomSource &random, int digitCount);
    // Whether value may follow the numbers recorded in drawnText (",57,3,160,").
    static bool acceptable(const QString &drawnText, int value);
    static QStringList sortedOrder(const QList<int> &numbers, bool ascending);

private:
    void finishQuestion();

    QStringList m_texts = QStringList(kNumbers, QString());
    QList<Mark> m_marks = QList<Mark>(kNumbers, Mark::Black);
    QStringList m_clickOrder;
    int m_nextPos = 1;
    int m_clearCount = 0;
};

} // namespace mirute
