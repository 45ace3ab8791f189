#include "MainFormFixture.h"
#include "MessageFile.h"
#include "ProgramFolder.h"
#include "Settings.h"
#include "SingleInstance.h"
#include "Startup.h"

#include <QFile>
#include <QFileInfo>

using namespace kelvaro;
using namespace kelvaro::test;

class TestMainFormStartup : public QObject {
    Q_OBJECT
private slots:
    void firstUseShowsTheExamples();
    void autoLaunchSoonAfterLastUse_data();
    void autoLaunchSoonAfterLastUse();
    void exitSavesPositionForTheNextStart();
    void programFolder();
};

static const QStringList Program{QStringLiteral("Kelvaro")};

void TestMainFormStartup::firstUseShowsTheExamples()
{
    MainFormFixture f;
    SingleInstance instance(f.dir.filePath(QStringLiteral("lock")));

    QVERIFY(f.form.Form_Load(Program, f.dir.path(), instance));

    QVERIFY(instance.isHeld());
    for (const char* name : {"Kelvaro.dat", "Kelvaro.rmf", "Notes.dat"})
        QVERIFY2(QFile::exists(f.dir.filePath(QLatin1String(name))), name);
    QCOMPARE(f.state.OptionsFile, f.dir.filePath(QStringLiteral("Kelvaro.dat")));
    QCOMPARE(f.state.NotesFile, f.dir.filePath(QStringLiteral("Notes.dat")));
    QVERIFY(f.ui.notices.contains(
        QStringLiteral("Message file not yet present. Setting up for first use...")));
    QCOMPARE(f.child<QLineEdit>(QStringLiteral("The_Time"))->text(), QStringLiteral("10:00:00"));
    QVERIFY(f.klok()->isActive());
    QCOMPARE(f.klok()->interval(), 1000);
    QVERIFY(f.state.JustLoaded);

    // The board comes when the window is idle, with the examples and the greeting.
    QVERIFY(f.updateDelay()->isActive());
    QCOMPARE(f.child<QPlainTextEdit>(QStringLiteral("Message1_Body"))->toPlainText(),
             QStringLiteral("Initializing..."));
    f.form.Update_Delay_Timer();
    MainFormFixture::runIdleTicks();
    QCOMPARE(f.pageNumber(), QStringLiteral("Page 1 of 2"));
    QCOMPARE(f.title(1), QStringLiteral("Workgroup meeting"));
    QCOMPARE(f.title(2), QStringLiteral("Aunt Agatha's birthday"));
    QCOMPARE(f.sound.played, QStringList{f.state.SoundFile});
    QCOMPARE(f.ui.boxes.last().title, QStringLiteral("Welcome to Kelvaro!"));
    QVERIFY(!f.state.FirstUse);
}

void TestMainFormStartup::autoLaunchSoonAfterLastUse_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("noRepeatLaunch");
    QTest::addColumn<int>("minutesAgo");
    QTest::addColumn<bool>("refused");

    QTest::newRow("3 minutes") << QStringLiteral("Startup") << true << 3 << true;
    QTest::newRow("20 minutes") << QStringLiteral("STARTUP") << true << 20 << false;
    QTest::newRow("option off") << QStringLiteral("startup") << false << 3 << false;
    QTest::newRow("started by hand") << QString() << true << 3 << false;
}

void TestMainFormStartup::autoLaunchSoonAfterLastUse()
{
    QFETCH(QString, argument);
    QFETCH(bool, noRepeatLaunch);
    QFETCH(int, minutesAgo);
    QFETCH(bool, refused);
    MainFormFixture f;
    f.add(f.today().addDays(2), QStringLiteral("Saved last time"));
    f.state.OptionsFile = defaultOptionsFile(f.state);
    f.state.NoRepeatLaunch = noRepeatLaunch;
    QVERIFY(WriteOptions(f.ctx));
    QVERIFY(SaveMessages(f.ctx));
    QFile messages(f.state.MessageFile);
    QVERIFY(messages.open(QIODevice::ReadWrite));
    QVERIFY(messages.setFileTime(f.clock.now().addSecs(-60 * minutesAgo),
                                 QFileDevice::FileModificationTime));
    messages.close();
    SingleInstance instance(f.dir.filePath(QStringLiteral("lock")));

    QStringList arguments = Program;
    if (!argument.isEmpty())
        arguments << argument;
    QCOMPARE(f.form.Form_Load(arguments, f.dir.path(), instance), !refused);

    QCOMPARE(f.ui.notices.contains(AutoLaunchAbortNotice.toString()), refused);
    QCOMPARE(f.klok()->isActive(), !refused);
    QCOMPARE(f.updateDelay()->isActive(), !refused);
}

