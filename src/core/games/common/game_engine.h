#pragma once

#include "core/base/clock.h"
#include "core/base/random_source.h"
#include "core/games/common/answers_file.h"
#include "core/games/common/game_definition.h"
#include "core/games/common/game_history.h"
#include "core/games/common/game_rules.h"
#include "core/games/common/game_settings.h"
#include "core/games/common/personal_best.h"
#include "core/games/common/weak_items.h"
#include "core/tables/grid.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

namespace mirute {

// The light of the start signal, one a second after "スタート": the play begins at green.
enum class CountdownLight { Off, Red, Yellow, Green };

// The current play of a game window.
struct GameSession {
    int okCount = 0;
    int ngCount = 0;
    bool startPending = false;
    CountdownLight light = CountdownLight::Off;
    bool playing = false;
    qint64 endSecond = 0;
    int remainSeconds = 0;
    QString answer; // expected answer of the question on screen
    double shownAt = 0;
    double reaction = 0;
    std::optional<double> bestReaction; // the fastest right answer of the play; none before the first
    double playStartedAt = 0;
};

// The label texts of the scoreboard, exactly as shown.
struct Scoreboard {
    QString time;       // seconds left, or seconds played in the answer-count mode
    QString answers;    // answers given
    QString ok;         // right answers
    QString ng;         // wrong answers
    QString rate;       // share of right answers
    QString perSecond;  // typed characters (or answers) per second
    QString best;       // the best reaction so far
    QString bestNotice; // "自己ベスト更新！" from a new best until the next start
    // Each figure against the last play of the same mode and limit, until the next start.
    PlayChanges changes;
};

// The colour an answer's feedback shows: green for a right answer, red for a wrong one.
inline constexpr Rgb kRightColor{0, 255, 0};
inline constexpr Rgb kWrongColor{255, 0, 0};
inline constexpr Rgb judgedColor(bool correct) {
    return correct ? kRightColor : kWrongColor;
}

// One judged answer, as the game describes it to the engine.
struct Judgement {
    bool correct = false;
    double reaction = 0;
    QStringList cells;       // answer list columns after the running number
    bool updatesBest = true; // a correct answer may improve bestReaction after its pause (the click games
                             // offer theirs before it)
    int pauseMs = 150;       // feedback shown this long while the window goes on handling events
    // For the answers file of the games whose questions have an item: the item asked and what was given.
    QString item{};
    QString given{};
};

// The engine shared by the seven game windows: modes, countdown, clock, judging, scoring, the end of a
// play and its saving. It holds every state the window shows; the window renders it and forwards events.
class GameEngine : public QObject {
    Q_OBJECT
public:
    // Where the keyboard goes: where answers are given (the answer box, or a click game's field), the same
    // while the lights count down (a click game's field without a cell, so that a stray key clicks nothing),
    // "スタート", the history list. Never "戻り": a stray Space or Enter must not end a play.
    enum class Focus { Answer, Countdown, Start, History };

    GameEngine(GameDefinition def, std::unique_ptr<GameRules> rules, QString dataDir, Clock &clock,
               RandomSource &random, QObject *parent = nullptr);
    ~GameEngine() override;

    // Reads the settings, the history and what the game needs. Returns an error text when the game cannot open.
    QString open();
    // Texts the user should read after opening (a damaged settings or history file), or "".
    QString openNotice() const { return m_openNotice; }

    const GameDefinition &definition() const { return m_def; }
    GameRules &rules() { return *m_rules; }
    template <class T> T &rulesAs() { return static_cast<T &>(*m_rules); }
    const GameSession &session() const { return m_session; }
    const GameSettings &settings() const { return m_settings; }
    const Scoreboard &scoreboard() const { return m_board; }
    Grid &answerList() { return m_answers; }
    GameHistory &history() { return *m_history; }
    // The games whose questions have an item keep every answer of their last plays, show their weak items
    // and can practise them.
    bool keepsAnswers() const;
    const QList<AnswerRecord> &answerLog() const { return m_answerLog; }
    WeakView &weakView() { return m_weakView; }
    const WeakSettings &weakSettings() const { return m_weakSettings; }
    // 苦手練習: the weak items are drawn more often (their weights, see practiceWeight); off, the draws are
    // those of every play.
    bool practising() const { return m_weakSettings.practice && keepsAnswers(); }
    double practiceWeight(const QString &item) const { return m_practiceWeights.value(item, 1.0); }
    QString dataDir() const { return m_dir; }

    GameMode gameMode() const { return m_settings.mode; }
    bool startEnabled() const { return !m_session.startPending && !m_session.playing; }
    bool clearEnabled() const { return m_clearEnabled; }
    // "保存": in manual mode, and after a save that failed (the play stays on screen until it is saved).
    bool saveEnabled() const { return !m_settings.autoSave || m_saveFailed; }
    // The finished play on screen could not be saved (a full disk, a locked file) and waits for "保存".
    bool playUnsavedAfterFailure() const { return m_saveFailed; }
    bool limitsLocked() const { return !startEnabled(); }
    bool feedbackPending() const { return !m_pendingJudgements.isEmpty(); }
    // Width of the time bar as a fraction of its design width, 0..1.
    double barFraction() const { return m_barFraction; }
    QString autoSaveCaption() const;

    // "スタート": the countdown begins.
    void start();
    // Timer ticks; the window's timers call these, tests call them directly.
    void tickStart();   // the countdown lights, one a second
    void tickClock();   // the time-limit clock, once a second
    void tickElapsed(); // the answer-count clock, every tenth of a second

