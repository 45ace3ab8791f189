#pragma once

#include "Sound.h"

#include <memory>

class QSoundEffect;

namespace kelvaro {

// The machine's sound through Qt Multimedia.
class QtSound final : public Sound {
public:
    QtSound();
    ~QtSound() override;
    QtSound(const QtSound&) = delete;
    QtSound& operator=(const QtSound&) = delete;

    int outputDeviceCount() const override;
    // A new sound replaces the one still playing, as the today warning and an alarm never need
    // to sound together.
    void play(const QString& path) override;
    void beep() override;

    // Whether the last file started is being heard now.
    bool isPlaying() const;

private:
    std::unique_ptr<QSoundEffect> m_effect;
};

} // namespace kelvaro