void TestMainFormStartup::exitSavesPositionForTheNextStart()
{
    MainFormFixture f;
    f.add(f.today().addDays(-1), QStringLiteral("Outdated"));
    f.add(f.today().addDays(2), QStringLiteral("Coming"));
    f.state.OptionsFile = defaultOptionsFile(f.state);
    f.state.ConfirmRemoval = false;
    QVERIFY(WriteOptions(f.ctx));
    QVERIFY(SaveMessages(f.ctx));
    SingleInstance instance(f.dir.filePath(QStringLiteral("lock")));
    QVERIFY(f.form.Form_Load(Program, f.dir.path(), instance));
    QCOMPARE(f.state.MessageCount, 2);
    f.form.move(300, 200);
    f.form.Command4_Click();
    // What the program changed in memory without writing is not what the exit writes back.
    f.state.AutoScroll = false;

    f.form.Form_Unload();

    QVERIFY(!f.form.isMinimized());
    QVERIFY(f.form.isHidden());
    SharedState saved;
    QCOMPARE(readSettingsFile(f.state.OptionsFile, saved, nullptr), SettingsRead::Read);
    const qreal dpi = f.form.logicalDpiY();
    QCOMPARE(saved.MainLeft, qRound(300 * 1440 / dpi));
    QCOMPARE(saved.MainTop, qRound(200 * 1440 / dpi));
    QVERIFY(saved.AutoScroll);
    QCOMPARE(f.state.MessageCount, 1);
    QCOMPARE(f.titleOf(1), QStringLiteral("Coming"));

    // The next start puts the window back where it was.
    f.form.close();
    SharedState state2;
    FakeUserInterface ui2;
    MainForm next(state2, f.clock, f.locale, f.sound, ui2);
    SingleInstance instance2(f.dir.filePath(QStringLiteral("lock2")));
    QVERIFY(next.Form_Load(Program, f.dir.path(), instance2));
    QCOMPARE(next.pos(), QPoint(300, 200));
    QCOMPARE(state2.MessageCount, 1);
}

void TestMainFormStartup::programFolder()
{
    QTemporaryDir installed;
    QTemporaryDir home;
    const QString userData = home.filePath(QStringLiteral("data/Kelvaro"));
    QFile::copy(QStringLiteral(KELVARO_SOUNDS "/pong.wav"),
                installed.filePath(QStringLiteral("pong.wav")));
    QFile::copy(QStringLiteral(KELVARO_SOUNDS "/Bbbbeep.wav"),
                installed.filePath(QStringLiteral("Bbbbeep.wav")));

    // A folder the user can write holds the files itself.
    QCOMPARE(ProgramFolder(installed.path(), userData), installed.path());
    QVERIFY(!QFileInfo::exists(userData));

    // Missing sounds are copied, a sound the user put in place is kept.
    QDir().mkpath(userData);
    QFile own(userData + QStringLiteral("/pong.wav"));
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.write("mine");
    own.close();
    copyDefaultSounds(installed.path(), userData);
    QCOMPARE(QFileInfo(userData + QStringLiteral("/Bbbbeep.wav")).size(),
             QFileInfo(installed.filePath(QStringLiteral("Bbbbeep.wav"))).size());
    QCOMPARE(QFileInfo(userData + QStringLiteral("/pong.wav")).size(), 4);

    // An installed program's folder cannot be written: the per-user folder takes its place.
    QFile::setPermissions(installed.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool writable = folderIsWritable(installed.path());
    QFile::setPermissions(installed.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (writable)
        QSKIP("this user writes into read-only folders");
    QFile::setPermissions(installed.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString fresh = home.filePath(QStringLiteral("fresh"));
    const QString chosen = ProgramFolder(installed.path(), fresh);
    QFile::setPermissions(installed.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(chosen, fresh);
    QVERIFY(QFileInfo::exists(fresh + QStringLiteral("/pong.wav")));
    QVERIFY(QFileInfo::exists(fresh + QStringLiteral("/Bbbbeep.wav")));
}

QTEST_MAIN(TestMainFormStartup)
#include "tst_mainform_startup.moc"
