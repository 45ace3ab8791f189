#include "FileBytes.h"
#include "MessageFile.h"
#include "NotesFile.h"
#include "Settings.h"
#include "SmallDisk.h"
#include "StoreFixture.h"

#include <QtTest>
#include <unistd.h>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

const QString SaveLoop = QStringLiteral(KELVARO_SAVE_LOOP);

// Points the program's folder and its three files into folder.
void keepFilesIn(StoreFixture& f, const QString& folder)
{
    f.state.AppDir = folder + u'/';
    f.state.MessageFile = folder + QStringLiteral("/Kelvaro.rmf");
    f.state.OptionsFile = folder + QStringLiteral("/Kelvaro.dat");
    f.state.NotesFile = folder + QStringLiteral("/Notes.dat");
}

} // namespace

class TestCrashSafety : public QObject {
    Q_OBJECT

private slots:
    void killedSaveLeavesAWholeFile();
    void failedSaveKeepsEverything_data();
    void failedSaveKeepsEverything();
    void damagedFileInAReadOnlyFolderIsLeftAlone_data();
    void damagedFileInAReadOnlyFolderIsLeftAlone();
};

void TestCrashSafety::killedSaveLeavesAWholeFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kelvaro.rmf"));
    const auto saveOnce = [&](const char* contents) {
        return QProcess::execute(SaveLoop, {path, QString::fromLatin1(contents)}) == 0;
    };
    QVERIFY(saveOnce("b"));
    const QByteArray b = readBytes(path);
    QVERIFY(saveOnce("a"));
    const QByteArray a = readBytes(path);
    QVERIFY(a.size() > 100000 && b.size() > a.size());

    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    constexpr int Runs = 40;
    int savesBeforeKill = 0;
    int foundA = 0;
    int copiesLeft = 0;
    for (int i = 0; i < Runs; ++i) {
        QProcess saver;
        saver.start(SaveLoop, {path, QStringLiteral("loop")});
        QVERIFY(saver.waitForReadyRead(10000));
        QVERIFY(saver.readLine() == "saving\n");
        const int delay = random.bounded(2, 100);
        QThread::msleep(delay);
        saver.kill();
        QVERIFY(saver.waitForFinished(10000));
        QCOMPARE(saver.exitStatus(), QProcess::CrashExit);
        savesBeforeKill += saver.readAllStandardOutput().count('\n');

        const QByteArray onDisk = readBytes(path);
        QVERIFY2(
            onDisk == a || onDisk == b,
            qPrintable(QStringLiteral("run %1 (seed %2, killed after %3 ms): %4 bytes on disk, "
                                      "neither of the two saves")
                           .arg(i)
                           .arg(seed)
                           .arg(delay)
                           .arg(onDisk.size())));
        foundA += onDisk == a;
        // A save that never finished leaves nothing of itself beside the file. Only a kill between
        // naming the finished new file and moving it over the old one can leave a whole copy.
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files)) {
            if (name == QStringLiteral("Kelvaro.rmf"))
                continue;
            const QByteArray left = readBytes(dir.filePath(name));
            QVERIFY2(left == a || left == b, qPrintable(name + QStringLiteral(" left behind")));
            QVERIFY(QFile::remove(dir.filePath(name)));
            ++copiesLeft;
        }
    }
    qInfo("%d kills during %d finished saves; the file held the first contents %d times, the "
          "second %d times; %d whole copies left beside it",
          Runs, savesBeforeKill, foundA, Runs - foundA, copiesLeft);
    // The kills came while saves were going on, not before the first one began.
    QVERIFY(savesBeforeKill > 0);
}

void TestCrashSafety::failedSaveKeepsEverything_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("readOnly"); // false: a full disk
    // Every file here is smaller than a write buffer, so a full disk shows only when the buffer
    // is written out: a save that missed that would replace the file with an empty one.
    QTest::addRow("message file, full disk") << "messages" << false;
    QTest::addRow("message file, read-only folder") << "messages" << true;
    QTest::addRow("settings file, full disk") << "settings" << false;
    QTest::addRow("settings file, read-only folder") << "settings" << true;
    QTest::addRow("notes file, full disk") << "notes" << false;
    QTest::addRow("notes file, read-only folder") << "notes" << true;
}

