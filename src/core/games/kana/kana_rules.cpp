#include "core/games/kana/kana_rules.h"

#include "core/games/common/dictionary.h"
#include "core/games/common/game_engine.h"

namespace mirute {

QString KanaRules::prepare(const QString &dataDir) {
    // A row of the kana table has five kana; anything else would leave a blank question cell.
    return readUsableItems(
        dataDir, kKanaDictionary, [](const QString &text) { return text.size() == 5; },
        QStringLiteral("５文字でない項目、または読めない行"), &m_items, &m_notice);
}

namespace {
QStringList kanaOf(const QString &row) {
    QStringList kana;
    for (QChar c : row)
        kana.append(QString(c));
    return kana;
}
} // namespace

void KanaRules::makeQuestion() {
    if (!practising()) {
        showAllButOne(kanaOf(m_items.at(random().index1(int(m_items.size())) - 1)));
        questionShown();
        return;
    }
    // A row comes with the mean weight of its kana, then the missing kana with its own.
    QList<double> rowWeights;
    rowWeights.reserve(m_items.size());
    for (const QString &row : std::as_const(m_items)) {
        double sum = 0;
        for (const QString &kana : kanaOf(row))
            sum += practiceWeight(kana);
        rowWeights.append(sum / qMax<qsizetype>(1, row.size()));
    }
    const QStringList kana = kanaOf(m_items.at(random().weightedIndex0(rowWeights)));
    showAllBut(kana, drawWeighted(kana));
    questionShown();
}

void KanaRules::judgeTyped(const QString &typed) {
    MissingItemRules::judgeTyped(typed, session().reaction);
}

} // namespace mirute
