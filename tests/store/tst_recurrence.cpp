#include "Recurrence.h"
#include "StoreFixture.h"

#include <QtTest>

using namespace kelvaro;
using namespace kelvaro::test;

class TestRecurrence : public QObject {
    Q_OBJECT

private slots:
    void rollsPastDatesForward_data();
    void rollsPastDatesForward();
    void jumpsAgreeWithSingleSteps();
    void showsRecordsInsideTheirWindow_data();
    void showsRecordsInsideTheirWindow();
    void stopsAfterTheFirstRecordFarAhead();
    void copiesAlarmsOnlyForToday();
    void computesTheAgeFromThisYear();
    void saysWhenNothingIsShown();
    void keepsTheFirstHundred();
    void stopsAtAFullTable();
    void labelsEachRow_data();
    void labelsEachRow();
};

void TestRecurrence::rollsPastDatesForward_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("repeat");
    QTest::addColumn<QDate>("expected");

    const QDate t(2026, 3, 15);
    QTest::addRow("weekly 10 days ago") << t << t.addDays(-10) << "WEEKLY" << t.addDays(4);
    QTest::addRow("weekly 7 days ago") << t << t.addDays(-7) << "WEEKLY" << t;
    QTest::addRow("monthly 31 Jan clamps through Feb")
        << t << QDate(2026, 1, 31) << "MONTHLY" << QDate(2026, 3, 28);
    QTest::addRow("monthly 31 Jan, leap year")
        << QDate(2024, 3, 15) << QDate(2024, 1, 31) << "MONTHLY" << QDate(2024, 3, 29);
    QTest::addRow("monthly 30th stays while no short month")
        << QDate(2026, 5, 31) << QDate(2026, 3, 30) << "MONTHLY" << QDate(2026, 6, 30);
    QTest::addRow("yearly today stays") << t << t << "YEARLY" << t;
    QTest::addRow("yearly yesterday") << t << t.addDays(-1) << "YEARLY" << QDate(2027, 3, 14);
    QTest::addRow("yearly 29 Feb becomes 28 Feb")
        << t << QDate(2024, 2, 29) << "YEARLY" << QDate(2027, 2, 28);
    QTest::addRow("yearly 29 Feb stays 28 in a leap year")
        << QDate(2028, 3, 1) << QDate(2024, 2, 29) << "YEARLY" << QDate(2029, 2, 28);
    QTest::addRow("yearly birthday from 1901")
        << t << QDate(1901, 7, 4) << "YEARLY" << QDate(2026, 7, 4);
    QTest::addRow("dayly last week") << t << t.addDays(-7) << "DAYLY" << t;
    QTest::addRow("once stays in the past") << t << t.addDays(-1) << "ONCE" << t.addDays(-1);
    QTest::addRow("unknown keyword stays") << t << t.addDays(-3) << "daily" << t.addDays(-3);
    QTest::addRow("future untouched") << t << t.addDays(40) << "WEEKLY" << t.addDays(40);
}

void TestRecurrence::rollsPastDatesForward()
{
    QFETCH(QDate, today);
    QFETCH(QDate, date);
    QFETCH(QString, repeat);
    QFETCH(QDate, expected);
    StoreFixture f(QLocale(QLocale::Dutch, QLocale::Netherlands), today);
    f.add(date, QStringLiteral("a"), repeat);
    f.add(today.addDays(100), QStringLiteral("later"), QStringLiteral("MONTHLY"));
    AdvanceRepeats(f.ctx);
    QCOMPARE(f.dateOf(1), expected);
    QCOMPARE(f.dateOf(2), today.addDays(100));
    // A rolled date is stored back as a date; an untouched one keeps its text.
    QCOMPARE(f.state.Messages(1, 1).isDate(), date < today);
}

void TestRecurrence::jumpsAgreeWithSingleSteps()
{
    // The jump taken for dates far in the past must land where stepping one at a time lands.
    for (const QDate start : {QDate(1900, 1, 31), QDate(1903, 3, 30), QDate(1899, 12, 29),
                              QDate(2000, 2, 29), QDate(1950, 8, 31)}) {
        QDate monthly = start;
        QDate yearly = start;
        for (int steps = 1; steps <= 130; ++steps) {
            monthly = monthly.addMonths(1);
            QCOMPARE(stepMonths(start, steps), monthly);
            if (steps <= 30) {
                yearly = yearly.addYears(1);
                QCOMPARE(stepYears(start, steps), yearly);
            }
        }
    }
}

