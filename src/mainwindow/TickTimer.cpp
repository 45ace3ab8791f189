#include "TickTimer.h"

namespace kelvaro {

TickTimer::TickTimer(QObject* parent) : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TickTimer::onTimeout);
}

void TickTimer::restart(int periodMs)
{
    m_timer.stop();
    m_period = periodMs;
    m_timer.start(0);
}

void TickTimer::start(int periodMs)
{
    m_period = periodMs;
    if (periodMs > 0)
        m_timer.start(periodMs);
    else
        m_timer.stop();
}

void TickTimer::stop()
{
    m_timer.stop();
}

void TickTimer::setInterval(int periodMs)
{
    m_period = periodMs;
    if (!m_timer.isActive())
        return;
    if (periodMs > 0)
        m_timer.start(periodMs);
    else
        m_timer.stop();
}

void TickTimer::onTimeout()
{
    // Settle the rate before the handler runs: the handler may stop or restart the timer, and
    // that must win.
    if (m_period <= 0)
        m_timer.stop();
    else if (m_timer.interval() != m_period)
        m_timer.setInterval(m_period);
    emit tick();
}

} // namespace kelvaro
