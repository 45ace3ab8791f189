#include "NotesFile.h"
#include "StoreFixture.h"

#include <QFile>
#include <QTest>

using namespace kelvaro;
using kelvaro::test::StoreFixture;

class TestNotesFile : public QObject {
    Q_OBJECT

private slots:
    void createWritesTheDefaultText();
    void roundTrip_data();
    void roundTrip();
    void readsHandWrittenFiles_data();
    void readsHandWrittenFiles();
    void failedWriteIsReportedAndKeepsTheFile();
};

namespace {

void setNotesFile(StoreFixture& f)
{
    f.state.NotesFile = f.dir.filePath(QStringLiteral("Notes.dat"));
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void TestNotesFile::createWritesTheDefaultText()
{
    StoreFixture f;
    setNotesFile(f);
    QFile old(f.state.NotesFile);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("\"something much longer than the default text, to be replaced whole ...\"\r\n");
    old.close();

    QVERIFY(CreateNotesFile(f.ctx));
    QCOMPARE(fileBytes(f.state.NotesFile),
             QByteArray("\"'Notes' is intended as a little notebook. You can store little bits of "
                        "information on it (passwords, for example), or use it as a to do - list."
                        "\r\n\r\nThe text will, of course, be saved automatically.\"\r\n"));
    QCOMPARE(ReadNotes(f.ctx), DefaultNotesText.toString());
    QVERIFY(f.ui.boxes.isEmpty());
}

void TestNotesFile::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::addRow("empty") << QString() << QByteArray("\"\"\r\n");
    QTest::addRow("commas and paragraphs")
        << QStringLiteral("Shopping: bread, milk, eggs\r\n\r\n  Call Tennemark, 10:00\r\nend,")
        << QByteArray("\"Shopping: bread, milk, eggs\r\n\r\n  Call Tennemark, 10:00\r\nend,\"\r\n");
    QTest::addRow("quotes") << QStringLiteral("He said \"hi\", then \"\"")
                            << QByteArray("\"He said \"\"hi\"\", then \"\"\"\"\"\r\n");
    QTest::addRow("trailing blanks and line break")
        << QStringLiteral("  indented  \r\n") << QByteArray("\"  indented  \r\n\"\r\n");
}

void TestNotesFile::roundTrip()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    StoreFixture f;
    setNotesFile(f);

    QVERIFY(WriteNotes(f.ctx, text));
    QCOMPARE(fileBytes(f.state.NotesFile), bytes);
    QCOMPARE(ReadNotes(f.ctx), text);
}

void TestNotesFile::readsHandWrittenFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::addRow("no quote, up to the comma")
        << QByteArray("Buy milk, eggs\r\nmore") << "Buy milk";
    QTest::addRow("no quote, up to the line end")
        << QByteArray("  Buy milk \r\neggs") << "Buy milk";
    QTest::addRow("no quote, LF only") << QByteArray("Buy milk\neggs, bread") << "Buy milk";
    QTest::addRow("blanks before the quote, rest of file ignored")
        << QByteArray(" \t\"a, b\"  ignored\r\n\"more\"\r\n") << "a, b";
    QTest::addRow("quote never closed")
        << QByteArray("\"cut short\r\nhere\r\n") << "cut short\r\nhere";
    QTest::addRow("Windows-1252 accent")
        << QByteArray("\"caf\xe9\"\r\n") << QStringLiteral("caf\u00e9");
    QTest::addRow("empty file") << QByteArray() << "";
}

void TestNotesFile::readsHandWrittenFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    StoreFixture f;
    setNotesFile(f);
    QFile file(f.state.NotesFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    QCOMPARE(ReadNotes(f.ctx), text);
}

void TestNotesFile::failedWriteIsReportedAndKeepsTheFile()
{
    StoreFixture f;
    // A folder where the file should be: nothing can replace it.
    f.state.NotesFile = f.dir.filePath(QStringLiteral("Notes.dat"));
    QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("Notes.dat")));

    QVERIFY(!WriteNotes(f.ctx, QStringLiteral("lost?")));
    QCOMPARE(f.ui.boxes.size(), 1);
    QVERIFY(f.ui.boxes[0].text.contains(f.state.NotesFile));
    QCOMPARE(f.ui.boxes[0].style, int(UserInterface::Critical));

    QVERIFY(!CreateNotesFile(f.ctx));
    QCOMPARE(f.ui.boxes.size(), 2);
    QVERIFY(QFileInfo(f.state.NotesFile).isDir());
    QCOMPARE(ReadNotes(f.ctx), std::nullopt);
}

QTEST_GUILESS_MAIN(TestNotesFile)
#include "tst_notesfile.moc"
