#include "Sound.h"

namespace kelvaro {

void PlaySound(SharedState& state, Sound& sound, const QString& path)
{
    if (state.NoSound)
        return;
    if (sound.outputDeviceCount() < 1) {
        // Without an output device the beep is the only sound there is; "once" counts plays of
        // a device, so it does not apply.
        sound.beep();
        return;
    }
    if (state.UseSpeaker)
        sound.beep();
    else
        sound.play(path);
    if (state.SoundOnce)
        state.NoSound = true;
}

} // namespace kelvaro
