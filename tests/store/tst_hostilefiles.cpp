#include "FileBytes.h"
#include "MessageFile.h"
#include "NotesFile.h"
#include "Settings.h"
#include "StoreFixture.h"

#include <QtTest>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

// Joins lines, ending line i (counted from 0) with ends[i % ends.size()]: one kind of line end,
// or a mix of them as a file edited on several systems has.
QByteArray joinLines(const QByteArrayList& lines, const QByteArrayList& ends)
{
    QByteArray text;
    for (qsizetype i = 0; i < lines.size(); ++i)
        text += lines[i] + ends[i % ends.size()];
    return text;
}

// Three records, the second with a body over lines 13 to 15.
const QByteArrayList MessageLines = {
    "#2026-05-01#", "\"Dentist\"", "\"Bring the card\"", "\"ONCE\"", "\"\"", "#NULL#", "14", "\"\"",
    "\"\"", "\"\"",
    //
    "#2026-06-12#", "\"Ann's birthday\"", "\"Cake", "Candles", "Card\"", "\"YEARLY\"", "1961",
    "\"\"", "\"7\"", "\"08:30\"", "\"/sounds/ring.wav\"", "\"\"",
    //
    "#2026-07-01#", "\"Holiday\"", "\"\"", "\"ONCE\"", "\"\"", "\"\"", "0", "\"\"", "\"\"", "\"\""};

// The settings file of `s` as its lines, made on 2 March 2001.
QByteArrayList settingsLines(const SharedState& s)
{
    QByteArrayList lines = formatSettings(s, QDate(2001, 3, 2)).toUtf8().split('\n');
    lines.removeLast();
    for (QByteArray& line : lines)
        line.chop(1); // the CR
    return lines;
}

// Inputs that once broke a file reader under the fuzzer, one folder per reader.
const QString FuzzFindings = QStringLiteral(KELVARO_FUZZ_FINDINGS);

// Whether a cell holds the same data after a save and a load: numbers by value, whatever kind
// of number they come back as; dates by day; everything else by kind and text.
bool sameCell(const Value& before, const Value& after, const DateLocale& locale)
{
    using Kind = Value::Kind;
    const auto isNumber = [](const Value& v) {
        return v.kind() == Kind::Integer || v.kind() == Kind::Double;
    };
    if (isNumber(before) && isNumber(after))
        return before.number() == after.number();
    if (const QDate day = before.toDate(locale); day.isValid())
        return after.toDate(locale) == day;
    return before.kind() == after.kind() && before.toText(locale) == after.toText(locale);
}

} // namespace

class TestHostileFiles : public QObject {
    Q_OBJECT

private slots:
    void messageFileLineEnds_data();
    void messageFileLineEnds();
    void messageFileFarTooLarge();
    void settingsFromOtherLayouts_data();
    void settingsFromOtherLayouts();
    void notesOfAnyBytes_data();
    void notesOfAnyBytes();
    void messageFilesFoundByFuzzing_data();
    void messageFilesFoundByFuzzing();
};

void TestHostileFiles::messageFileLineEnds_data()
{
    QTest::addColumn<QByteArrayList>("ends");
    QTest::addColumn<int>("cutAfter"); // lines kept; 0: the whole file
    QTest::addColumn<int>("kept");
    QTest::addColumn<QString>("where");

    const QList<std::pair<const char*, QByteArrayList>> styles = {
        {"CR LF", {"\r\n"}},
        {"LF", {"\n"}},
        {"CR", {"\r"}},
        {"mixed", {"\r\n", "\n", "\r"}},
    };
    for (const auto& [name, ends] : styles) {
        QTest::addRow("%s, whole file", name) << ends << 0 << 3 << QString();
        // The damage is found at the same line whichever line ends the file has.
        QTest::addRow("%s, cut inside a body", name)
            << ends << 13 << 1 << "line 13: a text has no closing quote";
        QTest::addRow("%s, cut between items", name)
            << ends << 17 << 1 << "line 18: the file ends in the middle of a record";
        QTest::addRow("%s, cut after a whole record", name) << ends << 22 << 2 << QString();
    }
}

