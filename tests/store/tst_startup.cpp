#include "FileBytes.h"
#include "NotesFile.h"
#include "Startup.h"
#include "StoreFixture.h"

#include <QFile>
#include <QTest>

using namespace kelvaro;
using kelvaro::test::readBytes;
using kelvaro::test::StoreFixture;
using kelvaro::test::writeBytes;

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void loadsAnExistingFile();
    void findsTheFileInTheProgramFolder_data();
    void findsTheFileInTheProgramFolder();
    void makesANewFileForAnotherMissingName_data();
    void makesANewFileForAnotherMissingName();
    void firstUseForTheDefaultName_data();
    void firstUseForTheDefaultName();
    void firstUseQuestionAndChecks_data();
    void firstUseQuestionAndChecks();
    void firstUseKeepsExistingNotes();

    void autoLaunchRefusal_data();
    void autoLaunchRefusal();

    void initWithExamples();
    void initNewFileSaves();
    void initNewFileAsksForAName();
};

namespace {

const QString NotFound = QStringLiteral("Messagefile not found. Looking in current directory...");

// A fixture as the program has it when it starts: settings and notes files named, not yet there.
struct StartFixture : StoreFixture {
    StartFixture()
    {
        state.OptionsFile = dir.filePath(QStringLiteral("Kelvaro.dat"));
        state.NotesFile = dir.filePath(QStringLiteral("Notes.dat"));
        state.AlarmSoundFile = dir.filePath(QStringLiteral("Bbbbeep.wav"));
    }

    QString inAppDir(const QString& name) const { return state.AppDir + name; }
    // Writes a message file of the given titles, then forgets the records.
    void writeMessageFile(const QString& path, const QStringList& titles)
    {
        const QString keep = state.MessageFile;
        state.MessageCount = 0;
        for (const QString& title : titles)
            add(today(), title);
        state.MessageFile = path;
        QVERIFY(SaveMessages(ctx));
        state.Messages.fill(QString());
        state.MessageCount = 0;
        state.MessageFile = keep;
    }
};

} // namespace

void TestStartup::loadsAnExistingFile()
{
    StartFixture f;
    f.writeMessageFile(f.state.MessageFile, {QStringLiteral("One"), QStringLiteral("Two")});

    QCOMPARE(LoadMessages(f.ctx), LoadOutcome::Loaded);
    QCOMPARE(f.state.MessageCount, qint16(2));
    QCOMPARE(f.titleOf(2), QStringLiteral("Two"));
    QVERIFY(f.ui.notices.isEmpty());
    QVERIFY(f.ui.boxes.isEmpty());
    QVERIFY(!f.state.FirstUse);
    QVERIFY(!QFile::exists(f.state.OptionsFile));
}

void TestStartup::findsTheFileInTheProgramFolder_data()
{
    QTest::addColumn<QString>("configured");
    QTest::addRow("folder gone") << QStringLiteral("/nowhere/Old/Diary.rmf");
    QTest::addRow("path from Windows") << QStringLiteral("D:\\Old\\Diary.rmf");
}

void TestStartup::findsTheFileInTheProgramFolder()
{
    QFETCH(QString, configured);
    StartFixture f;
    f.writeMessageFile(f.inAppDir(QStringLiteral("Diary.rmf")), {QStringLiteral("Kept")});
    f.state.MessageFile = configured;

    QCOMPARE(LoadMessages(f.ctx), LoadOutcome::Loaded);
    QCOMPARE(f.state.MessageFile, f.inAppDir(QStringLiteral("Diary.rmf")));
    QCOMPARE(f.ui.notices,
             QStringList({NotFound, QStringLiteral("Message file found. Loading...")}));
    QCOMPARE(f.state.MessageCount, qint16(1));
    QCOMPARE(f.titleOf(1), QStringLiteral("Kept"));
    // The settings now point at the file that was found.
    QVERIFY(readBytes(f.state.OptionsFile).contains(f.state.MessageFile.toUtf8()));
    QVERIFY(!f.state.FirstUse);
}

void TestStartup::makesANewFileForAnotherMissingName_data()
{
    QTest::addColumn<QString>("configured");
    QTest::addRow("folder gone") << QStringLiteral("/nowhere/Old/Diary.rmf");
    QTest::addRow("path from Windows") << QStringLiteral("D:\\Old\\Diary.rmf");
}

