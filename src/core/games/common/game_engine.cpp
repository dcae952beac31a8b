#include "core/games/common/game_engine.h"

#include "core/base/day_time.h"
#include "core/base/number_format.h"
#include "core/games/common/kept_plays.h"
#include "core/games/common/personal_best.h"
#include "core/log/backups.h"
#include "core/log/game_names.h"
#include "core/log/play_log.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cmath>
#include <optional>

namespace mirute {

namespace {
constexpr int kBarFullWidth = 3000; // design width of the time bar in twips
}

GameEngine::GameEngine(GameDefinition def, std::unique_ptr<GameRules> rules, QString dataDir, Clock &clock,
                       RandomSource &random, QObject *parent)
    : QObject(parent), m_def(std::move(def)), m_rules(std::move(rules)), m_dir(std::move(dataDir)), m_clock(clock),
      m_random(random) {
    m_rules->attach(this);
    m_history = std::make_unique<GameHistory>(m_def, m_dir);
    m_settings = defaultSettings(m_def);
    for (QTimer *t : {&m_countdownTimer, &m_limitClockTimer, &m_elapsedTimer})
        t->setTimerType(Qt::PreciseTimer);
    m_countdownTimer.setInterval(1000);
    m_limitClockTimer.setInterval(1000);
    m_elapsedTimer.setInterval(100);
    connect(&m_countdownTimer, &QTimer::timeout, this, &GameEngine::tickStart);
    connect(&m_limitClockTimer, &QTimer::timeout, this, &GameEngine::tickClock);
    connect(&m_elapsedTimer, &QTimer::timeout, this, &GameEngine::tickElapsed);
    m_feedbackTimer.setSingleShot(true);
    m_feedbackTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_feedbackTimer, &QTimer::timeout, this, &GameEngine::continueJudgement);
}

GameEngine::~GameEngine() = default;

void GameEngine::setTimersRunning(bool on) {
    if (on) {
        m_countdownTimer.start();
        m_limitClockTimer.start();
    } else {
        m_countdownTimer.stop();
        m_limitClockTimer.stop();
        m_elapsedTimer.stop();
    }
}

void GameEngine::setFeedbackPauses(bool on) {
    m_feedbackPauses = on;
}

QString GameEngine::autoSaveCaption() const {
    return m_settings.autoSave ? QString() : QStringLiteral("手動保存モード");
}

QString GameEngine::open() {
    m_opening = true;
    QStringList notices;
    m_history->showAll();
    m_history->layoutList();
    if (!m_history->lastProblems().isEmpty())
        notices << problemsMessage(m_def.historyFile(), m_history->lastProblems());
    if (!m_history->lastError().isEmpty())
        notices << m_history->lastError() +
                       QStringLiteral(
                           "\r\n履歴は表示していません。このままでは遊んだ結果を保存できません。"
                           "保存できなかった結果は画面に残るので、原因を取り除いてから「保存」を押してください。");

    const SettingsReadResult read = readGameSettings(m_dir, m_def);
    m_settings = read.settings;
    bool keepSettingsFile = false;
    if (!read.notice.isEmpty()) {
        // The damaged file is kept beside the others before sound values replace it; without a copy it is
        // left as it is until the user changes a setting.
        const WriteResult backup =
            backupFile(m_dir, m_def.settingsFile(), BackupAction::SettingsRepair, backupStampOf(m_clock.now()));
        notices << QStringLiteral("「%1」: %2").arg(m_def.settingsFile(), read.notice);
        if (!backup.ok()) {
            notices << backup.error;
            keepSettingsFile = true;
        }
    }
    setAutoSave(m_settings.autoSave);
    readAnswerLog(&notices);
    setupAnswerList();
    const QString error = m_rules->prepare(m_dir);
    if (!error.isEmpty()) {
        m_opening = false;
        return error;
    }
    if (!m_rules->openNotice().isEmpty())
        notices << m_rules->openNotice();
    if (m_rules->questionAtOpen())
        makeQuestion();
    setMode(m_settings.mode);
    m_board = Scoreboard{};
    m_board.best = QStringLiteral("...");
    m_barFraction = 1;
    m_opening = false;
    // The settings as read, written back: nothing is written when they were sound.
    if (!keepSettingsFile)
        if (const WriteResult w = writeGameSettings(m_dir, m_def, m_settings); !w.ok())
            notices << w.error;
    m_openNotice = notices.join(QStringLiteral("\r\n\r\n"));
    emitBoard();
    emit controlsChanged();
    return {};
}

