#include "core/base/clock.h"

namespace mirute {

SystemClock::SystemClock() {
    const QDateTime now = QDateTime::currentDateTime();
    m_start = now.time().msecsSinceStartOfDay() / 1000.0;
    m_elapsed.start();
}

double SystemClock::seconds() const {
    return m_start + double(m_elapsed.nsecsElapsed()) / 1e9;
}

QDateTime SystemClock::now() const {
    return QDateTime::currentDateTime();
}

namespace {
Clock *g_clock = nullptr;
}

Clock &appClock() {
    static SystemClock system;
    return g_clock ? *g_clock : system;
}

void setAppClock(Clock *clock) {
    g_clock = clock;
}

} // namespace mirute
