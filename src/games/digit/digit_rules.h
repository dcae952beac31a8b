#pragma once

#include "games/common/game_rules.h"

#include <QStringList>

namespace mirute {

// 抜数字: nine of the ten digits are shown in a three-by-three square; the missing one is typed and judged
// on its first character, without Enter.
class DigitRules : public GameRules {
public:
    static constexpr int kLabelCount = 9;

    void makeQuestion() override;   // MAKE_MONDAI
    void onStart() override;

    // The question labels lblMondai 1 to 9, row by row from the top left.
    const QStringList &labels() const { return m_labels; }
    QString questionText() const { return m_labels.join(QString()); }
    bool inOrder() const;
    // Only the ASCII digit counts: a full-width digit or any other character is wrong.
    bool isCorrect(const QString &typed) const;
    // txtKaitou_Change: judges the box's text with the time from the question's display to this change.
    void txtKaitou_Change(const QString &typed);

private:
    QStringList m_labels = QStringList(kLabelCount, QString());
};

} // namespace mirute
