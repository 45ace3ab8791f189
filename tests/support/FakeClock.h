#pragma once

#include "Clock.h"

namespace kelvaro::test {

// A clock a test sets and moves by hand.
class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 3, 15), QTime(10, 0)))
        : m_now(std::move(start))
    {
    }
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& now) { m_now = now; }
    void setDate(QDate date) { m_now.setDate(date); }
    void advanceSeconds(qint64 seconds) { m_now = m_now.addSecs(seconds); }
    void advanceDays(qint64 days) { m_now = m_now.addDays(days); }

private:
    QDateTime m_now;
};

} // namespace kelvaro::test
