#pragma once

// What every benchmark program shares: services that stay out of the way, and the message table
// that costs the most to load, roll forward, sort and show.
#include "Clock.h"
#include "SharedState.h"
#include "Sound.h"
#include "UserInterface.h"

namespace kelvaro::bench {

// Answers every box and shows nothing, so a benchmark never waits on a person.
using QuietUi = SilentUserInterface;

// A sound device that is there but plays nothing, so the today warning takes its normal path.
class SilentSound final : public Sound {
public:
    int outputDeviceCount() const override { return 1; }
    void play(const QString&) override {}
    void beep() override {}
};

class FixedClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 11), QTime(9, 0)); }
};

// Fills records 1 to count (the rest of the table is cleared) in the order that costs the most:
// dates in reverse order, so the sort moves every record, all of them a century and more in the
// past, so every repeating record rolls forward across a hundred years. A fifth of them repeat
// daily (due today, with an alarm on every seventh record), a fifth are one-time messages long
// outdated; the advance window of a month puts well over a hundred records on the board.
void fillWorstCase(SharedState& state, const DateLocale& locale, int count = MaxMessages);

} // namespace kelvaro::bench