void TestStartup::makesANewFileForAnotherMissingName()
{
    QFETCH(QString, configured);
    StartFixture f;
    f.state.MessageFile = configured;

    QCOMPARE(LoadMessages(f.ctx), LoadOutcome::Loaded);
    QCOMPARE(f.ui.notices,
             QStringList({NotFound, QStringLiteral("\"Diary.rmf\" not found. Creating new...")}));
    QCOMPARE(f.state.MessageFile, f.inAppDir(QStringLiteral("Diary.rmf")));
    QVERIFY(QFile::exists(f.state.MessageFile));
    QCOMPARE(f.state.MessageCount, qint16(1));
    QCOMPARE(f.titleOf(1), QStringLiteral("New message file"));
    QCOMPARE(f.dateOf(1), f.today());
    QVERIFY(readBytes(f.state.OptionsFile).contains(f.state.MessageFile.toUtf8()));
    QVERIFY(!f.state.FirstUse);
    QVERIFY(f.ui.calls.isEmpty());
    QVERIFY(f.ui.boxes.isEmpty());
    QVERIFY(!QFile::exists(f.state.NotesFile));
}

void TestStartup::firstUseForTheDefaultName_data()
{
    QTest::addColumn<QString>("configured");
    QTest::addRow("folder gone") << QStringLiteral("/nowhere/Kelvaro.rmf");
    QTest::addRow("Windows path, other case") << QStringLiteral("C:\\Program Files\\KELVARO.RMF");
    QTest::addRow("no name configured") << QString();
}

void TestStartup::firstUseForTheDefaultName()
{
    QFETCH(QString, configured);
    StartFixture f;
    f.state.MessageFile = configured;

    QCOMPARE(LoadMessages(f.ctx), LoadOutcome::Loaded);
    QVERIFY(f.state.FirstUse);
    QCOMPARE(f.ui.notices,
             QStringList({NotFound, QStringLiteral("Message file not yet present. Setting up for "
                                                   "first use...")}));
    QCOMPARE(f.state.MessageFile, f.inAppDir(QStringLiteral("Kelvaro.rmf")));

    // The examples as read back from the new file, dated from today.
    QCOMPARE(f.state.MessageCount, qint16(6));
    const int offsets[] = {0, 1, 2, 2, 3, 4};
    for (int i = 1; i <= 6; ++i) {
        QCOMPARE(f.state.Messages(i, Field::Date).string(),
                 f.locale.shortDate(f.today().addDays(offsets[i - 1])));
        QCOMPARE(f.state.Messages(i, Field::AdvanceDays), Value(qint16(14)));
    }
    QCOMPARE(f.titleOf(2), QStringLiteral("Aunt Agatha's birthday"));
    QCOMPARE(f.state.Messages(2, Field::BirthYear), Value(qint16(1901)));

    QCOMPARE(ReadNotes(f.ctx), DefaultNotesText.toString());
    QVERIFY(readBytes(f.state.OptionsFile).contains(f.state.MessageFile.toUtf8()));
    QCOMPARE(f.ui.calls,
             QStringList({QStringLiteral("getSystemDirs"), QStringLiteral("createStartupShortcut"),
                          QStringLiteral("createDesktopShortcut")}));
    QCOMPARE(f.ui.boxTexts(), QStringList({QStringLiteral("Create shortcut to desktop?")}));
    QCOMPARE(f.ui.boxes[0].style, 36);
}

void TestStartup::firstUseQuestionAndChecks_data()
{
    QTest::addColumn<bool>("wantsDesktopShortcut");
    QTest::addColumn<int>("audioOutputs");
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QStringList>("warnings"); // titles of the boxes after the question

    const QString sound = QStringLiteral("Sound Check");
    const QString screen = QStringLiteral("Screen Resolution Check");
    QTest::addRow("no to shortcut, all fine") << false << 1 << QSize(800, 600) << QStringList();
    QTest::addRow("no sound card") << true << 0 << QSize(1024, 768) << QStringList{sound};
    QTest::addRow("device count negative") << false << -1 << QSize(1024, 768) << QStringList{sound};
    QTest::addRow("too narrow") << true << 2 << QSize(799, 1200) << QStringList{screen};
    QTest::addRow("too low") << true << 1 << QSize(1600, 599) << QStringList{screen};
    QTest::addRow("both") << false << 0 << QSize(640, 480) << QStringList{sound, screen};
    QTest::addRow("screen size unknown") << true << 1 << QSize() << QStringList();
}

