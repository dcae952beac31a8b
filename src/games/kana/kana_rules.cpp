#include "games/kana/kana_rules.h"

#include "games/common/dictionary.h"
#include "games/common/game_engine.h"
#include "log/number_format.h"

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

bool KanaRules::inOrder() const { return engine().settings().extraInt(0) == 1; }

void KanaRules::makeQuestion() {
    GameEngine &e = engine();
    RandomSource &random = e.random();
    const QString &row = m_items.at(random.index1(int(m_items.size())) - 1);
    QStringList work;
    for (QChar c : row)
        work.append(QString(c));
    if (inOrder()) {
        const int h = random.index0(5);
        const QString missing = work.takeAt(h);
        for (int i = 0; i < 4; ++i)
            m_labels[i] = work[i];
        work = {missing};
    } else {
        for (int i = 0; i < 4; ++i) {
            const int j = random.index0(int(work.size()));
            m_labels[i] = work.takeAt(j);
        }
    }
    e.session().answer = work.first();
    e.session().reaction = 0;
    e.session().shownAt = e.clock().seconds();
}

void KanaRules::onStart() {
    for (QString &l : m_labels)
        l.clear();
}

bool KanaRules::isCorrect(const QString &typed) const { return typed == engine().session().answer; }

void KanaRules::judgeTyped(const QString &typed) {
    GameEngine &e = engine();
    if (!e.acceptAnswer(typed))
        return;
    Judgement j;
    j.correct = isCorrect(typed);
    j.reaction = e.session().reaction;
    const QString expected = e.session().answer;
    j.cells = {j.correct ? expected : expected + QStringLiteral(" (") + typed + u')', questionText(),
               formatFixed(j.reaction, 2)};
    e.judge(j);
}

} // namespace mirute