bool GameEngine::keepsAnswers() const {
    return mirute::keepsAnswers(m_def.gameNo);
}

void GameEngine::readAnswerLog(QStringList *notices) {
    if (!keepsAnswers())
        return;
    const QString file = gameAnswersFile(m_def.name);
    const AnswersData read = readAnswers(m_dir, file);
    m_answerLog = read.records;
    if (!read.problems.isEmpty())
        *notices << problemsMessage(file, read.problems);
    if (!read.error.isEmpty())
        *notices << read.error;
    m_weakSettings = readWeakSettings(m_dir, m_def.name);
    answersChanged();
}

// The weights of the practice and the view follow the answers and the plays chosen.
void GameEngine::answersChanged() {
    m_practiceWeights = practising() ? practiceWeights(m_answerLog, m_weakSettings.plays) : QHash<QString, double>();
    if (m_weakView.isShown())
        m_weakView.fill(m_def.name, m_answerLog, m_weakSettings.plays, m_weakView.order());
}

void GameEngine::setPractice(bool on) {
    if (limitsLocked() || !keepsAnswers())
        return; // the draws of a running play do not change under it
    m_weakSettings.practice = on;
    if (const WriteResult w = writeWeakSettings(m_dir, m_def.name, m_weakSettings); !w.ok())
        emit saveFailed(w.error);
    answersChanged();
    emit controlsChanged();
}

void GameEngine::setWeakPlays(int plays) {
    if (!kWeakPlayChoices.contains(plays) || !keepsAnswers())
        return;
    m_weakSettings.plays = plays;
    if (const WriteResult w = writeWeakSettings(m_dir, m_def.name, m_weakSettings); !w.ok())
        emit saveFailed(w.error);
    answersChanged();
    emit controlsChanged();
}

void GameEngine::showWeak(WeakOrder order) {
    if (!keepsAnswers())
        return;
    m_weakView.fill(m_def.name, m_answerLog, m_weakSettings.plays, order);
    m_weakView.setShown(true);
}

void GameEngine::hideWeak() {
    m_weakView.setShown(false);
}

void GameEngine::writeSettings() {
    if (m_opening)
        return;
    const WriteResult r = writeGameSettings(m_dir, m_def, m_settings);
    if (!r.ok())
        emit saveFailed(r.error);
}

void GameEngine::setupAnswerList() {
    GridBatch batch(m_answers);
    m_answers.setRows(1);
    m_answers.setCols(int(m_def.answerColumns.size()));
    m_answers.setFontSize(11);
    for (int c = 0; c < m_def.answerColumns.size(); ++c) {
        const AnswerColumn &col = m_def.answerColumns[c];
        m_answers.setTextMatrix(0, c, col.header);
        m_answers.setColWidth(c, col.width);
        m_answers.setColAlignment(c, col.align);
        m_answers.setFixedAlignment(c, Grid::Center);
    }
}

void GameEngine::makeQuestion() {
    m_rules->makeQuestion();
    emit questionChanged();
}

void GameEngine::yieldToEvents() {
    QCoreApplication::processEvents();
}

// --- starting and the three timers ---

