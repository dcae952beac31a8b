#include "games/digit/digit_rules.h"

#include "games/common/game_engine.h"
#include "log/number_format.h"

namespace mirute {

bool DigitRules::inOrder() const { return engine().settings().extraInt(0) == 1; }

void DigitRules::makeQuestion() {
    GameEngine &e = engine();
    RandomSource &random = e.random();
    QStringList work;
    for (int d = 0; d <= 9; ++d)
        work.append(QString::number(d));
    if (inOrder()) {
        const QString missing = work.takeAt(random.index0(10));
        m_labels = work;
        work = {missing};
    } else {
        for (int i = 0; i < kLabelCount; ++i)
            m_labels[i] = work.takeAt(random.index0(int(work.size())));
    }
    e.session().answer = work.first();
    e.session().shownAt = e.clock().seconds();
}

void DigitRules::onStart() {
    for (QString &l : m_labels)
        l.clear();
}

bool DigitRules::isCorrect(const QString &typed) const { return typed == engine().session().answer; }

void DigitRules::txtKaitou_Change(const QString &typed) {
    GameEngine &e = engine();
    if (!e.acceptAnswer(typed))
        return;
    // No key-down measurement in this game: the typed character itself ends the reaction.
    e.session().reaction = e.clock().seconds() - e.session().shownAt;
    Judgement j;
    j.correct = isCorrect(typed);
    j.reaction = e.session().reaction;
    const QString expected = e.session().answer;
    j.cells = {j.correct ? expected : expected + QStringLiteral(" (") + typed + u')', questionText(),
               formatFixed(j.reaction, 2)};
    e.judge(j);
}

} // namespace mirute
