#include "DesktopEntry.h"
#include "FakeSpecialFolders.h"
#include "FakeUserInterface.h"
#include "Shortcuts.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvaro;
using kelvaro::test::FakeSpecialFolders;
using kelvaro::test::FakeUserInterface;

namespace {

const QString EntryFile = QStringLiteral("Kelvaro v1.0 Beta.desktop");
const QString TemporaryFile = QStringLiteral("Kelvaro Temporary.desktop");

// The argument list a launcher makes of an Exec value: string escapes undone first, then the
// quoting, then "%%" turned into "%". Any other field code fails the test.
QStringList launcherArguments(const QString& exec)
{
    QString unescaped;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        if (exec[i] == u'\\' && i + 1 < exec.size()) {
            const QChar next = exec[++i];
            unescaped += next == u's'   ? QChar(u' ')
                         : next == u'n' ? QChar(u'\n')
                         : next == u't' ? QChar(u'\t')
                         : next == u'r' ? QChar(u'\r')
                                        : next;
        } else {
            unescaped += exec[i];
        }
    }
    QStringList arguments;
    QString current;
    bool inQuotes = false;
    bool started = false;
    for (qsizetype i = 0; i < unescaped.size(); ++i) {
        const QChar c = unescaped[i];
        if (inQuotes) {
            if (c == u'\\' && i + 1 < unescaped.size() &&
                QStringLiteral("\"`$\\").contains(unescaped[i + 1]))
                current += unescaped[++i];
            else if (c == u'"')
                inQuotes = false;
            else
                current += c;
        } else if (c == u' ') {
            if (started)
                arguments << current;
            current.clear();
            started = false;
        } else if (c == u'"') {
            inQuotes = true;
            started = true;
        } else {
            current += c;
            started = true;
        }
    }
    if (started)
        arguments << current;
    for (QString& argument : arguments) {
        QString plain;
        for (qsizetype i = 0; i < argument.size(); ++i) {
            if (argument[i] == u'%') {
                if (i + 1 >= argument.size() || argument[i + 1] != u'%')
                    return {QStringLiteral("field code in ") + argument};
                ++i;
            }
            plain += argument[i];
        }
        argument = plain;
    }
    return arguments;
}

QString readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QString execOf(const QString& entryText)
{
    for (const QString& line : entryText.split(u'\n')) {
        if (line.startsWith(QStringLiteral("Exec=")))
            return line.mid(5);
    }
    return {};
}

bool makeFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("#!/bin/sh\n") > 0;
}

// A program file and the three special folders, each in a temporary folder of its own.
struct ShortcutFixture {
    ShortcutFixture()
    {
        QDir(dir.path()).mkpath(QStringLiteral("bin"));
        for (const char* folder : {"applications", "autostart", "Desktop"})
            QDir(dir.path()).mkpath(QString::fromLatin1(folder));
        state.ProgramsDir = dir.filePath(QStringLiteral("applications"));
        state.StartupDir = dir.filePath(QStringLiteral("autostart"));
        state.DesktopDir = dir.filePath(QStringLiteral("Desktop"));
        target = dir.filePath(QStringLiteral("bin/Kelvaro"));
        makeFile(target);
    }
    QString inStartup() const { return state.StartupDir + u'/' + EntryFile; }
    QString onDesktop() const { return state.DesktopDir + u'/' + EntryFile; }
    QString temporary() const { return state.ProgramsDir + u'/' + TemporaryFile; }

    QTemporaryDir dir;
    SharedState state;
    FakeUserInterface ui;
    QString target;
};

} // namespace

class TestShortcuts : public QObject {
    Q_OBJECT

private slots:
    void folderIdFromIndex_data();
    void folderIdFromIndex();
    void systemDirs_data();
    void systemDirs();
    void xdgFolders();
    void startupShortcut();
    void startupShortcutRefused_data();
    void startupShortcutRefused();
    void startupShortcutThatCannotBeWritten();
    void desktopShortcut();
    void desktopShortcutRefused_data();
    void desktopShortcutRefused();
    void execQuoting_data();
    void execQuoting();
    void entriesValidate();
};

void TestShortcuts::folderIdFromIndex_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("id");
    QTest::addRow("below the range") << 1 << 0;
    QTest::addRow("programs") << 2 << 2;
    QTest::addRow("startup") << 7 << 7;
    QTest::addRow("last plain id") << 11 << 11;
    QTest::addRow("desktop") << 12 << 16;
}

