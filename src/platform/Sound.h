#pragma once

#include "SharedState.h"

#include <QString>

namespace kelvaro {

// The machine's sound: output devices, asynchronous playback of a wave file, the system beep.
class Sound {
public:
    virtual ~Sound() = default;
    virtual int outputDeviceCount() const = 0;
    // Starts playing a wave file and returns at once; a missing or unplayable file is not heard.
    virtual void play(const QString& path) = 0;
    virtual void beep() = 0;
};

// Plays path, beeps or stays silent according to NoSound, SoundOnce and UseSpeaker.
void PlaySound(SharedState& state, Sound& sound, const QString& path);

} // namespace kelvaro