void GameEngine::start() {
    if (!startEnabled())
        return;
    finishFeedbackNow();
    m_session.startPending = true;
    m_session.light = CountdownLight::Off;
    m_barFraction = 1;
    emit barChanged(m_barFraction);
    m_history->layoutList();
    hideWeak();
    setupAnswerList();
    m_playAnswers.clear();
    m_board.ok.clear();
    m_board.ng.clear();
    m_board.perSecond.clear();
    m_board.rate.clear();
    m_board.best = QStringLiteral("...");
    m_board.bestNotice.clear();
    m_board.changes = PlayChanges{};
    emit answerBoxCleared();
    m_session.bestReaction.reset();
    m_session.okCount = 0;
    m_session.ngCount = 0;
    m_finished = Finished{};
    m_saveFailed = false;
    m_board.answers = m_board.ok = m_board.ng = QStringLiteral("0");
    m_rules->onStart();
    emit questionChanged();
    m_board.time = gameMode() == GameMode::TimeLimit ? formatNumber(m_settings.timeLimit) : QStringLiteral("0.0");
    if (m_rules->disablesClearDuringPlay())
        m_clearEnabled = false;
    emitBoard();
    emit controlsChanged();
    // "スタート" is disabled now; the focus must not pass on to the next button in line.
    emit focusRequested(Focus::Countdown);
    emit countdownChanged(CountdownLight::Off);
}

void GameEngine::tickStart() {
    if (!m_session.startPending) {
        m_session.light = CountdownLight::Off;
        return;
    }
    m_session.light = CountdownLight(int(m_session.light) + 1);
    emit countdownChanged(m_session.light);
    if (m_session.light != CountdownLight::Green)
        return;
    m_session.startPending = false;
    m_rules->onGreenLight();
    makeQuestion();
    m_session.endSecond = qint64(std::floor(m_clock.seconds())) + qint64(std::lround(m_settings.timeLimit));
    m_session.playing = true;
    m_session.playStartedAt = m_clock.seconds();
    emit focusRequested(Focus::Answer);
    if (gameMode() == GameMode::AnswerCount && m_countdownTimer.isActive())
        m_elapsedTimer.start();
    emit controlsChanged();
}

void GameEngine::tickClock() {
    if (!m_session.playing || gameMode() != GameMode::TimeLimit)
        return;
    m_session.remainSeconds = int(m_session.endSecond - qint64(std::floor(m_clock.seconds())));
    m_board.time = QString::number(m_session.remainSeconds);
    const double width =
        std::floor(double(m_session.remainSeconds) / double(m_settings.timeLimit) * 100.0 * kBarFullWidth / 100.0);
    m_barFraction = qMax(0.0, width) / kBarFullWidth;
    emit barChanged(m_barFraction);
    emitBoard();
    if (m_session.remainSeconds < 1)
        endPlayTime();
}

void GameEngine::tickElapsed() {
    if (!m_session.playing || gameMode() != GameMode::AnswerCount)
        return;
    m_board.time = formatFixed(m_clock.seconds() - m_session.playStartedAt, 1);
    emitBoard();
}

// --- choices ---

void GameEngine::setMode(GameMode mode) {
    if (limitsLocked())
        return; // the mode of a running play cannot change under it
    m_settings.mode = mode;
    writeSettings();
    m_rules->onModeChanged();
    emit controlsChanged();
}

void GameEngine::setTimeLimit(int seconds) {
    if (limitsLocked())
        return;
    m_settings.timeLimit = float(qBound(10, seconds, 180));
    writeSettings();
    m_board.time = formatNumber(m_settings.timeLimit);
    emitBoard();
    emit controlsChanged();
}

void GameEngine::setCountLimit(int count) {
    if (limitsLocked())
        return;
    m_settings.countLimit = qBound(1, count, m_def.countMax);
    writeSettings();
    m_rules->onCountLimitChanged();
    emit controlsChanged();
}

void GameEngine::setAutoSave(bool on) {
    m_settings.autoSave = on;
    writeSettings();
    emit controlsChanged();
}

void GameEngine::setExtra(int index, const QString &value) {
    if (index < 0 || index >= m_settings.extras.size())
        return;
    m_settings.extras[index] = value;
    writeSettings();
    m_rules->onExtraChanged(index);
    emit controlsChanged();
}

// --- judging ---

void GameEngine::backToStart() {
    emit answerBoxCleared();
    emit focusRequested(Focus::Start);
}

bool GameEngine::acceptAnswer(const QString &typed) {
    if (typed.isEmpty())
        return false;
    if (startEnabled()) {
        backToStart();
        return false;
    }
    // The answer of the previous judgement is still being shown; the box is read again afterwards.
    return !feedbackPending();
}