void TestStartup::firstUseQuestionAndChecks()
{
    QFETCH(bool, wantsDesktopShortcut);
    QFETCH(int, audioOutputs);
    QFETCH(QSize, screen);
    QFETCH(QStringList, warnings);
    StartFixture f;
    f.ui.answers = {wantsDesktopShortcut ? UserInterface::Answer::Yes : UserInterface::Answer::No};
    f.ui.audioOutputs = audioOutputs;
    f.ui.screen = screen;

    LoadMessages(f.ctx);

    QCOMPARE(f.ui.calls.contains(QStringLiteral("createDesktopShortcut")), wantsDesktopShortcut);
    QCOMPARE(f.ui.calls.contains(QStringLiteral("createStartupShortcut")), true);
    QCOMPARE(f.ui.boxes.size(), 1 + warnings.size());
    for (int i = 0; i < warnings.size(); ++i) {
        const auto& box = f.ui.boxes[i + 1];
        QCOMPARE(box.title, warnings[i]);
        QCOMPARE(box.style, 48);
    }
    if (warnings.contains(QStringLiteral("Sound Check")))
        QCOMPARE(f.ui.boxes[1].text,
                 QStringLiteral("No soundcard detected. Alarm sounds cannot be played."));
    if (warnings.contains(QStringLiteral("Screen Resolution Check")))
        QVERIFY(f.ui.boxes.last().text.startsWith(
            QStringLiteral("Your screen resolution is less than 800 x 600 pixels. ")));
}

void TestStartup::firstUseKeepsExistingNotes()
{
    StartFixture f;
    writeBytes(f.state.NotesFile, "\"my passwords\"\r\n");

    LoadMessages(f.ctx);

    QVERIFY(f.state.FirstUse);
    QCOMPARE(ReadNotes(f.ctx), QStringLiteral("my passwords"));
}

void TestStartup::autoLaunchRefusal_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("noRepeatLaunch");
    QTest::addColumn<QTime>("written"); // invalid: no message file
    QTest::addColumn<QTime>("now");
    QTest::addColumn<bool>("refused");

    const QString program = QStringLiteral("/opt/Kelvaro/Kelvaro");
    const QStringList byShortcut{program, QStringLiteral("Startup")};
    const QTime ten(10, 0);
    QTest::addRow("STARTUP, 3 min")
        << QStringList{program, QStringLiteral("STARTUP")} << true << ten << QTime(10, 3) << true;
    QTest::addRow("startup, 3 min")
        << QStringList{program, QStringLiteral("startup")} << true << ten << QTime(10, 3) << true;
    QTest::addRow("inside an argument") << QStringList{program, QStringLiteral("--autostartup=1")}
                                        << true << ten << QTime(10, 3) << true;
    QTest::addRow("Startup, 20 min") << byShortcut << true << ten << QTime(10, 20) << false;
    QTest::addRow("same minute") << byShortcut << true << QTime(10, 0, 59) << QTime(10, 0, 59)
                                 << true;
    QTest::addRow("14 boundaries")
        << byShortcut << true << QTime(10, 0, 0) << QTime(10, 14, 59) << true;
    QTest::addRow("15 boundaries in 14 min 2 s")
        << byShortcut << true << QTime(9, 59, 59) << QTime(10, 14, 1) << false;
    QTest::addRow("option off") << byShortcut << false << ten << QTime(10, 3) << false;
    QTest::addRow("no message file") << byShortcut << true << QTime() << QTime(10, 3) << false;
    QTest::addRow("started by hand")
        << QStringList{program} << true << ten << QTime(10, 3) << false;
    QTest::addRow("program in a Startup folder")
        << QStringList{QStringLiteral("/home/u/Startup/Kelvaro")} << true << ten << QTime(10, 3)
        << false;
    QTest::addRow("file dated in the future")
        << byShortcut << true << QTime(10, 30) << QTime(10, 3) << false;
    QTest::addRow("no arguments at all") << QStringList() << true << ten << QTime(10, 3) << false;
}

void TestStartup::autoLaunchRefusal()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, noRepeatLaunch);
    QFETCH(QTime, written);
    QFETCH(QTime, now);
    QFETCH(bool, refused);
    StartFixture f;
    f.state.NoRepeatLaunch = noRepeatLaunch;
    const QDate day(2026, 3, 15);
    if (written.isValid()) {
        writeBytes(f.state.MessageFile, "#2026-03-15#\r\n");
        QFile file(f.state.MessageFile);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime(day, written), QFileDevice::FileModificationTime));
    }

    QCOMPARE(AutoLaunchRefused(arguments, f.state, QDateTime(day, now)), refused);
}

