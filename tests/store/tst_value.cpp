#include "DateLocale.h"
#include "Value.h"

#include <QtTest>

using namespace kelvaro;

class TestValue : public QObject {
    Q_OBJECT

private slots:
    void comparison_data();
    void comparison();
    void leadingNumber_data();
    void leadingNumber();
    void dateOfTextAndDateAgree();
};

void TestValue::comparison_data()
{
    QTest::addColumn<Value>("a");
    QTest::addColumn<Value>("b");
    QTest::addColumn<bool>("equal");

    QTest::addRow("empty = empty string") << Value() << Value(QString()) << true;
    QTest::addRow("empty = 0") << Value() << Value(qint16(0)) << true;
    QTest::addRow("empty = 0.0") << Value() << Value(0.0) << true;
    QTest::addRow("empty != text") << Value() << Value("x") << false;
    QTest::addRow("empty != 1") << Value() << Value(qint16(1)) << false;
    QTest::addRow("null != null") << Value::null() << Value::null() << false;
    QTest::addRow("null != empty") << Value::null() << Value() << false;
    QTest::addRow("null != empty string") << Value::null() << Value(QString()) << false;
    QTest::addRow("integer = double") << Value(qint16(14)) << Value(14.0) << true;
    QTest::addRow("text is case-sensitive") << Value("ONCE") << Value("once") << false;
    QTest::addRow("dates") << Value(QDate(1998, 6, 1)) << Value(QDate(1998, 6, 1)) << true;
}

void TestValue::comparison()
{
    QFETCH(Value, a);
    QFETCH(Value, b);
    QFETCH(bool, equal);
    QCOMPARE(a == b, equal);
    QCOMPARE(b == a, equal);
}

void TestValue::leadingNumber_data()
{
    QTest::addColumn<Value>("value");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("numeric");

    QTest::addRow("integer 14") << Value(qint16(14)) << 14 << true;
    QTest::addRow("string 14") << Value("14") << 14 << true;
    QTest::addRow("digits then text") << Value("7 days") << 7 << false;
    QTest::addRow("leading blanks") << Value("  3") << 3 << true;
    QTest::addRow("no number") << Value("abc") << 0 << false;
    QTest::addRow("empty string") << Value(QString()) << 0 << false;
    QTest::addRow("empty cell") << Value() << 0 << false;
    QTest::addRow("negative") << Value("-2") << -2 << true;
    QTest::addRow("fraction truncates") << Value("2.9") << 2 << true;
    QTest::addRow("huge digit string") << Value("99999999999999999999") << 1000000000 << true;
}

void TestValue::leadingNumber()
{
    QFETCH(Value, value);
    QFETCH(int, number);
    QFETCH(bool, numeric);
    QCOMPARE(value.leadingNumber(), number);
    QCOMPARE(value.isNumeric(), numeric);
}

void TestValue::dateOfTextAndDateAgree()
{
    for (const QLocale& qlocale : {QLocale(QLocale::Dutch, QLocale::Netherlands),
                                   QLocale(QLocale::English, QLocale::UnitedStates),
                                   QLocale(QLocale::German, QLocale::Germany), QLocale::c()}) {
        const DateLocale locale(qlocale);
        const QDate date(1961, 1, 5);
        const Value asText = locale.shortDate(date);
        // The locale that wrote the text remembers its date; one that never saw it reads it.
        QCOMPARE(asText.toDate(locale), date);
        QCOMPARE(asText.toDate(DateLocale(qlocale)), date);
        QCOMPARE(Value(date).toDate(locale), date);
        // A two-digit year would read back as 2061.
        QVERIFY2(asText.string().contains(QStringLiteral("1961")), qPrintable(asText.string()));
    }
    // Digits the date reader does not know: the text is no date, even to the locale that wrote it.
    const QLocale chakma(QStringLiteral("ccp_BD"));
    const DateLocale writer(chakma);
    const Value unreadable = writer.shortDate(QDate(1961, 1, 5));
    QVERIFY(!unreadable.toDate(DateLocale(chakma)).isValid());
    QVERIFY(!unreadable.toDate(writer).isValid());
    QVERIFY(!Value("not a date").toDate(DateLocale(QLocale::c())).isValid());
    QVERIFY(!Value().toDate(DateLocale(QLocale::c())).isValid());
}

QTEST_GUILESS_MAIN(TestValue)
#include "tst_value.moc"