bool GameEngine::clickJudgeable() const {
    // A click during the pause of the answer that completes an answer-count play would be one answer too many.
    const bool countComplete = gameMode() == GameMode::AnswerCount && m_session.playing &&
                               m_rules->unitsDone() >= m_rules->unitsTarget(m_settings.countLimit);
    return !startEnabled() && !countComplete;
}

void GameEngine::answerKeyDown() {
    if (m_session.reaction == 0)
        m_session.reaction = m_clock.seconds() - m_session.shownAt;
}

void GameEngine::showAnswerCount(int count) {
    m_board.answers = QString::number(count);
    emit scoreboardChanged();
}

void GameEngine::countAnswer(bool correct) {
    if (correct) {
        ++m_session.okCount;
        m_board.ok = QString::number(m_session.okCount);
    } else {
        ++m_session.ngCount;
        m_board.ng = QString::number(m_session.ngCount);
    }
    emitBoard();
}

void GameEngine::judge(const Judgement &j) {
    countAnswer(j.correct);
    // Kept in the order judged, as counted: a play's answers are exactly its OK and NG.
    if (keepsAnswers() && !j.item.isEmpty())
        m_playAnswers.append(AnswerRecord{{}, {}, j.item, j.given, j.correct, j.reaction});
    emit feedback(j.correct);
    // A click during another answer's pause is judged too, with a pause of its own (the typing games accept
    // no answer then). The answers it interrupted complete after it: their pauses are over by then.
    m_pendingJudgements.append(j);
    if (m_feedbackPauses && j.pauseMs > 0)
        m_feedbackTimer.start(j.pauseMs);
    else
        completeLatestJudgement();
}

void GameEngine::finishFeedbackNow() {
    while (feedbackPending()) {
        m_feedbackTimer.stop();
        completeLatestJudgement();
    }
}

void GameEngine::appendAnswerRow(const QStringList &cells) {
    m_answers.appendRow(QStringList{QString::number(m_answers.rows())} + cells);
    if (m_def.answerScrollRows > 0 && m_answers.rows() > m_def.answerScrollRows)
        m_answers.setTopRow(m_answers.rows() - 1);
}

void GameEngine::offerBest(double seconds) {
    if (!m_session.bestReaction || seconds < *m_session.bestReaction) {
        m_session.bestReaction = seconds;
        m_board.best = formatFixed(seconds, 2);
        emitBoard();
    }
}

void GameEngine::continueJudgement() {
    // The latest pause is over; an answer judged while completing one waits for a pause of its own.
    while (feedbackPending() && !m_feedbackTimer.isActive())
        completeLatestJudgement();
}

void GameEngine::completeLatestJudgement() {
    const Judgement j = m_pendingJudgements.takeLast();
    m_rules->onFeedbackEnded();
    emit feedbackEnded();
    appendAnswerRow(j.cells);
    if (j.correct && j.updatesBest)
        offerBest(j.reaction);
    m_board.answers = QString::number(m_session.okCount + m_session.ngCount);
    emitBoard();
    if (countLimitReached())
        return;
    nextQuestion();
}

bool GameEngine::countLimitReached() {
    // Only a running play can end; answers judged during the countdown count but cannot end it.
    if (gameMode() != GameMode::AnswerCount || !m_session.playing)
        return false;
    if (m_rules->unitsDone() < m_rules->unitsTarget(m_settings.countLimit))
        return false;
    endPlayCount();
    return true;
}

void GameEngine::nextQuestion() {
    makeQuestion();
    emit answerBoxCleared();
    if (m_rules->hasAnswerBox())
        emit focusRequested(Focus::Answer);
    yieldToEvents();
}

// --- the end of a play ---

double GameEngine::shownElapsed() {
    if (leadingNumber(m_board.time) <= 0) {
        // The display has not ticked yet: the real time played, never a division by zero.
        m_board.time = formatFixed(qMax(0.1, m_clock.seconds() - m_session.playStartedAt), 1);
    }
    return leadingNumber(m_board.time);
}

