#include "core/games/order/order_rules.h"

#include "core/base/number_format.h"
#include "core/games/common/game_engine.h"

#include <algorithm>

namespace mirute {

namespace {
// Beyond this many refused draws the first acceptable number is taken, so a poor random source cannot
// keep the window drawing for ever.
constexpr int kDrawAttempts = 10000;
} // namespace

int OrderRules::digitCount() const {
    return qBound(1, settings().extraInt(kDigitCountField), 3);
}

bool OrderRules::ascending() const {
    return settings().extraText(kOrderField) == QStringLiteral("小");
}

bool OrderRules::acceptable(const QString &drawnText, int value) {
    return !drawnText.contains(QString::number(value));
}

QList<int> OrderRules::drawNumbers(RandomSource &random, int digitCount) {
    const int limit = digitCount <= 1 ? 9 : digitCount == 2 ? 99 : 999;
    QString drawnText = QStringLiteral(",");
    QList<int> numbers;
    for (int n = 0; n < kNumbers; ++n) {
        int v = random.index1(limit);
        for (int attempt = 0; !acceptable(drawnText, v); ++attempt) {
            if (attempt < kDrawAttempts) {
                v = random.index1(limit);
                continue;
            }
            v = 1;
            while (!acceptable(drawnText, v))
                ++v;
        }
        drawnText += QString::number(v) + u',';
        numbers.append(v);
    }
    return numbers;
}

QStringList OrderRules::sortedOrder(const QList<int> &numbers, bool ascending) {
    QList<int> sorted = numbers;
    if (ascending)
        std::sort(sorted.begin(), sorted.end());
    else
        std::sort(sorted.begin(), sorted.end(), std::greater<int>());
    QStringList out;
    for (int v : sorted)
        out << QString::number(v);
    return out;
}

void OrderRules::makeQuestion() {
    m_marks.fill(Mark::Black);
    QList<int> pool = drawNumbers(random(), digitCount());
    const QList<int> numbers = pool;
    for (int k = 0; k < kNumbers; ++k)
        m_texts[k] = QString::number(pool.takeAt(random().index0(int(pool.size()))));
    m_clickOrder = sortedOrder(numbers, ascending());
    m_nextPos = 1;
    showAnswerCount(m_clearCount);
    questionShown();
}

void OrderRules::onStart() {
    m_clearCount = 0;
    for (QString &t : m_texts)
        t.clear();
}

void OrderRules::onExtraChanged(int index) {
    // A new number of digits makes a new question; the order applies from the next question.
    if (index == kDigitCountField)
        remakeQuestion();
}

Rgb OrderRules::textColor(int index) const {
    switch (mark(index)) {
    case Mark::Green: return {0, 192, 0};
    case Mark::Red: return {255, 0, 0};
    case Mark::Black: break;
    }
    return {0, 0, 0};
}

void OrderRules::click(int index) {
    if (index < 1 || index > kNumbers)
        return;
    if (!clickJudgeable()) {
        focusStart();
        return;
    }
    const bool right = m_nextPos <= kNumbers && m_texts[index - 1] == m_clickOrder.value(m_nextPos - 1);
    if (!right) {
        countAnswer(false);
        if (m_marks[index - 1] != Mark::Green)
            m_marks[index - 1] = Mark::Red;
        return;
    }
    m_marks[index - 1] = Mark::Green;
    countAnswer(true);
    ++m_nextPos;
    if (m_nextPos > kNumbers)
        finishQuestion();
}

void OrderRules::finishQuestion() {
    const double t = clock().seconds() - session().shownAt;
    offerBest(t);
    appendAnswerRow({formatFixed(t, 2)});
    ++m_clearCount;
    // The finished count is shown at once, also when this question ends the play.
    showAnswerCount(m_clearCount);
    if (countLimitReached())
        return;
    nextQuestion();
}

} // namespace mirute
