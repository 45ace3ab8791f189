#include "FileBytes.h"
#include "MessageFile.h"
#include "SmallDisk.h"
#include "StoreFixture.h"

#include <QtTest>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

// One record of ten items in file form.
QByteArray record(const QByteArray& date, const QByteArray& title)
{
    return "#" + date + "#\r\n\"" + title +
           "\"\r\n\"body\"\r\n\"ONCE\"\r\n\"\"\r\n\"\"\r\n14\r\n"
           "\"\"\r\n\"\"\r\n\"\"\r\n";
}

} // namespace

class TestMessageFile : public QObject {
    Q_OBJECT

private slots:
    void savesTheFileByteForByte();
    void savesAnEmptyListAsPlaceholder();
    void dateTextAndDateSaveAlike();
    void roundTripsEveryRecord();
    void loadsUnderAnotherDateFormat();
    void countsRecords_data();
    void countsRecords();
    void keepsWhatItReadOfADamagedFile_data();
    void keepsWhatItReadOfADamagedFile();
    void loadsTheFirstThousandOfALargerFile();
    void reportsAMissingFile();
    void readsWindowsBytesAsWindows1252();
    void writesNothingWhileBlocked();
    void failedSaveKeepsTheOldFile_data();
    void failedSaveKeepsTheOldFile();
    void neverSavesOverAFileItCouldNotKeep();
    void fileExistsMatchesOrdinaryFiles();
};

void TestMessageFile::savesTheFileByteForByte()
{
    StoreFixture f;
    f.state.MessageCount = 1;
    f.state.Messages.row(1).fill(QString());
    f.state.Messages(1, 1) = f.locale.shortDate(QDate(1998, 6, 1));
    f.state.Messages(1, 2) = QStringLiteral("Workgroup meeting");
    f.state.Messages(1, 3) = QStringLiteral("First line\r\nsecond line");
    f.state.Messages(1, 4) = QStringLiteral("ONCE");
    f.state.Messages(1, 6) = Value::null();
    f.state.Messages(1, 7) = qint16(14);
    f.state.Messages(1, 8) = QStringLiteral("14:35");
    f.state.Messages(1, 9) = QStringLiteral("/home/ann/alarm.wav");
    QVERIFY(SaveMessages(f.ctx));
    QCOMPARE(
        readBytes(f.state.MessageFile),
        QByteArray("#1998-06-01#\r\n\"Workgroup meeting\"\r\n\"First line\r\nsecond line\"\r\n"
                   "\"ONCE\"\r\n\"\"\r\n#NULL#\r\n14\r\n\"14:35\"\r\n\"/home/ann/alarm.wav\"\r\n"
                   "\"\"\r\n"));
    // Field 1 is kept as a date after saving.
    QVERIFY(f.state.Messages(1, 1).isDate());
    QVERIFY(f.ui.boxes.isEmpty());
    QCOMPARE(f.ui.busyDepth, 0);
}

void TestMessageFile::savesAnEmptyListAsPlaceholder()
{
    StoreFixture f;
    QVERIFY(SaveMessages(f.ctx));
    QCOMPARE(f.state.MessageCount, qint16(1));
    QVERIFY(ReadMessageFile(f.ctx) == LoadOutcome::Loaded);
    QCOMPARE(f.state.MessageCount, qint16(1));
    QCOMPARE(f.titleOf(1), QStringLiteral("Empty"));
    QCOMPARE(f.dateOf(1), f.today().addDays(-1));
    QCOMPARE(f.state.Messages(1, 4).string(), QStringLiteral("ONCE"));
    QCOMPARE(f.state.Messages(1, 7).string(), QStringLiteral("0"));
    QVERIFY(
        f.state.Messages(1, 3).string().startsWith(QStringLiteral("Your message file was empty.")));
}

void TestMessageFile::dateTextAndDateSaveAlike()
{
    StoreFixture f;
    f.add(QDate(1998, 6, 1), QStringLiteral("as text"));
    f.add(QDate(1998, 6, 1), QStringLiteral("as date"));
    f.state.Messages(2, 1) = QDate(1998, 6, 1);
    QVERIFY(SaveMessages(f.ctx));
    QCOMPARE(readBytes(f.state.MessageFile).count("#1998-06-01#\r\n"), 2);
    QVERIFY(ReadMessageFile(f.ctx) == LoadOutcome::Loaded);
    for (int i : {1, 2}) {
        QVERIFY(f.state.Messages(i, 1).isString());
        QCOMPARE(f.state.Messages(i, 1).string(), f.locale.shortDate(QDate(1998, 6, 1)));
    }
}

