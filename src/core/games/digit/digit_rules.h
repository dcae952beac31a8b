#pragma once

#include "core/games/common/missing_item_rules.h"

namespace mirute {

// 抜数字: nine of the ten digits are shown in a three-by-three square; the missing one is typed and judged
// on its first character, without Enter.
class DigitRules : public MissingItemRules {
public:
    static constexpr int kLabelCount = 9;

    DigitRules() : MissingItemRules(kLabelCount) {}
    void makeQuestion() override; // MAKE_MONDAI: the labels row by row from the top left
    // txtKaitou_Change: judges the box's text with the time from the question's display to this change.
    void txtKaitou_Change(const QString &typed);
};

} // namespace mirute
