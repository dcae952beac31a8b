// The game engine's timers during a real play, in real time: a game window of 抜数字 played in answer-count
// mode by a simulated player who types the right digit a moment after each question, while the window
// judges, shows the feedback, adds answer rows and repaints. Every timer event of the engine's precise
// timers is noted by an application-wide event filter, so nothing in the engine is changed for measuring.
#include "bench_env.h"

#include "gui/games/common/game_window.h"
#include "gui/games/game_launcher_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

using namespace mirute;

namespace {

struct Lateness {
    double meanMs = 0;
    double worstMs = 0;
    int samples = 0;
};

// Lateness of a periodic timer's events against its own best phase: the schedule start + k × interval that
// no event came before.
Lateness periodicLateness(const QList<qint64> &firesNs, int intervalMs) {
    Lateness l;
    if (firesNs.size() < 2)
        return l;
    const double interval = intervalMs * 1e6;
    double anchor = double(firesNs.first());
    for (qsizetype k = 0; k < firesNs.size(); ++k)
        anchor = std::min(anchor, double(firesNs[k]) - k * interval);
    double sum = 0;
    for (qsizetype k = 0; k < firesNs.size(); ++k) {
        const double late = (double(firesNs[k]) - anchor - k * interval) / 1e6;
        sum += late;
        l.worstMs = std::max(l.worstMs, late);
    }
    l.samples = int(firesNs.size());
    l.meanMs = sum / l.samples;
    return l;
}

Lateness fromSamples(const QList<double> &lateMs) {
    Lateness l;
    for (double v : lateMs) {
        l.meanMs += v;
        l.worstMs = std::max(l.worstMs, v);
    }
    l.samples = int(lateMs.size());
    if (l.samples > 0)
        l.meanMs /= l.samples;
    return l;
}

class TimerProbe : public QObject {
public:
    explicit TimerProbe(const QElapsedTimer &clock) : m_clock(clock) { qApp->installEventFilter(this); }
    ~TimerProbe() override { qApp->removeEventFilter(this); }
    QHash<QTimer *, QList<qint64>> fires;

protected:
    bool eventFilter(QObject *o, QEvent *e) override {
        if (e->type() == QEvent::Timer)
            if (auto *t = qobject_cast<QTimer *>(o); t && t->timerType() == Qt::PreciseTimer && !t->isSingleShot())
                fires[t].append(m_clock.nsecsElapsed());
        return false;
    }

private:
    const QElapsedTimer &m_clock;
};

void setCounters(benchmark::State &state, const char *name, const Lateness &l) {
    state.counters[std::string(name) + "_mean_ms"] = l.meanMs;
    state.counters[std::string(name) + "_worst_ms"] = l.worstMs;
    state.counters[std::string(name) + "_n"] = l.samples;
}

void BM_EngineTimers(benchmark::State &state) {
    const int answersToGive = int(state.range(0));
    std::mt19937 rng(5);
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        TimerProbe probe(clock);
        QString error;
        auto *window = static_cast<GameWindow *>(createGameWindow(2, bench::sampleDir(), &error, [] {}));
        if (!window) {
            state.SkipWithError(qPrintable(error));
            break;
        }
        GameEngine &engine = window->engine();
        engine.setAutoSave(false); // the sample log stays as it is for the other benchmarks
        engine.setMode(GameMode::AnswerCount);
        engine.setCountLimit(answersToGive);
        auto *answerBox = window->findChild<QLineEdit *>(QStringLiteral("txtKaitou"));
        auto *start = window->findChild<QPushButton *>(QStringLiteral("cmdStart"));

        QList<double> feedbackLate;
        qint64 feedbackAt = 0;
        QObject::connect(&engine, &GameEngine::feedback, window, [&] { feedbackAt = clock.nsecsElapsed(); });
        QObject::connect(&engine, &GameEngine::feedbackEnded, window,
                         [&] { feedbackLate.append(double(clock.nsecsElapsed() - feedbackAt) / 1e6 - 150.0); });
        // The player reads the question and types the missing digit 0.25 to 0.55 s later.
        QObject::connect(&engine, &GameEngine::questionChanged, window, [&] {
            QTimer::singleShot(250 + int(rng() % 300), Qt::PreciseTimer, window, [&] {
                if (engine.session().playing && !engine.session().answer.isEmpty())
                    QTest::keyClicks(answerBox, engine.session().answer);
            });
        });
        bool ended = false;
        QObject::connect(&engine, &GameEngine::playEnded, window, [&] { ended = true; });
        start->click();
        if (!bench::waitFor([&] { return ended; }, 60000)) {
            delete window;
            state.SkipWithError("the play did not end");
            break;
        }

        Lateness elapsed, second;
        for (auto it = probe.fires.cbegin(); it != probe.fires.cend(); ++it) {
            if (it.key()->interval() == 100)
                elapsed = periodicLateness(it.value(), 100);
            else if (it.key()->interval() == 1000) {
                const Lateness l = periodicLateness(it.value(), 1000);
                if (l.worstMs >= second.worstMs)
                    second = l;
            }
        }
        setCounters(state, "display_0_1s", elapsed);
        setCounters(state, "clock_1s", second);
        setCounters(state, "feedback_0_15s", fromSamples(feedbackLate));
        state.PauseTiming();
        delete window;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EngineTimers)->ArgName("answers")->Arg(10)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
