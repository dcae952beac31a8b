#include "core/games/member/member_rules.h"

#include "core/base/number_format.h"
#include "core/games/common/game_engine.h"

namespace mirute {

namespace {
constexpr int kQuestionWidth = 4300; // twips
constexpr int kQuestionRowHeight = 580;
constexpr int kQuestionFontSize = 24;
} // namespace

MemberRules::MemberRules() {
    resetQuestionGrid();
}

QString MemberRules::prepare(const QString &dataDir) {
    const Dictionary d = readDictionary(dataDir, kMemberDictionary);
    if (const QString refusal = dictionaryRefusal(d); !refusal.isEmpty())
        return refusal;
    const MemberGroups read = parseMemberGroups(d);
    m_groups = read.groups;
    m_notice = read.skippedMessage();
    if (m_groups.isEmpty())
        return emptyDictionaryMessage(kMemberDictionary);
    resetQuestionGrid();
    return {};
}

void MemberRules::resetQuestionGrid() {
    GridBatch batch(m_grid);
    m_grid.clear();
    m_grid.setRows(1);
    m_grid.setCols(1);
    m_grid.setFontSize(kQuestionFontSize);
    m_grid.setColWidth(0, kQuestionWidth);
    m_grid.setFixedAlignment(0, Grid::Center);
}

bool MemberRules::inOrder() const {
    return settings().extraFlag(kInOrderField);
}

int MemberRules::drawGroup() const {
    if (!practising())
        return random().index1(int(m_groups.size())) - 1;
    // A group comes with the mean weight of its members, then the missing member with its own.
    QList<double> weights;
    weights.reserve(m_groups.size());
    for (const MemberGroup &g : m_groups) {
        double sum = 0;
        for (const QString &m : g.members)
            sum += practiceWeight(m);
        weights.append(sum / qMax<qsizetype>(1, g.members.size()));
    }
    return random().weightedIndex0(weights);
}

void MemberRules::makeQuestion() {
    const MemberGroup &group = m_groups.at(drawGroup());
    QStringList work = group.members;
    QStringList shown;
    if (practising()) {
        const QString missing = work.takeAt(drawWeighted(work));
        while (!work.isEmpty())
            shown << work.takeAt(inOrder() ? 0 : random().index0(int(work.size())));
        work = {missing};
    } else if (inOrder()) {
        const QString missing = work.takeAt(random().index0(int(work.size())));
        shown = work;
        work = {missing};
    } else {
        while (work.size() > 1)
            shown << work.takeAt(random().index0(int(work.size())));
    }
    {
        // The rows of the previous question go: a smaller group must not leave members of a larger one.
        GridBatch batch(m_grid);
        m_grid.setRows(1);
        m_grid.setTextMatrix(0, 0, group.name);
        for (const QString &member : shown)
            m_grid.appendRow({member});
        m_grid.setRowHeight(kQuestionRowHeight);
    }
    setAnswer(work.first());
    questionShown();
}

void MemberRules::onStart() {
    resetQuestionGrid();
    m_typedChars = 0;
    m_charsInPause = 0;
}

bool MemberRules::isCorrect(const QString &typed) const {
    return typed == session().answer;
}

void MemberRules::onAnswerEntered(const QString &typed) {
    if (!acceptAnswer(typed))
        return;
    // The reaction of this game runs from the question's display to Enter.
    setReaction(clock().seconds() - session().shownAt);
    Judgement j;
    j.correct = isCorrect(typed);
    j.reaction = session().reaction;
    const QString expected = session().answer;
    j.item = expected;
    j.given = typed;
    j.cells = {j.correct ? expected : expected + QStringLiteral(" (") + typed + u')', formatFixed(j.reaction, 2)};
    // Wrong answers count too; counted once the pause is over, so a play ending during it leaves them out.
    m_charsInPause = int(typed.size());
    m_grid.setBackColor(judgedColor(j.correct));
    judge(j);
}

QString MemberRules::onEscapePressed() {
    if (engine().startEnabled()) {
        backToStart();
        return {};
    }
    return QStringLiteral("_") + session().answer;
}

void MemberRules::onFeedbackEnded() {
    m_grid.setBackColor(kWhite);
    m_typedChars += m_charsInPause;
    m_charsInPause = 0;
}

} // namespace mirute