void TestRecurrence::showsRecordsInsideTheirWindow_data()
{
    QTest::addColumn<int>("inDays");
    QTest::addColumn<Value>("advance");
    QTest::addColumn<bool>("shown");

    QTest::addRow("today, no warning") << 0 << Value(qint16(0)) << true;
    QTest::addRow("tomorrow, no warning") << 1 << Value(qint16(0)) << false;
    QTest::addRow("14 days, 14 warning") << 14 << Value(qint16(14)) << true;
    QTest::addRow("15 days, 14 warning") << 15 << Value(qint16(14)) << false;
    QTest::addRow("14 days, \"14\" as text") << 14 << Value("14") << true;
    QTest::addRow("3 days, text not a number") << 3 << Value("x") << false;
    QTest::addRow("yesterday") << -1 << Value(qint16(14)) << false;
    QTest::addRow("31 days, 31 warning") << 31 << Value(qint16(31)) << true;
}

void TestRecurrence::showsRecordsInsideTheirWindow()
{
    QFETCH(int, inDays);
    QFETCH(Value, advance);
    QFETCH(bool, shown);
    StoreFixture f;
    f.add(f.today().addDays(inDays), QStringLiteral("it"), QStringLiteral("ONCE"), advance);
    BuildShownList(f.ctx);
    QCOMPARE(f.state.ShownCount, qint16(shown ? 1 : 0));
    QCOMPARE(f.state.Shown(1, 2).string(),
             shown ? QStringLiteral("it") : QStringLiteral("No messages found..."));
}

void TestRecurrence::stopsAfterTheFirstRecordFarAhead()
{
    StoreFixture f;
    // Sorted: the weekly record moves to 4 days ahead, the 40-day record stops the walk but is
    // shown by its own long warning, and the one after it is not looked at.
    f.add(f.today().addDays(41), QStringLiteral("beyond"), QStringLiteral("ONCE"), qint16(99));
    f.add(f.today().addDays(40), QStringLiteral("far"), QStringLiteral("ONCE"), qint16(45));
    f.add(f.today().addDays(-10), QStringLiteral("weekly"), QStringLiteral("WEEKLY"), qint16(4));
    f.add(f.today().addDays(-2), QStringLiteral("past once"));
    BuildShownList(f.ctx);
    QCOMPARE(f.state.ShownCount, qint16(2));
    QCOMPARE(f.state.Shown(1, 2).string(), QStringLiteral("weekly"));
    QCOMPARE(f.state.Shown(1, 1).date(), f.today().addDays(4));
    QCOMPARE(f.state.Shown(2, 2).string(), QStringLiteral("far"));
    // The table is left sorted by date.
    QCOMPARE(f.titleOf(1), QStringLiteral("past once"));
    QCOMPARE(f.titleOf(4), QStringLiteral("beyond"));
}

void TestRecurrence::copiesAlarmsOnlyForToday()
{
    StoreFixture f;
    f.add(f.today(), QStringLiteral("today"));
    f.add(f.today().addDays(3), QStringLiteral("in three days"));
    for (int i : {1, 2}) {
        f.state.Messages(i, 8) = QStringLiteral("14:35");
        f.state.Messages(i, 9) = QStringLiteral("/sounds/a.wav");
    }
    BuildShownList(f.ctx);
    QVERIFY(f.state.AlarmToday);
    QCOMPARE(f.state.Shown(1, 4).string(), QStringLiteral("14:35"));
    QCOMPARE(f.state.Shown(1, 5).string(), QStringLiteral("/sounds/a.wav"));
    for (int field : {4, 5, 6})
        QVERIFY(f.state.Shown(2, field).isBlank());

    f.state.Messages(1, 8) = QString();
    BuildShownList(f.ctx);
    QVERIFY(!f.state.AlarmToday);
}