void TestCrashSafety::failedSaveKeepsEverything()
{
    QFETCH(QString, file);
    QFETCH(bool, readOnly);

    StoreFixture f;
    const QString folder = f.dir.filePath(QStringLiteral("disk"));
    QVERIFY(QDir().mkpath(folder));
    SmallDisk disk(folder);
    if (!disk.isMounted())
        QSKIP("needs root to mount a small file system");
    keepFilesIn(f, folder);

    // What is on disk before: files the program wrote itself.
    QVERIFY(WriteNotes(f.ctx, QStringLiteral("old notes")));
    applyDefaultSettings(f.state);
    QVERIFY(WriteOptions(f.ctx));
    f.state.MessageFile = folder + QStringLiteral("/Kelvaro.rmf");
    f.add(QDate(2026, 1, 1), QStringLiteral("old message"));
    QVERIFY(SaveMessages(f.ctx));
    const QString path = file == u"messages"   ? f.state.MessageFile
                         : file == u"settings" ? f.state.OptionsFile
                                               : f.state.NotesFile;
    const QByteArray before = readBytes(path);
    QVERIFY(!before.isEmpty());

    // What is in memory now: more messages, other settings.
    for (int i = 0; i < 50; ++i)
        f.add(QDate(2026, 5, 1), QStringLiteral("new message %1").arg(i));
    f.state.ScrollDelay = 5000;
    f.state.MinimizeMode = QStringLiteral("ICON");
    QVERIFY(readOnly ? disk.makeReadOnly() : disk.fill());
    const QStringList filesBefore = QDir(folder).entryList(QDir::Files);

    bool saved = true;
    if (file == u"messages")
        saved = SaveMessages(f.ctx);
    else if (file == u"settings")
        saved = WriteOptions(f.ctx);
    else
        saved = WriteNotes(f.ctx, QStringLiteral("new notes, longer than the old ones"));

    QVERIFY(!saved);
    QCOMPARE(f.ui.boxes.size(), 1);
    QCOMPARE(f.ui.boxes[0].style, int(UserInterface::Critical));
    QVERIFY2(f.ui.boxes[0].text.contains(path), qPrintable(f.ui.boxes[0].text));
    QVERIFY(f.ui.notices.isEmpty());
    QCOMPARE(readBytes(path), before);
    QCOMPARE(QDir(folder).entryList(QDir::Files), filesBefore);
    // Memory still holds what could not be written.
    QCOMPARE(f.state.MessageCount, qint16(51));
    QCOMPARE(f.titleOf(51), QStringLiteral("new message 49"));
    QCOMPARE(f.state.ScrollDelay, 5000);
    QCOMPARE(f.state.MinimizeMode, QStringLiteral("ICON"));
}

void TestCrashSafety::damagedFileInAReadOnlyFolderIsLeftAlone_data()
{
    QTest::addColumn<QString>("file");
    QTest::addRow("message file") << "messages";
    QTest::addRow("settings file") << "settings";
}

void TestCrashSafety::damagedFileInAReadOnlyFolderIsLeftAlone()
{
    QFETCH(QString, file);

    StoreFixture f;
    const QString folder = f.dir.filePath(QStringLiteral("disk"));
    QVERIFY(QDir().mkpath(folder));
    SmallDisk disk(folder);
    if (!disk.isMounted())
        QSKIP("needs root to mount a small file system");
    keepFilesIn(f, folder);
    const QString path = file == u"messages" ? f.state.MessageFile : f.state.OptionsFile;
    // A file cut short: the first lines of a good one.
    const QByteArray damaged = "#TRUE#\r\n#2026-05-01#\r\n\"half a";
    writeBytes(path, damaged);
    QVERIFY(disk.makeReadOnly());

    if (file == u"messages") {
        QVERIFY(ReadMessageFile(f.ctx) == LoadOutcome::Damaged);
        QCOMPARE(f.ui.boxes.size(), 1);
        QVERIFY2(f.ui.boxes[0].text.contains(QStringLiteral("could not be copied aside")),
                 qPrintable(f.ui.boxes[0].text));
        // The program goes on with what it has, but never saves over the file it could not keep.
        f.add(QDate(2026, 6, 1), QStringLiteral("typed after the load"));
        QVERIFY(!SaveMessages(f.ctx));
        QCOMPARE(f.ui.boxes.size(), 2);
        QVERIFY(f.ui.boxes[1].text.contains(QStringLiteral("will not save over it")));
        QCOMPARE(f.titleOf(f.state.MessageCount), QStringLiteral("typed after the load"));
    } else {
        QVERIFY(!ReadOptions(f.ctx));
        QCOMPARE(f.ui.boxes.size(), 1);
        QVERIFY2(f.ui.boxes[0].text.contains(QStringLiteral("could not be copied aside")),
                 qPrintable(f.ui.boxes[0].text));
        // The defaults are in effect for this run.
        QCOMPARE(f.state.MessageFile, folder + QStringLiteral("/Kelvaro.rmf"));
        QCOMPARE(f.state.ScrollDelay, 20000);
    }
    QCOMPARE(readBytes(path), damaged);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QFileInfo(path).fileName()});
}

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
