#pragma once

#include <QString>

namespace mirute {

class GameEngine;

// What each game adds to the shared engine: its question, its counts and the texts it saves.
// The defaults are those of the typing games; each game overrides what its window does differently.
class GameRules {
public:
    virtual ~GameRules() = default;
    void attach(GameEngine *engine) { m_engine = engine; }
    GameEngine &engine() const { return *m_engine; }

    // Loads what the game needs (its dictionary); a non-empty text refuses to open the window.
    virtual QString prepare(const QString &dataDir) {
        Q_UNUSED(dataDir);
        return {};
    }
    // Something the user should know after opening (dictionary items that were skipped), or "".
    virtual QString openNotice() const { return {}; }
    // MAKE_MONDAI: makes and shows the next question, sets the expected answer and shownAt.
    virtual void makeQuestion() = 0;
    // Step 6 of "スタート": clear the question display and the game's own counters.
    virtual void onStart() {}
    // At the green light, before the question is made.
    virtual void onGreenLight() {}
    // A settings field of the game's own changed (index into the extra fields).
    virtual void onExtraChanged(int index) { Q_UNUSED(index); }
    virtual void onModeChanged() {}
    virtual void onCountLimitChanged() {}

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

private:
    GameEngine *m_engine = nullptr;
};

} // namespace mirute
