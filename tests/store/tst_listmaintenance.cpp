#include "ListMaintenance.h"
#include "MessageFile.h"
#include "StoreFixture.h"

#include <QtTest>

using namespace kelvaro;
using namespace kelvaro::test;

class TestListMaintenance : public QObject {
    Q_OBJECT

private slots:
    void sortsByDateKeepingEqualDatesInOrder_data();
    void sortsByDateKeepingEqualDatesInOrder();
    void deletesARecord();
    void removesOutdatedMessages_data();
    void removesOutdatedMessages();
    void removesNothingFromAnEmptyTable();
};

void TestListMaintenance::sortsByDateKeepingEqualDatesInOrder_data()
{
    QTest::addColumn<QList<int>>("days");
    QTest::addColumn<QString>("order");

    QTest::addRow("3, 1, 2 June") << QList<int>{3, 1, 2} << "a1 a2 a3";
    QTest::addRow("equal dates keep order") << QList<int>{1, 1, 0, 1} << "a1 a1 a1 a1";
    QTest::addRow("already sorted") << QList<int>{1, 2, 3} << "a1 a2 a3";
    QTest::addRow("reverse") << QList<int>{5, 4, 3, 2, 1} << "a1 a2 a3 a4 a5";
}

void TestListMaintenance::sortsByDateKeepingEqualDatesInOrder()
{
    QFETCH(QList<int>, days);
    StoreFixture f;
    for (int i = 0; i < days.size(); ++i)
        f.add(QDate(2026, 6, days[i] == 0 ? 1 : days[i]), QString::number(i));
    // One record holds its date as a date value, the rest as text: both sort alike.
    f.state.Messages(1, 1) = f.dateOf(1);
    SortMessages(f.ctx);

    // Expected: stable order by date, computed independently of the sort under test.
    QList<int> expected(days.size());
    std::iota(expected.begin(), expected.end(), 0);
    std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
        return (days[a] == 0 ? 1 : days[a]) < (days[b] == 0 ? 1 : days[b]);
    });
    for (int i = 0; i < days.size(); ++i)
        QCOMPARE(f.titleOf(i + 1), QString::number(expected[i]));
    for (int i = 1; i < days.size(); ++i)
        QVERIFY(f.dateOf(i) <= f.dateOf(i + 1));
    QCOMPARE(f.ui.busyDepth, 0);
}

void TestListMaintenance::deletesARecord()
{
    StoreFixture f;
    f.add(QDate(2026, 6, 1), QStringLiteral("one"));
    f.add(QDate(2026, 6, 2), QStringLiteral("two"));
    f.add(QDate(2026, 6, 3), QStringLiteral("three"));
    f.state.CurrentMessage = 2;
    DeleteMessage(f.state);
    QCOMPARE(f.state.MessageCount, qint16(2));
    QCOMPARE(f.titleOf(2), QStringLiteral("three"));
    for (int field = 1; field <= 10; ++field)
        QVERIFY(f.state.Messages(3, field).isNull());

    // The last record deleted: its slot no longer reads as a date, so scans stop there.
    f.state.CurrentMessage = 2;
    DeleteMessage(f.state);
    QCOMPARE(f.state.MessageCount, qint16(1));
    QVERIFY(!f.state.Messages(2, 1).toDate(f.locale).isValid());
}

void TestListMaintenance::removesOutdatedMessages_data()
{
    QTest::addColumn<QList<int>>("days"); // days from today of each ONCE record
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QList<bool>>("answers");   // Yes = true, for each question asked
    QTest::addColumn<QStringList>("remaining"); // titles left, in order
    QTest::addColumn<int>("questions");

    QTest::addRow("three past, no confirmation")
        << QList<int>{-3, -2, -1} << false << QList<bool>{} << QStringList{"2"} << 0;
    QTest::addRow("three past, all answered No")
        << QList<int>{-3, -2, -1} << true << QList<bool>{false, false} << QStringList{"0", "1", "2"}
        << 2;
    QTest::addRow("Yes then No") << QList<int>{-3, -2, -1} << true << QList<bool>{true, false}
                                 << QStringList{"1", "2"} << 2;
    QTest::addRow("today is not outdated")
        << QList<int>{0, 0, 5} << false << QList<bool>{} << QStringList{"0", "1", "2"} << 0;
    QTest::addRow("past between future ones")
        << QList<int>{-4, 3, -1, 5} << false << QList<bool>{} << QStringList{"1", "3"} << 0;
}

void TestListMaintenance::removesOutdatedMessages()
{
    QFETCH(QList<int>, days);
    QFETCH(bool, confirm);
    QFETCH(QList<bool>, answers);
    QFETCH(QStringList, remaining);
    QFETCH(int, questions);
    StoreFixture f;
    for (int i = 0; i < days.size(); ++i)
        f.add(f.today().addDays(days[i]), QString::number(i));
    f.state.ConfirmRemoval = confirm;
    for (bool yes : answers)
        f.ui.answers << (yes ? UserInterface::Answer::Yes : UserInterface::Answer::No);

    RemoveOutdated(f.ctx);

    QCOMPARE(f.ui.boxes.size(), questions);
    for (const FakeUserInterface::Box& box : f.ui.boxes) {
        QVERIFY(box.text.startsWith(QStringLiteral("Removing message: ")));
        QCOMPARE(box.style, 36);
        QCOMPARE(box.title, QStringLiteral("Please confirm"));
    }
    QStringList titles;
    for (int i = 1; i <= f.state.MessageCount; ++i)
        titles << f.titleOf(i);
    QStringList sortedRemaining = remaining;
    QCOMPARE(titles.size(), remaining.size());
    // Saved once, holding exactly what is left, sorted by date.
    StoreFixture reread;
    reread.state.MessageFile = f.state.MessageFile;
    QVERIFY(ReadMessageFile(reread.ctx) == LoadOutcome::Loaded);
    QCOMPARE(reread.state.MessageCount, f.state.MessageCount);
    for (int i = 1; i <= f.state.MessageCount; ++i) {
        QCOMPARE(reread.titleOf(i), titles[i - 1]);
        if (i > 1)
            QVERIFY(reread.dateOf(i - 1) <= reread.dateOf(i));
    }
    titles.sort();
    sortedRemaining.sort();
    QCOMPARE(titles, sortedRemaining);
}

void TestListMaintenance::removesNothingFromAnEmptyTable()
{
    StoreFixture f;
    RemoveOutdated(f.ctx);
    QVERIFY(f.ui.boxes.isEmpty());
    // The empty list is saved as its placeholder.
    QCOMPARE(f.state.MessageCount, qint16(1));
    QCOMPARE(f.titleOf(1), QStringLiteral("Empty"));
}

QTEST_GUILESS_MAIN(TestListMaintenance)
#include "tst_listmaintenance.moc"