void TestShortcuts::folderIdFromIndex()
{
    QFETCH(int, n);
    QFETCH(int, id);
    QCOMPARE(FolderIdFromIndex(n), id);
}

void TestShortcuts::systemDirs_data()
{
    QTest::addColumn<QList<qint32>>("missing");
    QTest::addColumn<QStringList>("boxes");
    QTest::addRow("all found") << QList<qint32>{} << QStringList{};
    QTest::addRow("no programs folder") << QList<qint32>{2} << QStringList{};
    QTest::addRow("no startup folder")
        << QList<qint32>{7} << QStringList{QStringLiteral("Error: Startup folder not found")};
    QTest::addRow("no startup, no desktop")
        << QList<qint32>{7, 16}
        << QStringList{QStringLiteral("Error: Startup folder not found"),
                       QStringLiteral("Error: Desktop folder not found")};
}

void TestShortcuts::systemDirs()
{
    QFETCH(QList<qint32>, missing);
    QFETCH(QStringList, boxes);

    FakeSpecialFolders folders;
    const QMap<qint32, QString> paths{{2, QStringLiteral("/p/applications")},
                                      {7, QStringLiteral("/p/autostart")},
                                      {16, QStringLiteral("/p/Desktop")},
                                      {5, QStringLiteral("/p/Documents")}};
    for (auto it = paths.begin(); it != paths.end(); ++it) {
        if (!missing.contains(it.key()))
            folders.folders.insert(it.key(), it.value());
    }
    SharedState state;
    state.ProgramsDir = state.StartupDir = state.DesktopDir = QStringLiteral("/old");
    FakeUserInterface ui;

    GetSystemDirs(state, ui, folders);

    QCOMPARE(folders.asked, (QList<qint32>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 16}));
    QCOMPARE(state.ProgramsDir, missing.contains(2) ? QString() : paths[2]);
    QCOMPARE(state.StartupDir, missing.contains(7) ? QString() : paths[7]);
    QCOMPARE(state.DesktopDir, missing.contains(16) ? QString() : paths[16]);
    QCOMPARE(ui.boxTexts(), boxes);
    for (const FakeUserInterface::Box& box : ui.boxes)
        QCOMPARE(box.style, int(UserInterface::Ok));
}

void TestShortcuts::xdgFolders()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString config = home.filePath(QStringLiteral("config"));
    QVERIFY(QDir().mkpath(config));
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    auto setDesktop = [&config](const QByteArray& line) {
        QFile dirs(config + QStringLiteral("/user-dirs.dirs"));
        return dirs.open(QIODevice::WriteOnly) && dirs.write(line) > 0;
    };
    QVERIFY(setDesktop("XDG_DESKTOP_DIR=\"$HOME/Bureaublad\"\n"));

    const XdgSpecialFolders folders;
    QCOMPARE(folders.location(SpecialFolders::Startup), config + QStringLiteral("/autostart"));
    QCOMPARE(folders.location(SpecialFolders::Programs),
             home.filePath(QStringLiteral("data/applications")));
    // Autostart and applications folders are made when missing; the desktop is the user's.
    QVERIFY(QFileInfo(config + QStringLiteral("/autostart")).isDir());
    QVERIFY(QFileInfo(home.filePath(QStringLiteral("data/applications"))).isDir());
    QCOMPARE(folders.location(SpecialFolders::Desktop),
             home.filePath(QStringLiteral("Bureaublad")));
    QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral("Bureaublad"))));
    QCOMPARE(folders.location(5), std::nullopt);

    QVERIFY(setDesktop("XDG_DESKTOP_DIR=\"$HOME/\"\n"));
    QCOMPARE(folders.location(SpecialFolders::Desktop), std::nullopt);
}

