#include "core/games/treasure/treasure_rules.h"

#include "core/base/number_format.h"
#include "core/games/common/dictionary.h"
#include "core/games/common/game_engine.h"

namespace mirute {

QString TreasureRules::prepare(const QString &dataDir) {
    // A pair needs two different kanji: with one, every visible cell would match and every click be right.
    return readUsableItems(
        dataDir, kTreasureDictionary,
        [](const QString &text) { return text.size() >= 2 && text.front() != text.back(); },
        QStringLiteral("異なる２文字の組になっていない項目、または読めない行"), &m_items, &m_notice);
}

int TreasureRules::cellCount() const {
    // The settings reader keeps the field to its allowed values; whole rows of the field all the same.
    const int n = settings().extraInt(kCellCountField);
    return qBound(1, n / kColumns, kCells / kColumns) * kColumns;
}

QString TreasureRules::pairOf(const QString &item) {
    return item.isEmpty() ? QString() : QString(item.front()) + item.back();
}

void TreasureRules::makeQuestion() {
    int drawn;
    if (practising()) {
        QStringList pairs;
        pairs.reserve(m_items.size());
        for (const QString &item : std::as_const(m_items))
            pairs.append(pairOf(item));
        drawn = drawWeighted(pairs);
    } else {
        drawn = random().index1(int(m_items.size())) - 1;
    }
    const QString &item = m_items.at(drawn);
    m_pair = pairOf(item);
    const bool firstIsCommon = random().index1(2) == 1;
    const QString first(item.front()), last(item.back());
    m_common = firstIsCommon ? first : last;
    setAnswer(firstIsCommon ? last : first);
    m_texts = QStringList(kCells, QString());
    m_visible = cellCount();
    for (int i = 0; i < m_visible; ++i)
        m_texts[i] = m_common;
    m_texts[random().index1(m_visible) - 1] = session().answer;
    questionShown();
}

void TreasureRules::onStart() {
    // The cells stay in view, blank, during the countdown.
    for (QString &t : m_texts)
        t.clear();
}

void TreasureRules::onExtraChanged(int index) {
    if (index == kCellCountField)
        remakeQuestion();
}

void TreasureRules::clickCell(int index) {
    // A second click during a flash is judged against the same field, with a flash of its own.
    if (!clickJudgeable() || !cellVisible(index))
        return;
    Judgement j;
    j.reaction = clock().seconds() - session().shownAt;
    setReaction(j.reaction);
    // A blank cell (during the countdown) never matches.
    j.correct = cellText(index) == session().answer;
    j.cells = {formatFixed(j.reaction, 2)};
    j.item = m_pair;
    j.given = cellText(index);
    // The best is taken before the flash, so that a play ending during the flash saves it.
    if (j.correct)
        offerBest(j.reaction);
    j.updatesBest = false;
    m_flashes.append({index, judgedColor(j.correct)});
    judge(j);
}

Rgb TreasureRules::cellColor(int index) const {
    for (auto f = m_flashes.crbegin(); f != m_flashes.crend(); ++f)
        if (f->first == index)
            return f->second;
    return kWhite;
}

void TreasureRules::onFeedbackEnded() {
    // The flashes end latest first, as their clicks are completed.
    if (!m_flashes.isEmpty())
        m_flashes.removeLast();
}

} // namespace mirute