void TestMessageFile::roundTripsEveryRecord()
{
    StoreFixture f;
    const QStringList texts = {
        QStringLiteral("He said \"no\""),
        QStringLiteral("\""),
        QStringLiteral("\"\"\r\n\""),
        QStringLiteral("#NULL#"),
        QStringLiteral("Ürün café – ½"),
        QStringLiteral("a\r\nb\r\n\r\nc"),
        QStringLiteral("  spaced  "),
        QStringLiteral(""),
        QStringLiteral("14"),
    };
    for (const QString& text : texts) {
        f.add(QDate(2026, 4, 1), text);
        f.state.Messages(f.state.MessageCount, 3) = text + QStringLiteral("\r\n") + text;
    }
    f.state.Messages(2, 5) = qint16(1961);
    f.state.Messages(3, 6) = Value::null();
    f.state.Messages(4, 7) = QStringLiteral("7");
    const SharedState before = f.state;
    QVERIFY(SaveMessages(f.ctx));
    QVERIFY(ReadMessageFile(f.ctx) == LoadOutcome::Loaded);
    QCOMPARE(f.state.MessageCount, before.MessageCount);
    for (int i = 1; i <= before.MessageCount; ++i) {
        for (int field = 2; field <= 10; ++field) {
            const Value& was = before.Messages(i, field);
            const Value& now = f.state.Messages(i, field);
            QCOMPARE(now.kind(), was.kind());
            QCOMPARE(now.toText(f.locale), was.toText(f.locale));
        }
        QCOMPARE(f.dateOf(i), QDate(2026, 4, 1));
    }
}

void TestMessageFile::loadsUnderAnotherDateFormat()
{
    StoreFixture us(QLocale(QLocale::English, QLocale::UnitedStates));
    us.add(QDate(2026, 1, 2), QStringLiteral("second of January"));
    QVERIFY(SaveMessages(us.ctx));

    StoreFixture german(QLocale(QLocale::German, QLocale::Germany));
    german.state.MessageFile = us.state.MessageFile;
    QVERIFY(ReadMessageFile(german.ctx) == LoadOutcome::Loaded);
    QCOMPARE(german.state.Messages(1, 1).string(), QStringLiteral("02.01.2026"));
    QCOMPARE(german.dateOf(1), QDate(2026, 1, 2));
}

void TestMessageFile::countsRecords_data()
{
    QTest::addColumn<int>("records");
    QTest::addRow("one") << 1;
    QTest::addRow("seven") << 7;
    QTest::addRow("a full table") << 1000;
}

void TestMessageFile::countsRecords()
{
    QFETCH(int, records);
    StoreFixture f;
    QByteArray bytes;
    for (int i = 0; i < records; ++i)
        bytes += record("2026-05-01", "r" + QByteArray::number(i));
    writeBytes(f.state.MessageFile, bytes);
    QVERIFY(ReadMessageFile(f.ctx) == LoadOutcome::Loaded);
    QCOMPARE(int(f.state.MessageCount), records);
    QCOMPARE(f.titleOf(records), QStringLiteral("r%1").arg(records - 1));
    QVERIFY(f.ui.boxes.isEmpty());
}

void TestMessageFile::keepsWhatItReadOfADamagedFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("kept");
    QTest::addColumn<QString>("where");

    const QByteArray two = record("2026-05-01", "one") + record("2026-05-02", "two");
    QTest::addRow("empty file") << QByteArray() << 0 << "line 1";
    QTest::addRow("blank lines only") << QByteArray("\r\n\r\n") << 0 << "line 1";
    QTest::addRow("ends inside a record") << two + "#2026-05-03#\r\n\"three\"\r\n"
                                          << 2 << "line 23";
    QTest::addRow("a bad date") << two + "#2026-02-30#\r\n" << 2 << "line 21";
    QTest::addRow("text without quotes") << record("2026-05-01", "one") + "hello\r\n"
                                         << 1 << "line 11";
    QTest::addRow("stray quote runs to the end")
        << QByteArray("#2026-05-01#\r\n\"a \"quoted\" word\"\r\n") + two << 1 << "line 11";
    QTest::addRow("binary garbage")
        << QByteArray("\x00\x01\xff\xfe garbage\x7f", 14) << 0 << "line 1";
    QTest::addRow("a record without a date") << two + record("", "x").mid(2) << 2 << "line 21";
}

