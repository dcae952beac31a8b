#pragma once

#include "core/base/clock.h"

#include <QDateTime>

namespace mirute::test {

// A clock the test moves by hand: seconds() and now() advance together.
class FakeClock : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 12, 6), QTime(18, 30, 0))) : m_start(std::move(start)) {}
    double seconds() const override { return m_start.time().msecsSinceStartOfDay() / 1000.0 + m_elapsed; }
    QDateTime now() const override { return m_start.addMSecs(qint64(m_elapsed * 1000)); }
    void advance(double s) { m_elapsed += s; }

private:
    QDateTime m_start;
    double m_elapsed = 0;
};

} // namespace mirute::test
