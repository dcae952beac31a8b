#pragma once

#include <QString>
#include <QStringList>

namespace mirute {

class Clock;
class GameEngine;
class RandomSource;
struct GameSession;
struct GameSettings;
struct Judgement;

// What each game adds to the shared engine: its question, its counts and the texts it saves.
// The defaults are those of the typing games; each game overrides what its window does differently.
// A game changes the play only through the protected steps below, which the engine offers to its rules alone.
class GameRules {
public:
    virtual ~GameRules() = default;
    void attach(GameEngine *engine) { m_engine = engine; }

    // Loads what the game needs (its dictionary); a non-empty text refuses to open the window.
    virtual QString prepare(const QString &dataDir) {
        Q_UNUSED(dataDir);
        return {};
    }
    // Something the user should know after opening (dictionary items that were skipped), or "".
    virtual QString openNotice() const { return {}; }
    // Makes the next question ready for display: the expected answer and the moment it is shown.
    virtual void makeQuestion() = 0;
    // "スタート" was pressed: clear the question display and the game's own counters.
    virtual void onStart() {}
    // At the green light, before the question is made.
    virtual void onGreenLight() {}
    // A settings field of the game's own changed (index into the extra fields).
    virtual void onExtraChanged(int index) { Q_UNUSED(index); }
    virtual void onModeChanged() {}
    virtual void onCountLimitChanged() {}
    // An answer's feedback is over: the game takes its colours back before the window shows them again.
    virtual void onFeedbackEnded() {}

    virtual bool questionAtOpen() const { return true; }
    virtual bool hasAnswerBox() const { return true; }
    virtual bool disablesClearDuringPlay() const { return true; }
    // The units that end an answer-count play, and how many the chosen count asks for.
    virtual int unitsDone() const;
    virtual int unitsTarget(int countValue) const { return countValue; }
    // The count divided by the seconds for "0.00/秒".
    virtual double perSecondCount() const;
    // History field 3 and field 6.
    virtual int historyAnswers() const;
    virtual QString historyReaction() const;
    // The play record's diary text.
    virtual QString diaryText(const QString &seconds, int answers, const QString &reaction) const;

protected:
    GameEngine &engine() const { return *m_engine; }
    const GameSession &session() const;
    const GameSettings &settings() const;
    Clock &clock() const;
    RandomSource &random() const;

    // 苦手練習 is on: the game draws its items by practiceWeight (1 for an item never asked) instead of evenly.
    bool practising() const;
    double practiceWeight(const QString &item) const;
    // One of the items drawn by their practice weights.
    int drawWeighted(const QStringList &items) const;

    // The question on screen: its expected answer, and the moment it was shown (which also clears the
    // reaction time of the question before).
    void setAnswer(const QString &answer);
    void questionShown();
    void setReaction(double seconds);

    // The answer box's trigger with its text: false when there is nothing to judge (an empty box, no play,
    // or the previous answer still being shown).
    bool acceptAnswer(const QString &typed);
    // Whether a click on the field is judged: during the countdown and the play, but not once an answer-count
    // play has all its answers.
    bool clickJudgeable() const;
    bool feedbackPending() const;
    // Judges one answer: counts it, shows the feedback, then lists it and asks the next question.
    void judge(const Judgement &j);
    // The steps of judge() for a game that judges in its own steps (順番クリック).
    void countAnswer(bool correct);
    void appendAnswerRow(const QStringList &cells);
    void offerBest(double seconds);
    bool countLimitReached();
    void nextQuestion();
    // The answer-count figure, for a game that counts something other than its answers.
    void showAnswerCount(int count);
    // No play: the focus goes to "スタート"; backToStart() empties the answer box too.
    void focusStart();
    void backToStart();
    // The answer box emptied, nothing judged, the focus left where it is.
    void clearAnswerBox();
    // The play ends at once; figures and save only when something was typed.
    void endEarly(bool anythingTyped);
    // A new question at once, as after a change of the game's own settings.
    void remakeQuestion();
    void yieldToEvents();

private:
    GameEngine *m_engine = nullptr;
};

} // namespace mirute
