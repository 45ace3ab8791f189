#include "QtSound.h"

#include <QApplication>
#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace kelvaro {

QtSound::QtSound() = default;
QtSound::~QtSound() = default;

int QtSound::outputDeviceCount() const
{
    return int(QMediaDevices::audioOutputs().size());
}

void QtSound::play(const QString& path)
{
    // Checked here so that a missing file stays silent instead of filling the log with decoder
    // warnings; a file that exists but cannot be decoded is silent too, by QSoundEffect's error.
    if (!QFileInfo(path).isFile())
        return;
    // A fresh effect each time opens the output that is the default now, so a headset plugged in
    // since the last sound is used.
    m_effect = std::make_unique<QSoundEffect>();
    m_effect->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    m_effect->play();
}

bool QtSound::isPlaying() const
{
    return m_effect && m_effect->isPlaying();
}

void QtSound::beep()
{
    QApplication::beep();
}

} // namespace kelvaro
