#pragma once

#include <QDateTime>
#include <QElapsedTimer>

namespace mirute {

// The time source of the games. seconds() is the local time of day in seconds with a fraction, but it
// does not wrap at midnight: it keeps counting past 86400, so a play across midnight keeps its times
// while whole-second steps stay in step with the wall clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double seconds() const = 0;
    virtual QDateTime now() const = 0; // date and time written to the files
};

class SystemClock : public Clock {
public:
    SystemClock();
    double seconds() const override;
    QDateTime now() const override;
private:
    double m_start;
    QElapsedTimer m_elapsed;
};

// The program's clock; tests put their own in place.
Clock &appClock();
void setAppClock(Clock *clock); // nullptr restores the system clock

} // namespace mirute
