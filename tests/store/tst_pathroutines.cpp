#include "PathRoutines.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvaro;

class TestPathRoutines : public QObject {
    Q_OBJECT

private slots:
    void fileNameOf_data();
    void fileNameOf();
    void folderOf();
    void shortenPath_data();
    void shortenPath();
    void removeText_data();
    void removeText();
};

void TestPathRoutines::fileNameOf_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("stored"); // the name of the same path kept in a file
    QTest::addRow("full path") << "/home/anna/sounds/x.wav"
                               << "x.wav"
                               << "x.wav";
    QTest::addRow("bare name") << "x.wav"
                               << "x.wav"
                               << "x.wav";
    QTest::addRow("folder with trailing separator") << "/home/anna/"
                                                    << ""
                                                    << "";
    QTest::addRow("root file") << "/x.wav"
                               << "x.wav"
                               << "x.wav";
    QTest::addRow("backslash is part of a name here") << "C:\\A\\x.wav"
                                                      << "C:\\A\\x.wav"
                                                      << "x.wav";
    QTest::addRow("both kinds") << "/mnt/c\\Sounds\\pong.wav"
                                << "c\\Sounds\\pong.wav"
                                << "pong.wav";
    QTest::addRow("empty") << ""
                           << ""
                           << "";
}

void TestPathRoutines::fileNameOf()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QFETCH(QString, stored);
    QCOMPARE(FileNameOf(path), expected);
    QCOMPARE(FileNameOfStoredPath(path), stored);
}

void TestPathRoutines::folderOf()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString appDir = dir.path() + QStringLiteral("/program/");
    const QString existing = dir.filePath(QStringLiteral("x.rmf"));
    QFile file(existing);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString programFolder = dir.path() + QStringLiteral("/program");

    QCOMPARE(FolderOf(existing, appDir), dir.path() + u'/');
    QCOMPARE(FolderOf(dir.filePath(QStringLiteral("*.rmf")), appDir), dir.path() + u'/');
    QCOMPARE(FolderOf(dir.filePath(QStringLiteral("missing.rmf")), appDir), programFolder);
    // A folder is not a file: its own path does not count as the folder of a file.
    QCOMPARE(FolderOf(dir.path(), appDir), programFolder);
    QCOMPARE(FolderOf(QStringLiteral("x.rmf"), appDir), programFolder);
    QCOMPARE(FolderOf(QString(), appDir), programFolder);
    QCOMPARE(FolderOf(QStringLiteral("/missing.rmf"), QStringLiteral("/")), QStringLiteral("/"));
}

void TestPathRoutines::shortenPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");

    const QString birthdays = QStringLiteral("/home/anna/Documents/Reminders/Family/Birthdays.rmf");
    QTest::addRow("shorter than width") << birthdays << 60 << birthdays;
    QTest::addRow("exactly width") << birthdays << int(birthdays.size()) << birthdays;
    QTest::addRow("one over width")
        << birthdays << int(birthdays.size() - 1)
        << QStringLiteral("/.../anna/Documents/Reminders/Family/Birthdays.rmf");
    QTest::addRow("cut in the middle")
        << birthdays << 40 << QStringLiteral("/.../Reminders/Family/Birthdays.rmf");
    // The tail may take width - 4 characters: a separator that begins exactly that many is kept,
    // one further out would make the result one too long.
    const QString b35 = QString(35, u'b');
    QTest::addRow("tail fills the width")
        << QStringLiteral("/music/aaaaaaaaaa/") + b35 << 40 << QStringLiteral("/.../") + b35;
    QTest::addRow("separator just out of reach")
        << QStringLiteral("/music/aaaaaaaaaa/") + b35 + u'b' << 40 << QStringLiteral("/...");
    QTest::addRow("relative path has no root")
        << QStringLiteral("music/") + QString(40, u'x') + QStringLiteral("/alarms/today.wav") << 20
        << QStringLiteral(".../alarms/today.wav");
    QTest::addRow("width smaller than root and dots") << birthdays << 2 << QStringLiteral("/...");
}

void TestPathRoutines::shortenPath()
{
    QFETCH(QString, path);
    QFETCH(int, width);
    QFETCH(QString, expected);
    const QString shortened = ShortenPath(path, width);
    QCOMPARE(shortened, expected);
    if (width >= 4)
        QVERIFY(shortened.size() <= width);
}

void TestPathRoutines::removeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("part");
    QTest::addColumn<QString>("expected");
    QTest::addRow("first occurrence only") << "abcabc"
                                           << "bc"
                                           << "aabc";
    QTest::addRow("absent") << "abcabc"
                            << "xy"
                            << "abcabc";
    QTest::addRow("case matters") << "abcabc"
                                  << "BC"
                                  << "abcabc";
    QTest::addRow("empty part") << "abc"
                                << ""
                                << "abc";
    QTest::addRow("whole text") << "abc"
                                << "abc"
                                << "";
    QTest::addRow("alarm part of a date line") << "Mon 01-06-1998 / 14:35 h  (Today)"
                                               << "/ 14:35 h "
                                               << "Mon 01-06-1998  (Today)";
}

void TestPathRoutines::removeText()
{
    QFETCH(QString, text);
    QFETCH(QString, part);
    QFETCH(QString, expected);
    QCOMPARE(RemoveText(text, part), expected);
}

QTEST_GUILESS_MAIN(TestPathRoutines)
#include "tst_pathroutines.moc"