void TestRecurrence::computesTheAgeFromThisYear()
{
    StoreFixture f(QLocale(QLocale::Dutch, QLocale::Netherlands), QDate(2026, 12, 28));
    f.add(QDate(1961, 1, 5), QStringLiteral("birthday"), QStringLiteral("YEARLY"), qint16(14));
    f.state.Messages(1, 5) = QStringLiteral("1961");
    f.add(f.today(), QStringLiteral("no year"), QStringLiteral("YEARLY"));
    f.state.Messages(2, 5) = QStringLiteral("unknown");
    BuildShownList(f.ctx);
    QCOMPARE(f.state.ShownCount, qint16(2));
    QCOMPARE(f.state.Shown(1, 2).string(), QStringLiteral("no year"));
    QVERIFY(f.state.Shown(1, 7).isBlank());
    // Shown in December for 5 January: the age of the year that is ending.
    QCOMPARE(f.state.Shown(2, 1).date(), QDate(2027, 1, 5));
    QCOMPARE(f.state.Shown(2, 7).integer(), qint16(65));
}

void TestRecurrence::saysWhenNothingIsShown()
{
    StoreFixture f;
    f.add(f.today().addDays(-1), QStringLiteral("yesterday once"));
    BuildShownList(f.ctx);
    QCOMPARE(f.state.ShownCount, qint16(0));
    QVERIFY(f.state.Shown(1, 1).isBlank());
    QCOMPARE(f.state.Shown(1, 2).string(), QStringLiteral("No messages found..."));
    QCOMPARE(f.dateOf(1), f.today().addDays(-1));
}

void TestRecurrence::keepsTheFirstHundred()
{
    StoreFixture f;
    for (int i = 0; i < 150; ++i)
        f.add(f.today().addDays(i % 10), QStringLiteral("m%1").arg(i));
    BuildShownList(f.ctx);
    QCOMPARE(f.state.ShownCount, qint16(MaxShown));
    QCOMPARE(f.state.Shown(MaxShown, 1).date(), f.today().addDays(6));
}

void TestRecurrence::stopsAtAFullTable()
{
    StoreFixture f;
    for (int i = 0; i < MaxMessages; ++i)
        f.add(f.today().addDays(-1000 + i), QStringLiteral("m%1").arg(i), QStringLiteral("ONCE"));
    f.state.Messages(MaxMessages, 4) = QStringLiteral("DAYLY");
    BuildShownList(f.ctx);
    QCOMPARE(f.state.ShownCount, qint16(1));
    QCOMPARE(f.state.Shown(1, 1).date(), f.today());
}

void TestRecurrence::labelsEachRow_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("inDays");
    QTest::addColumn<QString>("alarm");
    QTest::addColumn<Value>("age");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("colour");

    const QLocale nl(QLocale::Dutch, QLocale::Netherlands);
    const QLocale en(QLocale::English, QLocale::UnitedKingdom);
    const int red = int(LabelColour::Red), blue = int(LabelColour::Blue),
              black = int(LabelColour::Black);
    // Today is Monday 1 June 1998.
    QTest::addRow("today with alarm and age")
        << en << 0 << "14:35" << Value(qint16(37)) << "Mon 01/06/1998 / 14:35 h  (Today) - 37 yrs"
        << red;
    QTest::addRow("tomorrow") << en << 1 << "" << Value() << "Tue 02/06/1998  (1 day)" << blue;
    QTest::addRow("in five days") << en << 5 << "" << Value() << "Sat 06/06/1998  (5 days)"
                                  << black;
    QTest::addRow("in five days, Dutch")
        << nl << 5 << "" << Value(qint16(3)) << "za 06-06-1998  (5 days) - 3 yrs" << black;
}

void TestRecurrence::labelsEachRow()
{
    QFETCH(QLocale, locale);
    QFETCH(int, inDays);
    QFETCH(QString, alarm);
    QFETCH(Value, age);
    QFETCH(QString, caption);
    QFETCH(int, colour);
    const DateLocale dates(locale);
    const QDate today(1998, 6, 1);
    ShownTable::Row row;
    row.fill(QString());
    row[0] = today.addDays(inDays);
    row[3] = alarm;
    row[6] = age;
    const DayLabel label = dayLabel(row, today, dates);
    QCOMPARE(label.caption, caption);
    QCOMPARE(int(label.colour), colour);

    ShownTable::Row empty;
    empty.fill(QString());
    QCOMPARE(dayLabel(empty, today, dates).caption, QString());
    QCOMPARE(dayLabel(empty, today, dates).colour, LabelColour::Black);
}

QTEST_GUILESS_MAIN(TestRecurrence)
#include "tst_recurrence.moc"