void TestShortcuts::startupShortcut()
{
    ShortcutFixture f;
    QVERIFY(QDir(f.state.StartupDir).isEmpty());

    CreateStartupShortcut(f.state, f.ui, f.target);

    QCOMPARE(f.ui.notices, QStringList{QStringLiteral("Shortcut to Startup folder created.")});
    QVERIFY(f.ui.boxes.isEmpty());
    const QString entry = readFile(f.inStartup());
    QCOMPARE(launcherArguments(execOf(entry)), (QStringList{f.target, QStringLiteral("Startup")}));
    QVERIFY(entry.contains(QStringLiteral("\nName=Kelvaro v1.0 Beta\n")));
    QCOMPARE(QDir(f.state.StartupDir).entryList(QDir::Files), QStringList{EntryFile});

    CreateStartupShortcut(f.state, f.ui, f.target);

    QCOMPARE(f.ui.notices.size(), 1);
    QCOMPARE(f.ui.boxTexts(), QStringList{QStringLiteral(
                                  "Shortcut to Startup folder already exists, no need to create "
                                  "another one...")});
    QCOMPARE(readFile(f.inStartup()), entry);
}

void TestShortcuts::startupShortcutRefused_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("style");
    QTest::addRow("program missing") << "program"
                                     << "Exceptional error! The file: %1 was not found. Could not "
                                        "create shortcut to startup folder."
                                     << int(UserInterface::Critical);
    QTest::addRow("folder missing")
        << "folder"
        << "Unable to create shortcut. Startup folder not found" << int(UserInterface::Critical);
    QTest::addRow("no folder known")
        << "empty"
        << "Unable to create shortcut. Startup folder not found" << int(UserInterface::Critical);
}

void TestShortcuts::startupShortcutRefused()
{
    QFETCH(QString, situation);
    QFETCH(QString, box);
    QFETCH(int, style);
    ShortcutFixture f;
    if (situation == QStringLiteral("program"))
        f.target = f.dir.filePath(QStringLiteral("bin/Gone"));
    else if (situation == QStringLiteral("folder"))
        f.state.StartupDir = f.dir.filePath(QStringLiteral("no such folder"));
    else
        f.state.StartupDir.clear();

    CreateStartupShortcut(f.state, f.ui, f.target);

    QCOMPARE(f.ui.boxTexts(), QStringList{box.arg(f.target)});
    QCOMPARE(f.ui.boxes.first().style, style);
    QVERIFY(f.ui.notices.isEmpty());
    QVERIFY(QDir(f.dir.filePath(QStringLiteral("autostart"))).isEmpty());
    QVERIFY(!QFileInfo::exists(f.state.StartupDir + u'/' + EntryFile));
}

void TestShortcuts::startupShortcutThatCannotBeWritten()
{
    ShortcutFixture f;
    // A folder where the entry should go: the entry cannot be written, even by root.
    QVERIFY(QDir(f.state.StartupDir).mkdir(EntryFile));

    CreateStartupShortcut(f.state, f.ui, f.target);

    QVERIFY(f.ui.notices.isEmpty());
    QCOMPARE(f.ui.boxes.size(), 1);
    QVERIFY2(f.ui.boxes.first().text.startsWith(
                 QStringLiteral("Unable to create shortcut in the Startup folder (")),
             qPrintable(f.ui.boxes.first().text));
    QCOMPARE(f.ui.boxes.first().style, int(UserInterface::Critical));
}

void TestShortcuts::desktopShortcut()
{
    ShortcutFixture f;

    CreateDesktopShortcut(f.state, f.ui, f.target);

    QVERIFY(f.ui.boxes.isEmpty());
    QVERIFY(f.ui.notices.isEmpty());
    const QString entry = readFile(f.onDesktop());
    QCOMPARE(launcherArguments(execOf(entry)), QStringList{f.target});
    QVERIFY(entry.contains(QStringLiteral("\nName=Kelvaro v1.0 Beta\n")));
    QVERIFY(QFileInfo(f.onDesktop()).permissions() & QFile::ExeOwner);
    QVERIFY(QDir(f.state.ProgramsDir).isEmpty());

    // A second time the entry on the desktop stays as it was, and still nothing is left behind.
    CreateDesktopShortcut(f.state, f.ui, f.target);

    QCOMPARE(f.ui.boxTexts(), QStringList{QStringLiteral(
                                  "Shortcut to Desktop already exists, no need to create another "
                                  "one...")});
    QCOMPARE(readFile(f.onDesktop()), entry);
    QVERIFY(QDir(f.state.ProgramsDir).isEmpty());
    QCOMPARE(QDir(f.state.DesktopDir).entryList(QDir::Files), QStringList{EntryFile});
}

