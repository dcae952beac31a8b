#include "core/games/common/game_rules.h"

#include "core/base/number_format.h"
#include "core/games/common/game_engine.h"

namespace mirute {

int GameRules::unitsDone() const {
    return session().okCount + session().ngCount;
}

double GameRules::perSecondCount() const {
    return session().okCount + session().ngCount;
}

int GameRules::historyAnswers() const {
    return session().okCount + session().ngCount;
}

QString GameRules::historyReaction() const {
    return formatNumber(leadingNumber(engine().scoreboard().best));
}

QString GameRules::diaryText(const QString &seconds, int answers, const QString &reaction) const {
    return QStringLiteral("秒数 : ") + seconds + QStringLiteral("   答数 : ") + QString::number(answers) +
           QStringLiteral("  反応時間  ") + reaction + QStringLiteral("秒");
}

const GameSession &GameRules::session() const {
    return engine().session();
}
const GameSettings &GameRules::settings() const {
    return engine().settings();
}
Clock &GameRules::clock() const {
    return engine().m_clock;
}
RandomSource &GameRules::random() const {
    return engine().m_random;
}

bool GameRules::practising() const {
    return engine().practising();
}
double GameRules::practiceWeight(const QString &item) const {
    return engine().practiceWeight(item);
}
int GameRules::drawWeighted(const QStringList &items) const {
    QList<double> weights;
    weights.reserve(items.size());
    for (const QString &item : items)
        weights.append(practiceWeight(item));
    return random().weightedIndex0(weights);
}

void GameRules::setAnswer(const QString &answer) {
    engine().m_session.answer = answer;
}

void GameRules::questionShown() {
    engine().m_session.reaction = 0;
    engine().m_session.shownAt = clock().seconds();
}

void GameRules::setReaction(double seconds) {
    engine().m_session.reaction = seconds;
}

bool GameRules::acceptAnswer(const QString &typed) {
    return engine().acceptAnswer(typed);
}
bool GameRules::clickJudgeable() const {
    return engine().clickJudgeable();
}
bool GameRules::feedbackPending() const {
    return engine().feedbackPending();
}
void GameRules::judge(const Judgement &j) {
    engine().judge(j);
}
void GameRules::countAnswer(bool correct) {
    engine().countAnswer(correct);
}
void GameRules::appendAnswerRow(const QStringList &cells) {
    engine().appendAnswerRow(cells);
}
void GameRules::offerBest(double seconds) {
    engine().offerBest(seconds);
}
bool GameRules::countLimitReached() {
    return engine().countLimitReached();
}
void GameRules::nextQuestion() {
    engine().nextQuestion();
}
void GameRules::showAnswerCount(int count) {
    engine().showAnswerCount(count);
}
void GameRules::focusStart() {
    emit engine().focusRequested(GameEngine::Focus::Start);
}
void GameRules::clearAnswerBox() {
    emit engine().answerBoxCleared();
}
void GameRules::backToStart() {
    engine().backToStart();
}
void GameRules::endEarly(bool anythingTyped) {
    engine().endEarly(anythingTyped);
}
void GameRules::remakeQuestion() {
    engine().makeQuestion();
}
void GameRules::yieldToEvents() {
    engine().yieldToEvents();
}

} // namespace mirute