void TestStartup::initWithExamples()
{
    StartFixture f;
    f.clock.set(QDateTime(f.today(), QTime(10, 58, 30)));
    f.state.CurrentPage = 3;
    f.add(f.today(), QStringLiteral("old"));
    for (int i = 0; i < 8; ++i)
        f.add(f.today(), QStringLiteral("older"));
    f.state.Messages(9, Field::Reserved6) = Value::null();

    InitMessages(f.ctx, false, true);

    SharedState& s = f.state;
    QCOMPARE(s.MessageCount, qint16(6));
    QCOMPARE(s.CurrentPage, qint16(0));
    QCOMPARE(f.ui.boardUpdates, 0);
    QCOMPARE(s.Messages(1, Field::AlarmTime), Value(QStringLiteral("11:03")));
    QCOMPARE(s.Messages(1, Field::AlarmSound), Value(s.AlarmSoundFile));
    QVERIFY(s.Messages(1, Field::Body)
                .string()
                .endsWith(QStringLiteral("...\r\n(Alarm in a few minutes)")));
    QCOMPARE(s.Messages(2, Field::Repeat), Value(QStringLiteral("YEARLY")));
    QCOMPARE(s.Messages(2, Field::BirthYear).kind(), Value::Kind::Integer);
    QCOMPARE(s.Messages(2, Field::BirthYear).integer(), qint16(1901));
    const QStringList dayPlan = s.Messages(3, Field::Body).string().split(QStringLiteral("\r\n"));
    QCOMPARE(dayPlan.size(), 5);
    QVERIFY(dayPlan[4].startsWith(QStringLiteral("- 17:00 meet mr. ")));
    QVERIFY(dayPlan[4].size() > QStringLiteral("- 17:00 meet mr. ").size());
    const int offsets[] = {0, 1, 2, 2, 3, 4};
    for (int i = 1; i <= 6; ++i) {
        QCOMPARE(f.dateOf(i), f.today().addDays(offsets[i - 1]));
        QCOMPARE(s.Messages(i, Field::AdvanceDays).kind(), Value::Kind::Integer);
        QCOMPARE(s.Messages(i, Field::AdvanceDays).integer(), qint16(14));
        for (int field : {Field::Reserved6, Field::Reserved10})
            QCOMPARE(s.Messages(i, field), Value(QString()));
        if (i != 2)
            QCOMPARE(s.Messages(i, Field::BirthYear), Value(QString()));
        if (i != 1)
            QCOMPARE(s.Messages(i, Field::AlarmTime), Value(QString()));
    }
    // The table past the examples is cleared, so no scan runs into the old records.
    for (int i = 7; i <= 9; ++i) {
        for (int field = 1; field <= 10; ++field)
            QVERIFY(s.Messages(i, field).isString() && s.Messages(i, field).string().isEmpty());
    }
    QVERIFY(QFile::exists(s.MessageFile));
    QVERIFY(readBytes(s.OptionsFile).contains(s.MessageFile.toUtf8()));
}

void TestStartup::initNewFileSaves()
{
    StartFixture f;
    f.add(f.today(), QStringLiteral("old"));
    f.add(f.today(), QStringLiteral("older"));

    InitMessages(f.ctx, false, false);

    QCOMPARE(f.state.MessageCount, qint16(1));
    QCOMPARE(f.ui.boardUpdates, 1);
    QCOMPARE(readBytes(f.state.MessageFile), QByteArray("#2026-03-15#\r\n"
                                                        "\"New message file\"\r\n"
                                                        "\"New message file\"\r\n"
                                                        "\"ONCE\"\r\n"
                                                        "\"\"\r\n"
                                                        "\"\"\r\n"
                                                        "0\r\n"
                                                        "\"\"\r\n"
                                                        "\"\"\r\n"
                                                        "\"\"\r\n"));
    QVERIFY(QFile::exists(f.state.OptionsFile));
    QVERIFY(f.ui.calls.isEmpty());
    QCOMPARE(f.titleOf(2), QString());
}

void TestStartup::initNewFileAsksForAName()
{
    StartFixture f;
    const QString before = f.state.MessageFile;
    f.state.PickOpenFile = f.state.PickSaveAs = f.state.PickSound = f.state.PickAlarmSound = true;

    InitMessages(f.ctx, true, false);

    QCOMPARE(f.state.MessageCount, qint16(1));
    QCOMPARE(f.titleOf(1), QStringLiteral("New message file"));
    QCOMPARE(f.ui.boardUpdates, 1);
    QCOMPARE(f.state.MessageFile, QString());
    QVERIFY(f.state.PickNewFile);
    QVERIFY(!f.state.PickOpenFile && !f.state.PickSaveAs && !f.state.PickSound &&
            !f.state.PickAlarmSound);
    QCOMPARE(f.ui.calls, QStringList{QStringLiteral("showFilePicker")});
    // The picker names and saves the file; nothing is written before it does.
    QVERIFY(!QFile::exists(before));
    QVERIFY(!QFile::exists(f.state.OptionsFile));
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