void GameEngine::finishPlay(double seconds, PlayKind kind) {
    const int answers = m_session.okCount + m_session.ngCount;
    m_board.perSecond = formatPerSecond(seconds > 0 ? m_rules->perSecondCount() / seconds : 0);
    m_board.rate = formatPercent(answers > 0 ? double(m_session.okCount) / answers : 0);
    m_finished = Finished{};
    m_finished.valid = true;
    m_finished.kind = kind;
    m_finished.seconds = seconds;
    // The clock shows "3.0", but the play record keeps the number itself: 3, like every other saved number
    // (the history's seconds also tell how the play ended: historySeconds).
    m_finished.secondsText = formatNumber(seconds);
    m_finished.ok = m_session.okCount;
    m_finished.ng = m_session.ngCount;
    // An answer whose pause the end interrupted is listed afterwards, but the play's figures are those shown now.
    m_finished.perSecondCount = m_rules->perSecondCount();
    m_finished.answers = m_playAnswers;
    // Told before the save, so that the play is compared only with the plays before it.
    const QList<HistoryRecord> earlier = readHistory(m_dir, m_def.historyFile()).records;
    const HistoryRecord play = makeHistoryRecord();
    if (isPersonalBest(earlier, play))
        m_board.bestNotice = QStringLiteral("自己ベスト更新！");
    // 座標's field 6 counts typed characters, which its scoreboard does not show.
    m_board.changes = changesSinceLastPlay(earlier, play, m_def.showsBestTime);
    m_clearEnabled = true;
    emitBoard();
    emit controlsChanged();
    emit focusRequested(Focus::History);
    emit playEnded();
    if (m_settings.autoSave) {
        QString error;
        save(&error);
    }
    emit focusRequested(Focus::History);
}

void GameEngine::endPlayTime() {
    m_session.playing = false;
    m_elapsedTimer.stop();
    finishPlay(m_settings.timeLimit, PlayKind::TimeLimit);
}

void GameEngine::endPlayCount() {
    m_elapsedTimer.stop();
    m_session.playing = false;
    finishPlay(shownElapsed(), PlayKind::AnswerCount);
}

void GameEngine::endEarly(bool anythingTyped) {
    if (startEnabled()) {
        backToStart();
        return;
    }
    finishFeedbackNow();
    const bool wasPlaying = m_session.playing;
    m_elapsedTimer.stop();
    m_session.playing = false;
    m_session.startPending = false; // an early end during the countdown stops the countdown too
    m_clearEnabled = true;
    emit controlsChanged();
    emit focusRequested(Focus::History);
    if (!anythingTyped || !wasPlaying)
        return;
    double seconds;
    if (gameMode() == GameMode::AnswerCount) {
        seconds = shownElapsed();
    } else {
        // The seconds actually played, not the seconds still left on the display, to a tenth as the clock shows.
        seconds = leadingNumber(formatFixed(qMax(0.1, m_clock.seconds() - m_session.playStartedAt), 1));
    }
    finishPlay(seconds, PlayKind::EndedEarly);
}

// --- saving ---

QString GameEngine::nowDate() const {
    return dateText(m_clock.now().date());
}
QString GameEngine::nowTime() const {
    return timeText(m_clock.now().time());
}

HistoryRecord GameEngine::makeHistoryRecord() const {
    HistoryRecord r;
    r.date = nowDate();
    r.time = nowTime();
    r.answers = QString::number(m_rules->historyAnswers());
    r.ok = m_finished.ok;
    r.ng = m_finished.ng;
    r.reaction = m_rules->historyReaction();
    const int answers = m_finished.ok + m_finished.ng;
    r.rate = formatPercent(answers > 0 ? double(m_finished.ok) / answers : 0);
    r.perSecond = formatPerSecond(m_finished.seconds > 0 ? m_finished.perSecondCount / m_finished.seconds : 0);
    // The seconds tell later readers how the play ended (see playKind).
    r.seconds = historySeconds(m_finished.kind, m_finished.seconds) + QStringLiteral("秒");
    return r;
}

bool GameEngine::save(QString *error) {
    if (m_session.playing || m_session.startPending || !m_finished.valid || m_finished.ok + m_finished.ng == 0)
        return false;
    const WriteResult w = writeFinishedPlay();
    m_saveFailed = !w.ok();
    emit controlsChanged();
    if (!w.ok()) {
        if (error)
            *error = w.error;
        emit saveFailed(w.error);
        return false;
    }
    if (const QString told = writeFinishedAnswers(); !told.isEmpty())
        emit saveFailed(told);
    return true;
}