void TestMessageFile::keepsWhatItReadOfADamagedFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, kept);
    QFETCH(QString, where);
    StoreFixture f;
    writeBytes(f.state.MessageFile, bytes);

    QVERIFY(ReadMessageFile(f.ctx) == LoadOutcome::Damaged);
    QCOMPARE(int(f.state.MessageCount), kept);
    QCOMPARE(f.ui.boxes.size(), 1);
    const QString text = f.ui.boxes.first().text;
    QVERIFY2(text.contains(f.state.MessageFile) && text.contains(where), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("%1 messages").arg(kept)), qPrintable(text));
    // The whole damaged file is kept aside before anything can replace it.
    const QString copy = f.state.MessageFile + QStringLiteral(".bak");
    QVERIFY2(text.contains(copy), qPrintable(text));
    QCOMPARE(readBytes(copy), bytes);

    // Saving afterwards replaces the damaged file, but the copy stays; a second damaged load keeps
    // a second copy instead of overwriting the first.
    QVERIFY(SaveMessages(f.ctx));
    writeBytes(f.state.MessageFile, bytes);
    QVERIFY(ReadMessageFile(f.ctx) == LoadOutcome::Damaged);
    QCOMPARE(readBytes(copy + QStringLiteral("2")), bytes);
    QCOMPARE(readBytes(copy), bytes);
}

void TestMessageFile::loadsTheFirstThousandOfALargerFile()
{
    StoreFixture f;
    QByteArray bytes;
    for (int i = 1; i <= 1001; ++i)
        bytes += record("2026-05-01", "r" + QByteArray::number(i));
    writeBytes(f.state.MessageFile, bytes);
    QVERIFY(ReadMessageFile(f.ctx) == LoadOutcome::TooMany);
    QCOMPARE(f.state.MessageCount, qint16(1000));
    QCOMPARE(f.titleOf(1000), QStringLiteral("r1000"));
    QCOMPARE(f.ui.boxes.size(), 1);
    QVERIFY(f.ui.boxes.first().text.contains(QStringLiteral("more than 1000 messages")));
    QCOMPARE(readBytes(f.state.MessageFile + QStringLiteral(".bak")), bytes);
}

void TestMessageFile::reportsAMissingFile()
{
    StoreFixture f;
    f.state.MessageCount = 5;
    QVERIFY(ReadMessageFile(f.ctx) == LoadOutcome::Missing);
    QCOMPARE(f.state.MessageCount, qint16(0));
    QCOMPARE(f.ui.boxTexts(), QStringList{QStringLiteral("Error: Message file not found")});
    QVERIFY(!QFile::exists(f.state.MessageFile));
}

void TestMessageFile::readsWindowsBytesAsWindows1252()
{
    StoreFixture f;
    // "Café" and "€" as a Windows machine writes them: not valid UTF-8.
    writeBytes(f.state.MessageFile, record("2026-05-01", "Caf\xe9 \x80"));
    QVERIFY(ReadMessageFile(f.ctx) == LoadOutcome::Loaded);
    QCOMPARE(f.titleOf(1), QStringLiteral("Café €"));
    // Saved again it is UTF-8, and reads back the same.
    QVERIFY(SaveMessages(f.ctx));
    QVERIFY(readBytes(f.state.MessageFile).contains("Caf\xc3\xa9 \xe2\x82\xac"));
    QVERIFY(ReadMessageFile(f.ctx) == LoadOutcome::Loaded);
    QCOMPARE(f.titleOf(1), QStringLiteral("Café €"));
}

