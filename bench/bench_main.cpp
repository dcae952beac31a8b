// mirute_bench: Google Benchmark over a sample working folder with the largest log.
//   mirute_bench [--sample-dir=DIR] [benchmark options]   the benchmarks (a folder is generated when none is given)
//   mirute_bench --first-start --sample-dir=DIR           one fresh start: first paint, every panel opened once,
//                                                         peak memory; one JSON line on stdout
//   mirute_bench --idle-start --sample-dir=DIR            one fresh start left idle: resident memory 3 s after
//                                                         start-up; one JSON line on stdout
#include "bench_env.h"
#include "bench_windows.h"

#include "core/base/heap_settings.h"
#include "core/log/play_log.h"
#include "gui/app/main_window.h"
#include "gui/widgets/message_dialog.h"
#include "sample_log/sample_log.h"

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTextStream>

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

using namespace mirute;

namespace {

constexpr int kFirstClickAfterMs = 300;
constexpr int kIdleMs = 3000;

int firstStart() {
    QJsonObject out;
    out["rss_at_start_mb"] = bench::peakRssMb();
    double firstPaint = 0;
    MainWindow *w = bench::openMainWindow(bench::sampleDir(), &firstPaint);
    out["startup_first_paint_ms"] = firstPaint;
    out["rss_after_start_mb"] = bench::peakRssMb();
    // A user's first click comes a moment after the window has appeared, and the window uses that moment.
    bench::waitFor([] { return false; }, kFirstClickAfterMs);
    QJsonObject panels, peaks, cpu, faults;
    for (const QString &name : bench::panelButtons()) {
        const double cpuBefore = bench::processCpuMs();
        const long faultsBefore = bench::minorFaults();
        panels[name] = bench::clickPanelButton(w, name);
        cpu[name] = bench::processCpuMs() - cpuBefore;
        faults[name] = double(bench::minorFaults() - faultsBefore);
        peaks[name] = bench::peakRssMb();
    }
    out["panel_button_ms"] = panels;
    out["panel_button_cpu_ms"] = cpu;
    out["panel_button_page_faults"] = faults;
    out["peak_rss_mb_after"] = peaks;
    out["peak_rss_mb"] = bench::peakRssMb();
    delete w;
    out["plays"] = double(readPlayLog(bench::sampleDir()).records.size());
    QTextStream(stdout) << QJsonDocument(out).toJson(QJsonDocument::Compact) << Qt::endl;
    return 0;
}

// What the program holds while it waits for the user's first click, all its start-up work done.
int idleStart() {
    QJsonObject out;
    MainWindow *w = bench::openMainWindow(bench::sampleDir(), nullptr);
    bench::waitFor([] { return false; }, kIdleMs);
    out["rss_3s_after_start_mb"] = bench::residentMb();
    out["peak_rss_mb"] = bench::peakRssMb();
    delete w;
    out["plays"] = double(readPlayLog(bench::sampleDir()).records.size());
    QTextStream(stdout) << QJsonDocument(out).toJson(QJsonDocument::Compact) << Qt::endl;
    return 0;
}

// The offscreen platform cannot pass a window's size hints on, and says so each time the main window's
// minimum size follows the panel shown: hundreds of identical lines that would bury the figures. Every
// other message goes on to Qt's own handler.
QtMessageHandler g_qtHandler = nullptr;

void dropSizeHintNotices(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (type == QtWarningMsg && message == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    g_qtHandler(type, context, message);
}

} // namespace

int main(int argc, char **argv) {
    useCompactHeap(); // as the program does
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_qtHandler = qInstallMessageHandler(dropSizeHintNotices);
    // Our own options are taken out before Qt and the benchmark library see the rest.
    std::vector<char *> rest;
    QString sampleDir;
    bool first = false;
    bool idle = false;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--sample-dir=", 13) == 0)
            sampleDir = QString::fromLocal8Bit(argv[i] + 13);
        else if (std::strcmp(argv[i], "--first-start") == 0)
            first = true;
        else if (std::strcmp(argv[i], "--idle-start") == 0)
            idle = true;
        else
            rest.push_back(argv[i]);
    }
    int restCount = int(rest.size());
    rest.push_back(nullptr);
    QApplication app(restCount, rest.data());
    MessageDialog::setAutoAnswer(true);

    QTemporaryDir tmp;
    if (sampleDir.isEmpty()) {
        sample::SampleOptions options;
        options.historyPlays = 5000;
        sampleDir = tmp.filePath(QStringLiteral("sample"));
        const QString error =
            sample::writeSampleFolder(sampleDir, sample::generateSample(options), QStringLiteral(MIRUTE_DEFAULT_DATA));
        if (!error.isEmpty()) {
            QTextStream(stderr) << error << Qt::endl;
            return 2;
        }
    }
    bench::setSampleDir(sampleDir);
    if (first)
        return firstStart();
    if (idle)
        return idleStart();

    bench::registerRefreshBenchmarks();
    bench::registerPanelButtonBenchmarks();
    benchmark::Initialize(&restCount, rest.data());
    if (benchmark::ReportUnrecognizedArguments(restCount, rest.data()))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    bench::closeBenchWindows();
    benchmark::Shutdown();
    return 0;
}