void TestHostileFiles::messageFileLineEnds()
{
    QFETCH(QByteArrayList, ends);
    QFETCH(int, cutAfter);
    QFETCH(int, kept);
    QFETCH(QString, where);

    StoreFixture f;
    const QByteArray bytes =
        joinLines(cutAfter ? MessageLines.first(cutAfter) : MessageLines, ends);
    writeBytes(f.state.MessageFile, bytes);

    const LoadOutcome outcome = ReadMessageFile(f.ctx);
    QCOMPARE(int(f.state.MessageCount), kept);
    QCOMPARE(f.titleOf(1), QStringLiteral("Dentist"));
    QCOMPARE(f.dateOf(1), QDate(2026, 5, 1));
    QVERIFY(f.state.Messages(1, Field::Reserved6).isNull());
    if (kept >= 2) {
        // A body keeps the line breaks its file gave it.
        const auto end = [&](int line) {
            return QString::fromLatin1(ends[(line - 1) % ends.size()]);
        };
        QCOMPARE(f.state.Messages(2, Field::Body).string(),
                 "Cake" + end(13) + "Candles" + end(14) + "Card");
        QCOMPARE(f.state.Messages(2, Field::BirthYear).integer(), qint16(1961));
        QCOMPARE(f.state.Messages(2, Field::AdvanceDays).string(), QStringLiteral("7"));
    }

    if (cutAfter == 0 || kept == 2) {
        // A file cut after a whole record is indistinguishable from a shorter file.
        QVERIFY(outcome == LoadOutcome::Loaded);
        QVERIFY(f.ui.boxes.isEmpty());
        QCOMPARE(readBytes(f.state.MessageFile), bytes);
        QVERIFY(!QFile::exists(f.state.MessageFile + QStringLiteral(".bak")));
    } else {
        QVERIFY(outcome == LoadOutcome::Damaged);
        QCOMPARE(f.ui.boxes.size(), 1);
        const QString text = f.ui.boxes.first().text;
        QVERIFY2(text.contains(where), qPrintable(text));
        QCOMPARE(readBytes(f.state.MessageFile + QStringLiteral(".bak")), bytes);
    }

    // Whatever was read saves and loads again, the program's way.
    QVERIFY(SaveMessages(f.ctx));
    f.ui.boxes.clear();
    QVERIFY(ReadMessageFile(f.ctx) == LoadOutcome::Loaded);
    QCOMPARE(int(f.state.MessageCount), kept);
    const QStringList titles = {QStringLiteral("Dentist"), QStringLiteral("Ann's birthday"),
                                QStringLiteral("Holiday")};
    QCOMPARE(f.titleOf(kept), titles[kept - 1]);
}

void TestHostileFiles::messageFileFarTooLarge()
{
    StoreFixture f;
    {
        // Sparse: it takes no room on the disk, but reading it would take its whole size.
        QFile file(f.state.MessageFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(joinLines(MessageLines, {"\r\n"})) > 0);
        QVERIFY(file.resize((qint64(64) << 20) + 1));
    }
    const QByteArray before = readBytes(f.state.MessageFile);

    QVERIFY(ReadMessageFile(f.ctx) == LoadOutcome::Unreadable);
    QCOMPARE(f.state.MessageCount, qint16(0));
    QCOMPARE(f.ui.boxes.size(), 1);
    QVERIFY2(f.ui.boxes[0].text.contains(QStringLiteral("too large")),
             qPrintable(f.ui.boxes[0].text));
    // The program goes on, but never saves over a file it did not read.
    f.add(QDate(2026, 6, 1), QStringLiteral("typed afterwards"));
    QVERIFY(!SaveMessages(f.ctx));
    QCOMPARE(readBytes(f.state.MessageFile), before);
}

void TestHostileFiles::settingsFromOtherLayouts_data()
{
    QTest::addColumn<int>("lines");            // lines of the settings file kept or made
    QTest::addColumn<QByteArrayList>("extra"); // lines a newer layout adds after line 42
    QTest::addColumn<QByteArrayList>("ends");
    QTest::addColumn<bool>("readable");

    const QByteArrayList crlf = {"\r\n"};
    QTest::addRow("42 lines, LF only") << 42 << QByteArrayList() << QByteArrayList{"\n"} << true;
    QTest::addRow("42 lines, CR only") << 42 << QByteArrayList() << QByteArrayList{"\r"} << true;
    QTest::addRow("41 lines, one closing line lost") << 41 << QByteArrayList() << crlf << true;
    QTest::addRow("newer layout, 45 lines")
        << 42 << QByteArrayList{"\"\"", "0", "#FALSE#"} << crlf << true;
    QTest::addRow("newer layout with items of forms this one does not know")
        << 42 << QByteArrayList{"1.5e3", "#2027-01-01#", "plain words, no quotes", "\"open"} << crlf
        << true;
    QTest::addRow("older layout, 39 lines") << 39 << QByteArrayList() << crlf << false;
}