void TestMessageFile::writesNothingWhileBlocked()
{
    StoreFixture f;
    f.add(QDate(2026, 5, 1), QStringLiteral("kept"));
    writeBytes(f.state.MessageFile, "old");
    f.state.SaveBlocked = true;
    QVERIFY(!SaveMessages(f.ctx));
    QCOMPARE(readBytes(f.state.MessageFile), QByteArray("old"));
    f.state.MessageCount = 0;
    QVERIFY(!SaveMessages(f.ctx));
    QCOMPARE(f.state.MessageCount, qint16(0));
    QVERIFY(f.ui.boxes.isEmpty());
}

void TestMessageFile::failedSaveKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("cause");
    QTest::addRow("read-only folder") << "read-only";
    QTest::addRow("full disk") << "full";
}

void TestMessageFile::failedSaveKeepsTheOldFile()
{
    QFETCH(QString, cause);
    StoreFixture f;
    const QString folder = f.dir.filePath(QStringLiteral("folder"));
    QVERIFY(QDir().mkpath(folder));
    f.state.MessageFile = folder + QStringLiteral("/Kelvaro.rmf");
    std::optional<SmallDisk> disk;
    if (cause == u"read-only") {
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
    } else {
        // A file system of its own, too small for the new file.
        disk.emplace(folder);
        if (!disk->isMounted())
            QSKIP("needs root to mount a small file system");
    }
    const auto writable = qScopeGuard([&] {
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
    });
    writeBytes(f.state.MessageFile, record("2026-01-01", "old"));
    // Far larger than a write buffer: the failure shows while writing, not only at the end.
    for (int i = 0; i < 600; ++i)
        f.add(QDate(2026, 5, 1),
              QStringLiteral("new message with a title of some length %1").arg(i));
    if (cause == u"read-only")
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);

    QVERIFY(!SaveMessages(f.ctx));
    QCOMPARE(readBytes(f.state.MessageFile), record("2026-01-01", "old"));
    QCOMPARE(f.ui.boxes.size(), 1);
    QVERIFY2(f.ui.boxes.first().text.contains(QStringLiteral("could not be saved")),
             qPrintable(f.ui.boxes.first().text));
    QCOMPARE(f.ui.boxes.first().style, int(UserInterface::Critical));
    // The messages are still all in memory.
    QCOMPARE(f.state.MessageCount, qint16(600));
    QCOMPARE(f.titleOf(600), QStringLiteral("new message with a title of some length 599"));
    // Nothing half-written is left beside the old file.
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("Kelvaro.rmf")});
}

void TestMessageFile::neverSavesOverAFileItCouldNotKeep()
{
    StoreFixture f;
    writeBytes(f.state.MessageFile, "garbage");
    f.state.ProtectedFile = f.state.MessageFile;
    f.add(QDate(2026, 5, 1), QStringLiteral("new"));
    QVERIFY(!SaveMessages(f.ctx));
    QCOMPARE(readBytes(f.state.MessageFile), QByteArray("garbage"));
    QCOMPARE(f.ui.boxes.size(), 1);
    // Another file name is saved normally.
    f.state.MessageFile = f.dir.filePath(QStringLiteral("Other.rmf"));
    QVERIFY(SaveMessages(f.ctx));
}

void TestMessageFile::fileExistsMatchesOrdinaryFiles()
{
    QTemporaryDir dir;
    writeBytes(dir.filePath(QStringLiteral("a.rmf")), "x");
    writeBytes(dir.filePath(QStringLiteral(".hidden.rmf")), "x");
    QDir(dir.path()).mkdir(QStringLiteral("folder.rmf"));
    QVERIFY(FileExists(dir.filePath(QStringLiteral("a.rmf"))));
    QVERIFY(FileExists(dir.filePath(QStringLiteral("*.rmf"))));
    QVERIFY(FileExists(dir.filePath(QStringLiteral("?.rmf"))));
    QVERIFY(!FileExists(dir.filePath(QStringLiteral("b.rmf"))));
    QVERIFY(!FileExists(dir.filePath(QStringLiteral(".hidden.rmf"))));
    QVERIFY(!FileExists(dir.filePath(QStringLiteral("folder.rmf"))));
    QVERIFY(!FileExists(dir.filePath(QStringLiteral("*.dat"))));
    QVERIFY(!FileExists(QString()));
}

QTEST_GUILESS_MAIN(TestMessageFile)
#include "tst_messagefile.moc"
