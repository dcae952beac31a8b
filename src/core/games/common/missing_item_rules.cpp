#include "core/games/common/missing_item_rules.h"

#include "core/base/number_format.h"
#include "core/games/common/game_engine.h"

namespace mirute {

bool MissingItemRules::inOrder() const {
    return settings().extraFlag(kInOrderField);
}

bool MissingItemRules::isCorrect(const QString &typed) const {
    return typed == session().answer;
}

void MissingItemRules::onStart() {
    for (QString &l : m_labels)
        l.clear();
}

void MissingItemRules::showAllButOne(QStringList items) {
    if (inOrder()) {
        const QString missing = items.takeAt(random().index0(int(items.size())));
        for (int i = 0; i < m_labels.size(); ++i)
            m_labels[i] = items.value(i);
        items = {missing};
    } else {
        for (int i = 0; i < m_labels.size(); ++i)
            m_labels[i] = items.takeAt(random().index0(int(items.size())));
    }
    setAnswer(items.value(0));
}

void MissingItemRules::showAllBut(QStringList items, int missing) {
    const QString answer = items.takeAt(missing);
    for (int i = 0; i < m_labels.size(); ++i)
        m_labels[i] = inOrder() ? items.value(i) : items.takeAt(random().index0(int(items.size())));
    setAnswer(answer);
}

void MissingItemRules::judgeTyped(const QString &typed, double reaction) {
    if (!acceptAnswer(typed))
        return;
    Judgement j;
    j.correct = isCorrect(typed);
    j.reaction = reaction;
    const QString expected = session().answer;
    j.item = expected;
    j.given = typed;
    j.cells = {j.correct ? expected : expected + QStringLiteral(" (") + typed + u')', questionText(),
               formatFixed(reaction, 2)};
    judge(j);
}

} // namespace mirute
