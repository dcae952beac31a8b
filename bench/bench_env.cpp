#include "bench_env.h"

#include "core/base/day_time.h"
#include "core/log/play_log.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <sys/resource.h>

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
    static const QDate day = [] {
        const PlayLogData log = readPlayLog(sampleDir());
        return log.records.isEmpty() ? QDate::currentDate() : parseDateText(log.records.last().date);
    }();
    return day;
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

} // namespace mirute::bench
