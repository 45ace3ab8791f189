#pragma once

#include "Sound.h"

#include <QStringList>

namespace kelvaro::test {

// Records what would have been heard, with as many output devices as a test gives it.
class FakeSound final : public Sound {
public:
    int outputDeviceCount() const override { return devices; }
    void play(const QString& path) override { played << path; }
    void beep() override { ++beeps; }

    int devices = 1;
    QStringList played; // every file started, in order
    int beeps = 0;
};

} // namespace kelvaro::test
