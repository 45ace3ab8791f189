#include "FakeSound.h"
#include "QtSound.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace kelvaro;
using kelvaro::test::FakeSound;

namespace {

// A mono 16-bit wave file of silence lasting seconds.
QByteArray waveFile(int seconds)
{
    const quint32 rate = 8000;
    const quint32 dataSize = rate * 2 * seconds;
    QByteArray bytes;
    auto add32 = [&bytes](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        bytes.append(b, 4);
    };
    auto add16 = [&bytes](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        bytes.append(b, 2);
    };
    bytes.append("RIFF");
    add32(36 + dataSize);
    bytes.append("WAVEfmt ");
    add32(16);
    add16(1); // PCM
    add16(1); // mono
    add32(rate);
    add32(rate * 2);
    add16(2);
    add16(16);
    bytes.append("data");
    add32(dataSize);
    bytes.append(QByteArray(dataSize, '\0'));
    return bytes;
}

} // namespace

class TestPlaySound : public QObject {
    Q_OBJECT

private slots:
    void settings_data();
    void settings();
    void qtSoundNeverBlocks();
    void qtSoundPlaysOnADevice();
};

void TestPlaySound::settings_data()
{
    QTest::addColumn<int>("devices");
    QTest::addColumn<bool>("noSound");
    QTest::addColumn<bool>("soundOnce");
    QTest::addColumn<bool>("useSpeaker");
    // What two calls in a row are heard as, and NoSound afterwards.
    QTest::addColumn<int>("plays");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<bool>("noSoundAfter");

    QTest::addRow("plays the file every time") << 1 << false << false << false << 2 << 0 << false;
    QTest::addRow("speaker beeps instead") << 2 << false << false << true << 0 << 2 << false;
    QTest::addRow("no sound is silent") << 1 << true << false << false << 0 << 0 << true;
    QTest::addRow("no sound silences the speaker") << 1 << true << false << true << 0 << 0 << true;
    QTest::addRow("once: first plays, second silent")
        << 1 << false << true << false << 1 << 0 << true;
    QTest::addRow("once counts a speaker beep") << 1 << false << true << true << 0 << 1 << true;
    QTest::addRow("no device beeps") << 0 << false << false << false << 0 << 2 << false;
    QTest::addRow("no device, no sound") << 0 << true << false << false << 0 << 0 << true;
    QTest::addRow("no device ignores once") << 0 << false << true << false << 0 << 2 << false;
}

void TestPlaySound::settings()
{
    QFETCH(int, devices);
    QFETCH(bool, noSound);
    QFETCH(bool, soundOnce);
    QFETCH(bool, useSpeaker);
    QFETCH(int, plays);
    QFETCH(int, beeps);
    QFETCH(bool, noSoundAfter);

    SharedState state;
    state.NoSound = noSound;
    state.SoundOnce = soundOnce;
    state.UseSpeaker = useSpeaker;
    FakeSound sound;
    sound.devices = devices;
    const QString path = QStringLiteral("/sounds/pong.wav");

    PlaySound(state, sound, path);
    PlaySound(state, sound, path);

    QCOMPARE(sound.played, QStringList(plays, path));
    QCOMPARE(sound.beeps, beeps);
    QCOMPARE(state.NoSound, noSoundAfter);
}

void TestPlaySound::qtSoundNeverBlocks()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString wave = dir.filePath(QStringLiteral("long.wav"));
    QFile file(wave);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(waveFile(3));
    file.close();
    const QString notWave = dir.filePath(QStringLiteral("text.wav"));
    QFile text(notWave);
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("not a sound");
    text.close();

    QtSound sound;
    QVERIFY(sound.outputDeviceCount() >= 0);
    QElapsedTimer timer;
    timer.start();
    // A three-second file, one that cannot be decoded, one that is missing and a folder: each
    // call returns at once, whatever the machine's sound.
    sound.play(wave);
    sound.play(notWave);
    sound.play(dir.filePath(QStringLiteral("missing.wav")));
    sound.play(dir.path());
    sound.play(wave);
    QVERIFY2(timer.elapsed() < 1500, qPrintable(QString::number(timer.elapsed())));
    // Whatever is still loading finishes or fails in the event loop without harm.
    QCoreApplication::processEvents();
}

void TestPlaySound::qtSoundPlaysOnADevice()
{
    QtSound sound;
    if (sound.outputDeviceCount() < 1)
        QSKIP("No sound output device (a PulseAudio null sink gives one)");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString wave = dir.filePath(QStringLiteral("pong.wav"));
    QFile file(wave);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(waveFile(2));
    file.close();

    sound.play(wave);

    QTRY_VERIFY(sound.isPlaying());
}

QTEST_MAIN(TestPlaySound)
#include "tst_playsound.moc"
