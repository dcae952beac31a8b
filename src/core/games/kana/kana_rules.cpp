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

void KanaRules::makeQuestion() {
    const QString &row = m_items.at(random().index1(int(m_items.size())) - 1);
    QStringList kana;
    for (QChar c : row)
        kana.append(QString(c));
    showAllButOne(kana);
    questionShown();
}

void KanaRules::judgeTyped(const QString &typed) {
    MissingItemRules::judgeTyped(typed, session().reaction);
}

} // namespace mirute
