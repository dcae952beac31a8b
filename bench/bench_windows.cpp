// The windows at the largest log: start-up of the main window to its first paint, a game window opening,
// and each panel button of the main window (the panel's fill, then its widgets shown and painted).
#include "bench_windows.h"
#include "bench_env.h"

#include "gui/app/main_window.h"
#include "gui/games/game_launcher_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPushButton>

#include <benchmark/benchmark.h>
#include <memory>

using namespace mirute;

namespace mirute::bench {

namespace {

// Notes the first paint event of any widget once armed.
class PaintSpy : public QObject {
public:
    PaintSpy() { qApp->installEventFilter(this); }
    ~PaintSpy() override { qApp->removeEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *e) override {
        if (e->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

} // namespace

const QStringList &panelButtons() {
    static const QStringList names = {"cmdRentai", "cmdTaijyu", "cmdBunseki", "cmdSyuukei",
                                      "cmdCale",   "cmdSyuu",   "cmdMemo",    "cmdSettei"};
    return names;
}

MainWindow *openMainWindow(const QString &dir, double *msToFirstPaint) {
    QElapsedTimer t;
    t.start();
    PaintSpy spy;
    auto *w = new MainWindow(dir);
    w->startUp();
    waitFor([&] { return spy.painted; });
    if (msToFirstPaint)
        *msToFirstPaint = double(t.nsecsElapsed()) / 1e6;
    return w;
}

double clickPanelButton(MainWindow *w, const QString &name) {
    w->button(QStringLiteral("cmdMain"))->click();
    QCoreApplication::processEvents();
    QElapsedTimer t;
    t.start();
    w->button(name)->click();
    QCoreApplication::processEvents();
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace mirute::bench

namespace {

void BM_StartupFirstPaint(benchmark::State &state) {
    for (auto _ : state) {
        MainWindow *w = bench::openMainWindow(bench::sampleDir(), nullptr);
        state.PauseTiming();
        delete w;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupFirstPaint)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_OpenGameWindow(benchmark::State &state) {
    const int gameNo = int(state.range(0));
    for (auto _ : state) {
        bench::PaintSpy spy;
        QString error;
        QWidget *w = createGameWindow(gameNo, bench::sampleDir(), &error, [] {});
        if (!w) {
            state.SkipWithError(qPrintable(error));
            break;
        }
        bench::waitFor([&] { return spy.painted; });
        state.PauseTiming();
        delete w;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenGameWindow)->ArgName("game")->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Opening a panel through its button of a main window that stays open, as the user switches panels.
std::unique_ptr<MainWindow> g_window;

void BM_PanelButton(benchmark::State &state, const QString &name) {
    if (!g_window)
        g_window.reset(bench::openMainWindow(bench::sampleDir(), nullptr));
    for (auto _ : state) {
        state.PauseTiming();
        g_window->button(QStringLiteral("cmdMain"))->click();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        g_window->button(name)->click();
        QCoreApplication::processEvents();
    }
}

} // namespace

namespace mirute::bench {

void registerPanelButtonBenchmarks() {
    for (const QString &name : panelButtons())
        benchmark::RegisterBenchmark(qPrintable("BM_PanelButton/" + name),
                                     [name](benchmark::State &s) { BM_PanelButton(s, name); })
            ->Unit(benchmark::kMillisecond)
            ->MinTime(1.0);
}

void closeBenchWindows() {
    g_window.reset();
}

} // namespace mirute::bench
