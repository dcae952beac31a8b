#pragma once

#include "core/games/common/missing_item_rules.h"

namespace mirute {

inline const QString kKanaDictionary = QStringLiteral("抜かな辞書.TXT");

// 抜かな: four of the five kana of a row are shown; the missing one is typed and judged at Enter.
class KanaRules : public MissingItemRules {
public:
    KanaRules() : MissingItemRules(4) {}
    QString prepare(const QString &dataDir) override; // reads the dictionary
    QString openNotice() const override { return m_notice; }
    void makeQuestion() override;
    // Enter in the answer box: judged with the reaction fixed by the first key of the question.
    void judgeTyped(const QString &typed);

    QStringList dictionary() const { return m_items; }
    void setDictionary(const QStringList &items) { m_items = items; }

private:
    QStringList m_items;
    QString m_notice;
};

} // namespace mirute