// The answers go last, after the history line and the play record: a failure here costs neither of them.
// It is told, and the next "保存" of the same play tries again.
QString GameEngine::writeFinishedAnswers() {
    if (!keepsAnswers() || m_finished.answersWritten || m_finished.answers.isEmpty())
        return {};
    QList<AnswerRecord> answers = m_finished.answers;
    for (AnswerRecord &a : answers) {
        a.date = m_finished.historyRecord.date;
        a.time = m_finished.historyRecord.time;
    }
    const QString file = gameAnswersFile(m_def.name);
    if (const WriteResult w = appendAnswers(m_dir, file, answers); !w.ok())
        return w.error + QStringLiteral("\r\nプレイの結果は保存しました。解答の記録だけを保存できませんでした。");
    m_finished.answersWritten = true;
    m_answerLog.append(answers);
    QString told;
    if (countPlays(m_answerLog) > kAnswerPlaysPruneAt) {
        if (const WriteResult w = keepLastPlays(m_dir, file, kAnswerPlaysKept); w.ok())
            m_answerLog = m_answerLog.mid(firstOfLastPlays(m_answerLog, kAnswerPlaysKept));
        else
            told = w.error +
                   QStringLiteral("\r\nプレイの結果と解答は保存しました。古い解答は次の保存のときに整理します。");
    }
    answersChanged();
    return told;
}

WriteResult GameEngine::writeFinishedPlay() {
    // The history file's length before this try's line, to take the line back out if the record fails.
    std::optional<qint64> historyBefore;
    if (!m_finished.historyWritten) {
        historyBefore = fileLength(m_dir, m_def.historyFile());
        const HistoryRecord record = makeHistoryRecord();
        if (WriteResult w = appendLine(m_dir, m_def.historyFile(), historyLine(record)); !w.ok())
            return w;
        m_finished.historyWritten = true;
        m_finished.historyRecord = record;
    }
    const WriteResult w = appendPlayLine(m_dir, finishedPlayLine());
    if (!w.ok()) {
        if (historyBefore && cutBackTo(m_dir, m_def.historyFile(), *historyBefore).ok())
            m_finished.historyWritten = false;
        return w;
    }
    m_history->appendSaved(m_finished.historyRecord);
    // Each later click of "保存" saves the play once more, as it always did.
    m_finished.historyWritten = false;
    m_finished.saved = true;
    return {};
}

QString GameEngine::finishedPlayLine() const {
    const QString diary =
        m_rules->diaryText(m_finished.secondsText, m_finished.ok + m_finished.ng, m_rules->historyReaction());
    return gamePlayLine(nowDate(), nowTime(), m_def.name, m_finished.seconds, diary);
}

QString GameEngine::keepUnsavedPlay() {
    if (!m_finished.valid || m_finished.saved || m_finished.ok + m_finished.ng == 0)
        return {};
    const QString playLine = finishedPlayLine();
    // A history line already written by a failed save is not kept a second time.
    const QString history = m_finished.historyWritten ? QString() : historyLine(makeHistoryRecord());
    const WriteResult w = keepPlay(m_dir, playLine, history);
    if (w.ok())
        return {};
    return w.error + QStringLiteral("\n保存できなかったプレイ:\n") + playLine +
           (history.isEmpty() ? QString()
                              : QStringLiteral("\n") + gameHistoryFile(m_def.name) + QStringLiteral(": ") + history);
}

void GameEngine::leave() {
    m_session.playing = false;
    setTimersRunning(false);
    finishFeedbackNow();
}

QString GameEngine::clearHistory() {
    // Without a copy of the old history nothing is erased.
    if (WriteResult b =
            backupFile(m_dir, m_def.historyFile(), BackupAction::HistoryClear, backupStampOf(m_clock.now()));
        !b.ok())
        return b.error;
    const WriteResult w = rewriteBytes(m_dir, m_def.historyFile(), QByteArray());
    if (!w.ok())
        return w.error;
    m_history->clearAll();
    return {};
}

} // namespace mirute
