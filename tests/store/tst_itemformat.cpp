#include "ItemFormat.h"

#include <QtTest>

using namespace kelvaro;

class TestItemFormat : public QObject {
    Q_OBJECT

private slots:
    void writesEachKind_data();
    void writesEachKind();
    void readsBackWhatItWrites_data();
    void readsBackWhatItWrites();
    void readsLineEndsOfAnyKind_data();
    void readsLineEndsOfAnyKind();
    void refusesWhatDoesNotParse_data();
    void refusesWhatDoesNotParse();
    void skipsTheRestOfAQuotedLine();
};

void TestItemFormat::writesEachKind_data()
{
    QTest::addColumn<Value>("value");
    QTest::addColumn<QString>("item");

    QTest::addRow("date") << Value(QDate(1998, 6, 1)) << "#1998-06-01#";
    QTest::addRow("string") << Value("Workgroup meeting") << "\"Workgroup meeting\"";
    QTest::addRow("empty string") << Value(QString()) << "\"\"";
    QTest::addRow("integer") << Value(qint16(14)) << "14";
    QTest::addRow("negative integer") << Value(qint16(-3)) << "-3";
    QTest::addRow("double") << Value(2.5) << "2.5";
    QTest::addRow("null") << Value::null() << "#NULL#";
    QTest::addRow("empty") << Value() << "";
    QTest::addRow("true") << Value(true) << "#TRUE#";
    QTest::addRow("false") << Value(false) << "#FALSE#";
    QTest::addRow("quote doubled") << Value("say \"hi\"") << "\"say \"\"hi\"\"\"";
}

void TestItemFormat::writesEachKind()
{
    QFETCH(Value, value);
    QFETCH(QString, item);
    QCOMPARE(formatItem(value), item);
}

void TestItemFormat::readsBackWhatItWrites_data()
{
    QTest::addColumn<Value>("value");
    QTest::addRow("date") << Value(QDate(2024, 2, 29));
    QTest::addRow("three-line body") << Value("one\r\ntwo\r\nthree");
    QTest::addRow("quotes everywhere") << Value("\"\"a\" \"\r\n\"");
    QTest::addRow("only a quote") << Value("\"");
    QTest::addRow("leading blanks kept") << Value("   indented");
    QTest::addRow("number sign inside") << Value("#1 priority #");
    QTest::addRow("integer") << Value(qint16(32767));
    QTest::addRow("large number") << Value(16777215.0);
    QTest::addRow("null") << Value::null();
    QTest::addRow("empty") << Value();
    QTest::addRow("empty string") << Value(QString());
    QTest::addRow("boolean") << Value(true);
    QTest::addRow("accents") << Value("Café Müller ñ €");
}

void TestItemFormat::readsBackWhatItWrites()
{
    QFETCH(Value, value);
    const QString text = formatItem(value) + QStringLiteral("\r\n\"next\"\r\n");
    ItemReader reader(text);
    const std::optional<Value> read = reader.next();
    QVERIFY2(read, qPrintable(reader.error()));
    QCOMPARE(read->kind(), value.kind());
    if (!value.isNull()) // a null never compares equal, not even to itself
        QVERIFY(*read == value);
    QCOMPARE(read->string(), value.string());
    // The item after it is still found: nothing shifted.
    QCOMPARE(reader.next()->string(), QStringLiteral("next"));
    QVERIFY(reader.atEnd());
}

void TestItemFormat::readsLineEndsOfAnyKind_data()
{
    QTest::addColumn<QString>("eol");
    QTest::addRow("CR LF") << "\r\n";
    QTest::addRow("LF") << "\n";
    QTest::addRow("CR") << "\r";
}

void TestItemFormat::readsLineEndsOfAnyKind()
{
    QFETCH(QString, eol);
    const QString text = QStringLiteral("#2001-02-03#") + eol + QStringLiteral("\"a\"") + eol +
                         eol + QStringLiteral("12") + eol + QStringLiteral("#NULL#") + eol;
    ItemReader reader(text);
    QCOMPARE(reader.next()->date(), QDate(2001, 2, 3));
    QCOMPARE(reader.next()->string(), QStringLiteral("a"));
    QVERIFY(reader.next()->isEmpty());
    QCOMPARE(reader.next()->integer(), qint16(12));
    QVERIFY(reader.next()->isNull());
    QVERIFY(reader.atEnd());
    QCOMPARE(reader.line(), 6);
}

void TestItemFormat::refusesWhatDoesNotParse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");

    QTest::addRow("unclosed quote") << "\"a\"\r\n\"never closed\r\nmore" << 2;
    QTest::addRow("bad date") << "\"a\"\r\n#2001-13-45#\r\n" << 2;
    QTest::addRow("unclosed date") << "#2001-01-01\r\n" << 1;
    QTest::addRow("bare word") << "hello\r\n" << 1;
    QTest::addRow("number with junk") << "12abc\r\n" << 1;
    QTest::addRow("nothing left") << "" << 1;
}

void TestItemFormat::refusesWhatDoesNotParse()
{
    QFETCH(QString, text);
    QFETCH(int, line);
    ItemReader reader(text);
    std::optional<Value> value;
    do {
        value = reader.next();
    } while (value);
    QVERIFY(!reader.error().isEmpty());
    QCOMPARE(reader.line(), line);
}

void TestItemFormat::skipsTheRestOfAQuotedLine()
{
    ItemReader reader(QStringLiteral("  \"title\" trailing words\r\n  14  \r\n"));
    QCOMPARE(reader.next()->string(), QStringLiteral("title"));
    QCOMPARE(reader.next()->integer(), qint16(14));
}

QTEST_GUILESS_MAIN(TestItemFormat)
#include "tst_itemformat.moc"