    // The choices of the mode frame and the game's own settings.
    void setMode(GameMode mode);
    void setTimeLimit(int seconds);
    void setCountLimit(int count);
    void setAutoSave(bool on);
    void setExtra(int index, const QString &value);
    // The 苦手 choices: practice on or off, the last plays counted, and the view shown in an order or put away.
    void setPractice(bool on);
    void setWeakPlays(int plays);
    void showWeak(WeakOrder order);
    void hideWeak();
    void setExtraFlag(int index, bool on) { setExtra(index, on ? QStringLiteral("1") : QStringLiteral("0")); }

    // A key in the answer box: the first key of each question fixes its reaction time.
    void answerKeyDown();
    // Shows a new question.
    void makeQuestion();
    // Runs the pending feedback pause at once (tests, and a window closing during a pause).
    void finishFeedbackNow();

    // "保存": appends the play's history line, then its play record. Returns false when nothing was saved,
    // *error set on a write failure. When the record cannot be written the history line is cut back out, and
    // the next "保存" writes both again; only when that cut fails too does the line stay, and the next "保存"
    // writes the record alone. Either way a failed try leaves no file holding the play twice.
    bool save(QString *error = nullptr);
    // "クリア" after the user confirmed.
    QString clearHistory();
    // "戻り": the play stops where it is, unsaved, and the timers with it.
    void leave();
    // The program is made to end (logout, shutdown): a finished play not saved yet, waiting for "保存" or
    // after a failed save, is kept for the next start to offer. Returns "" or, when even that fails, a text
    // for the terminal holding the play's lines, so that the play is not lost without a trace.
    QString keepUnsavedPlay();

    // Whether an answer's feedback shows for its pause (Judgement::pauseMs); tests turn the pauses off, and each
    // judgement then completes at once.
    void setFeedbackPauses(bool on);
    void setTimersRunning(bool on);

signals:
    void scoreboardChanged();
    void controlsChanged(); // enabled states, mode, combos, auto-save caption
    void countdownChanged(mirute::CountdownLight light);
    void barChanged(double fraction);
    void feedback(bool correct); // an answer was judged: show green or red
    void feedbackEnded();        // back to white
    void answerBoxCleared();
    void focusRequested(mirute::GameEngine::Focus target);
    void questionChanged();
    void playEnded();
    void saveFailed(const QString &message);

private:
    // The steps a game's rules take in their own way; GameRules offers them to each game.
    friend class GameRules;
    bool acceptAnswer(const QString &typed);
    bool clickJudgeable() const;
    void judge(const Judgement &j);
    void countAnswer(bool correct);
    void appendAnswerRow(const QStringList &cells);
    void offerBest(double seconds);
    bool countLimitReached(); // answer-count mode: ends the play when the units reach the chosen count
    void nextQuestion();      // a new question, an empty answer box, the focus on it
    void showAnswerCount(int count);
    void backToStart(); // no play: the answer box emptied, the focus on "スタート"
    void endEarly(bool anythingTyped);
    void yieldToEvents();

    void emitBoard() { emit scoreboardChanged(); }
    void writeSettings();
    void setupAnswerList();
    void continueJudgement();
    void completeLatestJudgement();
    void endPlayTime();
    void endPlayCount();
    void finishPlay(double seconds, PlayKind kind);
    // The elapsed seconds the clock display shows at the end (set from the real time if it never ticked).
    double shownElapsed();
    HistoryRecord makeHistoryRecord() const;
    WriteResult writeFinishedPlay();
    QString finishedPlayLine() const; // the play record line of the finished play, as saved now
    QString writeFinishedAnswers();
    void readAnswerLog(QStringList *notices);
    void answersChanged();
    QString nowDate() const;
    QString nowTime() const;

    GameDefinition m_def;
    std::unique_ptr<GameRules> m_rules;
    QString m_dir;
    Clock &m_clock;
    RandomSource &m_random;
    GameSession m_session;
    GameSettings m_settings;
    Scoreboard m_board;
    Grid m_answers;
    std::unique_ptr<GameHistory> m_history;
    bool m_clearEnabled = true;
    double m_barFraction = 1;
    QString m_openNotice;
    bool m_saveFailed = false;
    bool m_opening = false;
    QTimer m_countdownTimer, m_limitClockTimer, m_elapsedTimer, m_feedbackTimer;
    bool m_feedbackPauses = true;
    QList<Judgement> m_pendingJudgements; // judged answers whose pause runs, the latest last
    QList<AnswerRecord> m_playAnswers;    // of the play under way, in the order they were judged
    QList<AnswerRecord> m_answerLog;      // the answers file as read, and the answers saved since
    WeakSettings m_weakSettings;
    QHash<QString, double> m_practiceWeights; // empty unless practising
    WeakView m_weakView;

    // The finished play, as the save records it whatever the user changes afterwards.
    struct Finished {
        bool valid = false;
        PlayKind kind = PlayKind::TimeLimit;
        double seconds = 0;
        QString secondsText;
        int ok = 0, ng = 0;
        double perSecondCount = 0;
        // A failed save whose history line could not be taken back: the next try writes only the record.
        bool historyWritten = false;
        HistoryRecord historyRecord;
        bool saved = false;          // at least once
        QList<AnswerRecord> answers; // dated when saved, with the history line's date and time
        bool answersWritten = false; // a play's answers are kept once, however often it is saved
    } m_finished;
};

} // namespace mirute