void TestHostileFiles::settingsFromOtherLayouts()
{
    QFETCH(int, lines);
    QFETCH(QByteArrayList, extra);
    QFETCH(QByteArrayList, ends);
    QFETCH(bool, readable);

    StoreFixture f;
    f.state.OptionsFile = f.dir.filePath(QStringLiteral("Kelvaro.dat"));
    for (const char* sound : {"Bbbbeep.wav", "pong.wav"})
        writeBytes(f.dir.filePath(QString::fromLatin1(sound)), "RIFF");
    SharedState own;
    own.AppDir = f.state.AppDir;
    applyDefaultSettings(own);
    own.MessageFile = QStringLiteral("/home/ann/Plans.rmf");
    own.ScrollDelay = 9000;
    own.MinimizeMode = QStringLiteral("ICON");
    const QByteArray bytes = joinLines(settingsLines(own).first(lines) + extra, ends);
    writeBytes(f.state.OptionsFile, bytes);

    const bool read = ReadOptions(f.ctx);
    QVERIFY(read); // either way the program goes on with settings it could write
    QVERIFY(f.ui.notices.isEmpty());
    if (readable) {
        QVERIFY2(f.ui.boxes.isEmpty(), qPrintable(f.ui.boxTexts().join(u'\n')));
        QCOMPARE(f.state.MessageFile, own.MessageFile);
        QCOMPARE(f.state.ScrollDelay, 9000);
        QCOMPARE(f.state.MinimizeMode, QStringLiteral("ICON"));
        QCOMPARE(readBytes(f.state.OptionsFile), bytes);
        return;
    }
    QCOMPARE(f.ui.boxes.size(), 1);
    QVERIFY2(f.ui.boxes[0].text.startsWith(QStringLiteral("Options file corrupted.")),
             qPrintable(f.ui.boxes[0].text));
    QCOMPARE(readBytes(f.state.OptionsFile + QStringLiteral(".bak")), bytes);
    QCOMPARE(f.state.MessageFile, f.dir.filePath(QStringLiteral("Kelvaro.rmf")));
    QCOMPARE(f.state.ScrollDelay, 20000);
    // The defaults that replaced it read cleanly on the next start.
    SharedState next;
    QString problem;
    QCOMPARE(readSettingsFile(f.state.OptionsFile, next, &problem), SettingsRead::Read);
}

void TestHostileFiles::notesOfAnyBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::addRow("binary garbage") << QByteArray("\x00\x01\xff\xfe\x7f,\x00\r\n\"x\"", 12)
                                    << QString::fromLatin1("\0\x01\xff\xfe\x7f", 5);
    QTest::addRow("UTF-8 byte order mark before the quote")
        << QByteArray("\xef\xbb\xbf\"a, b\r\nc\"\r\n") << QStringLiteral("a, b\r\nc");
    QTest::addRow("no quotes, several lines")
        << QByteArray("Plans for May\r\nbuy paint, brushes\r\n") << QStringLiteral("Plans for May");
}

void TestHostileFiles::notesOfAnyBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    StoreFixture f;
    f.state.NotesFile = f.dir.filePath(QStringLiteral("Notes.dat"));
    writeBytes(f.state.NotesFile, bytes);

    QCOMPARE(ReadNotes(f.ctx), text);
    QCOMPARE(readBytes(f.state.NotesFile), bytes);
    QVERIFY(f.ui.boxes.isEmpty());
    // What was read is written so that it reads back the same.
    QVERIFY(WriteNotes(f.ctx, text));
    QCOMPARE(ReadNotes(f.ctx), text);
}

void TestHostileFiles::messageFilesFoundByFuzzing_data()
{
    QTest::addColumn<QString>("path");
    const QDir folder(FuzzFindings + QStringLiteral("/messagefile"));
    for (const QString& name : folder.entryList(QDir::Files))
        QTest::addRow("%s", qPrintable(name)) << folder.filePath(name);
    if (folder.isEmpty())
        QTest::addRow("no findings in %s", qPrintable(folder.path())) << QString();
}

void TestHostileFiles::messageFilesFoundByFuzzing()
{
    QFETCH(QString, path);
    QVERIFY(!path.isEmpty());
    const QByteArray bytes = readBytes(path);
    StoreFixture f;
    writeBytes(f.state.MessageFile, bytes);

    const LoadOutcome outcome = ReadMessageFile(f.ctx);
    QCOMPARE(f.ui.boxes.isEmpty(), outcome == LoadOutcome::Loaded);
    if (outcome != LoadOutcome::Loaded)
        QCOMPARE(readBytes(f.state.MessageFile + QStringLiteral(".bak")), bytes);
    const SharedState loaded = f.state;

    // Saved and loaded again, every message holds what it held.
    QVERIFY(SaveMessages(f.ctx));
    f.ui.boxes.clear();
    QVERIFY(ReadMessageFile(f.ctx) == LoadOutcome::Loaded);
    QCOMPARE(f.state.MessageCount, loaded.MessageCount);
    for (int i = 1; i <= loaded.MessageCount; ++i) {
        for (int field = 1; field <= MessageTable::fields; ++field) {
            const Value& was = loaded.Messages(i, field);
            const Value& now = f.state.Messages(i, field);
            // Every digit, so that a rounded number shows.
            const auto text = [&](const Value& v) {
                return v.kind() == Value::Kind::Double ? QString::number(v.number(), 'g', 17)
                                                       : v.toText(f.locale);
            };
            QVERIFY2(sameCell(was, now, f.locale),
                     qPrintable(QStringLiteral("record %1, field %2: \"%3\" became \"%4\"")
                                    .arg(i)
                                    .arg(field)
                                    .arg(text(was), text(now))));
        }
    }
}

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "tst_hostilefiles.moc"
