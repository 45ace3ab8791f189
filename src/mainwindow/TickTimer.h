#pragma once

#include <QObject>
#include <QTimer>

namespace kelvaro {

// A window timer that can tick as soon as the event loop is idle and then every N milliseconds.
// The board, the clock and the paging buttons all need that start; a plain QTimer waits a whole
// interval before its first tick.
class TickTimer final : public QObject {
    Q_OBJECT
public:
    explicit TickTimer(QObject* parent = nullptr);

    // First tick as soon as the event loop is idle, then every periodMs; a period of 0 or less
    // gives that one tick and leaves the timer stopped.
    void restart(int periodMs);
    // One tick as soon as the event loop is idle, then stopped.
    void tickOnce() { restart(0); }
    // Ticks every periodMs, the first one a whole period from now.
    void start(int periodMs);
    void stop();
    // A new period for the running timer (the next tick comes a whole period from now); a stopped
    // timer stays stopped and uses the period when restarted.
    void setInterval(int periodMs);

    bool isActive() const { return m_timer.isActive(); }
    // The period between ticks, not the idle-time first tick.
    int interval() const { return m_period; }

signals:
    void tick();

private:
    void onTimeout();

    QTimer m_timer;
    int m_period = 0;
};

} // namespace kelvaro
