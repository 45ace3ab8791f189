// Starts the real program as a user would: one copy runs, a second one is refused, and an
// automatic launch right after the last use is refused too.
#include "Settings.h"

#include <QtTest>

namespace {

// A program folder as a returning user has it: the program, its sounds, settings, messages and
// notes, so that it starts straight into its board without asking anything.
struct ProgramFolder {
    ProgramFolder()
    {
        program = folder.filePath(QStringLiteral("Kelvaro"));
        QFile::copy(QStringLiteral(KELVARO_EXECUTABLE), program);
        const QString built = QFileInfo(QStringLiteral(KELVARO_EXECUTABLE)).path();
        for (const char* sound : {"Bbbbeep.wav", "pong.wav"})
            QFile::copy(built + u'/' + QLatin1StringView(sound),
                        folder.filePath(QLatin1StringView(sound)));
        writeSettings(false);
        write(QStringLiteral("Kelvaro.rmf"),
              "#" + QDate::currentDate().toString(Qt::ISODate).toLatin1() +
                  "#\r\n\"Dentist\"\r\n\"\"\r\n\"ONCE\"\r\n\"\"\r\n\"\"\r\n14\r\n\"\"\r\n\"\"\r\n"
                  "\"\"\r\n");
        write(QStringLiteral("Notes.dat"), "\"\"\r\n");
        QDir(home.path()).mkpath(QStringLiteral("runtime"));
        QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                  QFileDevice::ExeOwner);
    }

    void writeSettings(bool noRepeatLaunch)
    {
        kelvaro::SharedState settings;
        settings.AppDir = folder.path() + u'/';
        kelvaro::applyDefaultSettings(settings);
        settings.NoRepeatLaunch = noRepeatLaunch;
        settings.RemoveOutdatedOption = false;
        write(QStringLiteral("Kelvaro.dat"),
              kelvaro::formatSettings(settings, QDate::currentDate()).toUtf8());
    }

    void write(const QString& name, const QByteArray& bytes)
    {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray read(const QString& name) const
    {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Starts a copy of the program; it gets a home of its own, so nothing of this machine's user
    // is read or changed.
    void start(QProcess& process, const QStringList& arguments = {}) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("runtime")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "DISPLAY"})
            env.remove(QLatin1StringView(name));
        process.setProcessEnvironment(env);
        process.start(program, arguments);
    }

    QTemporaryDir folder;
    QTemporaryDir home;
    QString program;
};

// A refused start ends after its two-second notice, a refused second copy two seconds later still:
// a program still running after that is running for real. (Timers may fire a little early.)
constexpr int AutoLaunchRefusalMs = 1800;
constexpr int SecondCopyRefusalMs = 3600;

bool runsOn(QProcess& process, int longerThanMs)
{
    if (!process.waitForStarted(10000))
        return false;
    return !process.waitForFinished(longerThanMs + 1500) && process.state() == QProcess::Running;
}

} // namespace

class TestProgram : public QObject {
    Q_OBJECT

private slots:
    void refusesASecondCopy();
    void refusesAnAutomaticLaunchRightAfterTheLastUse_data();
    void refusesAnAutomaticLaunchRightAfterTheLastUse();
};

void TestProgram::refusesASecondCopy()
{
    ProgramFolder f;
    const QByteArray messages = f.read(QStringLiteral("Kelvaro.rmf"));
    QProcess first;
    f.start(first);
    QVERIFY2(runsOn(first, SecondCopyRefusalMs), first.readAllStandardError().constData());

    QProcess second;
    f.start(second);
    // The notice stays two seconds and the program waits two more before it ends.
    QElapsedTimer clock;
    clock.start();
    QVERIFY(second.waitForFinished(15000));
    QVERIFY2(clock.elapsed() >= SecondCopyRefusalMs, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(first.state(), QProcess::Running);

    first.kill();
    first.waitForFinished();
    // The refused copy changed nothing.
    QCOMPARE(f.read(QStringLiteral("Kelvaro.rmf")), messages);

    // A lock left behind by the killed copy does not keep the next one out.
    QProcess third;
    f.start(third);
    QVERIFY(runsOn(third, SecondCopyRefusalMs));
    third.kill();
    third.waitForFinished();
}

void TestProgram::refusesAnAutomaticLaunchRightAfterTheLastUse_data()
{
    QTest::addColumn<bool>("noRepeatLaunch");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<int>("minutesAgo");
    QTest::addColumn<bool>("refused");

    QTest::addRow("3 minutes after, by the autostart entry") << true << "Startup" << 3 << true;
    QTest::addRow("20 minutes after") << true << "Startup" << 20 << false;
    QTest::addRow("option off") << false << "STARTUP" << 3 << false;
    QTest::addRow("started by hand") << true << "" << 3 << false;
}

void TestProgram::refusesAnAutomaticLaunchRightAfterTheLastUse()
{
    QFETCH(bool, noRepeatLaunch);
    QFETCH(QString, argument);
    QFETCH(int, minutesAgo);
    QFETCH(bool, refused);
    ProgramFolder f;
    f.writeSettings(noRepeatLaunch);
    QFile messages(f.folder.filePath(QStringLiteral("Kelvaro.rmf")));
    QVERIFY(messages.open(QIODevice::ReadWrite));
    QVERIFY(messages.setFileTime(QDateTime::currentDateTime().addSecs(-60 * minutesAgo),
                                 QFileDevice::FileModificationTime));
    messages.close();

    QProcess process;
    f.start(process, argument.isEmpty() ? QStringList{} : QStringList{argument});
    if (refused) {
        QElapsedTimer clock;
        clock.start();
        QVERIFY(process.waitForFinished(15000));
        QVERIFY(clock.elapsed() >= AutoLaunchRefusalMs);
        QCOMPARE(process.exitCode(), 0);
    } else {
        QVERIFY(runsOn(process, AutoLaunchRefusalMs));
        process.kill();
        process.waitForFinished();
    }
}

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