void TestShortcuts::desktopShortcutRefused_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("box");
    QTest::addRow("program missing") << "program"
                                     << "Exceptional error! The file: %1 was not found. Could not "
                                        "create shortcut on the desktop.";
    QTest::addRow("desktop missing") << "desktop"
                                     << "Unable to create shortcut. Desktop folder not found";
    QTest::addRow("no desktop known") << "empty"
                                      << "Unable to create shortcut. Desktop folder not found";
    // The entry cannot be made: said so rather than passed over in silence.
    QTest::addRow("programs folder missing") << "programs"
                                             << "Unable to create shortcut on the desktop.";
}

void TestShortcuts::desktopShortcutRefused()
{
    QFETCH(QString, situation);
    QFETCH(QString, box);
    ShortcutFixture f;
    if (situation == QStringLiteral("program"))
        f.target = f.dir.filePath(QStringLiteral("bin/Gone"));
    else if (situation == QStringLiteral("desktop"))
        f.state.DesktopDir = f.dir.filePath(QStringLiteral("no such desktop"));
    else if (situation == QStringLiteral("empty"))
        f.state.DesktopDir.clear();
    else
        f.state.ProgramsDir = f.dir.filePath(QStringLiteral("no such programs"));

    CreateDesktopShortcut(f.state, f.ui, f.target);

    QCOMPARE(f.ui.boxTexts(), box.isEmpty() ? QStringList{} : QStringList{box.arg(f.target)});
    if (!box.isEmpty())
        QCOMPARE(f.ui.boxes.first().style, int(UserInterface::Critical));
    QVERIFY(f.ui.notices.isEmpty());
    QVERIFY(QDir(f.dir.filePath(QStringLiteral("Desktop"))).isEmpty());
    QVERIFY(QDir(f.dir.filePath(QStringLiteral("applications"))).isEmpty());
}

void TestShortcuts::execQuoting_data()
{
    QTest::addColumn<QString>("program");
    QTest::addRow("plain") << "/opt/kelvaro/Kelvaro";
    QTest::addRow("spaces") << "/home/anna/My Programs/Kelvaro v1/Kelvaro";
    QTest::addRow("quotes and dollar") << "/home/anna/\"quoted\" $HOME/Kelvaro";
    QTest::addRow("backslash and backtick") << "/home/anna/back\\slash/`tick`/Kelvaro";
    QTest::addRow("percent") << "/home/anna/100%/%f/Kelvaro";
    QTest::addRow("shell characters") << "/home/anna/a&b;c|d(e)*?#~'<>/Kelvaro";
    QTest::addRow("accents") << "/home/anna/Bureaublad/Kelvarö/Kelvaro";
}

void TestShortcuts::execQuoting()
{
    QFETCH(QString, program);
    const QStringList arguments{QStringLiteral("Startup"), QStringLiteral("two words")};
    const QString exec = desktopEntryExec(program, arguments);
    QCOMPARE(launcherArguments(exec), QStringList{program} + arguments);
}

void TestShortcuts::entriesValidate()
{
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty())
        QSKIP("desktop-file-validate is not installed (scripts/setup installs it)");

    ShortcutFixture f;
    const QString folder = f.dir.filePath(QStringLiteral("My \"Programs\" $1 100%"));
    QVERIFY(QDir().mkpath(folder));
    f.target = folder + QStringLiteral("/back\\slash `Kelvaro`");
    QVERIFY(makeFile(f.target));

    CreateStartupShortcut(f.state, f.ui, f.target);
    CreateDesktopShortcut(f.state, f.ui, f.target);

    for (const QString& entry : {f.inStartup(), f.onDesktop()}) {
        QVERIFY2(QFileInfo::exists(entry), qPrintable(entry));
        QProcess validate;
        validate.start(validator, {entry});
        QVERIFY(validate.waitForFinished(30000));
        const QString output = QString::fromLocal8Bit(validate.readAllStandardOutput() +
                                                      validate.readAllStandardError());
        QVERIFY2(validate.exitCode() == 0, qPrintable(output));
        QVERIFY2(!output.contains(QStringLiteral("error:")) &&
                     !output.contains(QStringLiteral("warning:")),
                 qPrintable(output));
    }
}

QTEST_GUILESS_MAIN(TestShortcuts)
#include "tst_shortcuts.moc"
