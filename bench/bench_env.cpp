#include "bench_env.h"

#include "core/base/day_time.h"
#include "core/log/play_log.h"
#include "sample_log/sample_log.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace mirute::bench {

namespace {
QString &dirStore() {
    static QString dir;
    return dir;
}
} // namespace

const QString &sampleDir() {
    return dirStore();
}
void setSampleDir(const QString &dir) {
    dirStore() = dir;
}

QDate lastPlayDay() {
    static const QDate day = lastPlayDay(sampleDir());
    return day;
}

QDate lastPlayDay(const QString &dir) {
    const PlayLogData log = readPlayLog(dir);
    return log.records.isEmpty() ? QDate::currentDate() : parseDateText(log.records.last().date);
}

const QList<int> &scalingPlays() {
    static const QList<int> plays = {1000, 10000, 32766, 100000};
    return plays;
}

QString scaledSampleDir(int plays) {
    static QTemporaryDir root;
    static QHash<int, QString> written;
    if (const auto known = written.constFind(plays); known != written.constEnd())
        return *known;
    sample::SampleOptions options;
    options.records = plays;
    const QString dir = root.filePath(QStringLiteral("plays-%1").arg(plays));
    const QString error =
        sample::writeSampleFolder(dir, sample::generateSample(options), QStringLiteral(MIRUTE_DEFAULT_DATA));
    return written[plays] = error.isEmpty() ? dir : QString();
}

bool waitFor(const std::function<bool()> &done, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

double peakRssMb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0; // kilobytes on Linux
}

double processCpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    const auto ms = [](const timeval &t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(u.ru_utime) + ms(u.ru_stime);
}

long minorFaults() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_minflt;
}

double residentMb() {
    long pages = 0, resident = 0;
    if (FILE *f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

} // namespace mirute::bench
