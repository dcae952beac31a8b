#include "core/games/digit/digit_rules.h"

#include "core/games/common/game_engine.h"

namespace mirute {

void DigitRules::makeQuestion() {
    QStringList digits;
    for (int d = 0; d <= 9; ++d)
        digits.append(QString::number(d));
    if (practising())
        showAllBut(digits, drawWeighted(digits));
    else
        showAllButOne(digits);
    questionShown();
}

void DigitRules::onAnswerChanged(const QString &typed) {
    // No key-down measurement in this game: the typed character itself ends the reaction.
    judgeTyped(typed, clock().seconds() - session().shownAt);
}

} // namespace mirute
