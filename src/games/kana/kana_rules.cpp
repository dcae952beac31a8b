#include "games/kana/kana_rules.h"

#include "games/common/dictionary.h"
#include "games/common/game_engine.h"

namespace mirute {

QString KanaRules::prepare(const QString &dataDir) {
    const Dictionary d = readDictionary(dataDir, kKanaDictionary);
    if (!d.exists)
        return missingDictionaryMessage(kKanaDictionary);
    if (!d.error.isEmpty())
        return d.error;
    QList<int> skipped;
    m_items.clear();
    for (const DictionaryItem &item : d.items) {
        // A row of the kana table has five kana; anything else would leave a blank question cell.
        if (item.text.size() == 5)
            m_items.append(item.text);
        else
            skipped.append(item.line);
    }
    for (const LineProblem &p : d.problems)
        skipped.append(p.line);
    std::sort(skipped.begin(), skipped.end());
    if (!skipped.isEmpty())
        m_notice = skippedItemsMessage(kKanaDictionary, skipped, QStringLiteral("５文字でない項目、または読めない行"));
    if (m_items.isEmpty())
        return emptyDictionaryMessage(kKanaDictionary);
    return {};
}

void KanaRules::makeQuestion() {
    GameEngine &e = engine();
    const QString &row = m_items.at(e.random().index1(int(m_items.size())) - 1);
    QStringList kana;
    for (QChar c : row)
        kana.append(QString(c));
    showAllButOne(kana);
    e.session().reaction = 0;
    e.session().shownAt = e.clock().seconds();
}

void KanaRules::judgeTyped(const QString &typed) { MissingItemRules::judgeTyped(typed, engine().session().reaction); }

} // namespace mirute
