#pragma once

#include "core/games/common/missing_item_rules.h"

namespace mirute {

// 抜数字: nine of the ten digits are shown in a three-by-three square; the missing one is typed and judged
// on its first character, without Enter.
class DigitRules : public MissingItemRules {
public:
    static constexpr int kLabelCount = 9;

    DigitRules() : MissingItemRules(kLabelCount) {}
    void makeQuestion() override; // the labels row by row from the top left
    // Every change of the answer box: judges its text with the time from the question's display to this change.
    void onAnswerChanged(const QString &typed);
};

} // namespace mirute
