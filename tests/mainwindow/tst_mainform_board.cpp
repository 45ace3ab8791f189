#include "MainFormFixture.h"
#include "Recurrence.h"

using namespace kelvaro;
using namespace kelvaro::test;

class TestMainFormBoard : public QObject {
    Q_OBJECT
private slots:
    void autoScrollCycle_data();
    void autoScrollCycle();
    void autoScrollOff();
    void rebuildContinuesFromCurrentPage();
    void pagingButtons_data();
    void pagingButtons();
    void captionColours();
    void todaySound_data();
    void todaySound();
    void welcomeOnFirstUse();
    void autoClose_data();
    void autoClose();
};

// The date line of an entry d days ahead, as a person reads it.
static QString expectedCaption(const DateLocale& locale, QDate date, qint64 days)
{
    return locale.dayName(date) + u' ' + locale.shortDate(date) +
           QStringLiteral("  (%1 days)").arg(days);
}

void TestMainFormBoard::autoScrollCycle_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<QList<int>>("pages"); // the page shown at each tick, until the timer stops
    QTest::addColumn<int>("pageCount");

    QTest::newRow("none") << 0 << QList<int>{1} << 0;
    QTest::newRow("one page") << 4 << QList<int>{1} << 1;
    QTest::newRow("five") << 5 << QList<int>{1, 2, 1} << 2;
    QTest::newRow("nine") << 9 << QList<int>{1, 2, 3, 1} << 3;
}

void TestMainFormBoard::autoScrollCycle()
{
    QFETCH(int, entries);
    QFETCH(QList<int>, pages);
    QFETCH(int, pageCount);
    MainFormFixture f;
    f.addEntries(entries);

    f.form.UpdateBoard();
    QCOMPARE(f.child<QLineEdit>(QStringLiteral("Total_Messages"))->text(),
             QString::number(entries));
    QCOMPARE(f.state.PageCount, pageCount);

    for (qsizetype tick = 0; tick < pages.size(); ++tick) {
        // The first tick comes as soon as the window is idle, the others a delay apart.
        if (tick == 0)
            MainFormFixture::runIdleTicks();
        else
            f.form.Show_Delay_Timer();
        const int page = pages[tick];
        QCOMPARE(f.pageNumber(), QStringLiteral("Page %1 of %2").arg(page).arg(pageCount));
        QCOMPARE(f.back()->isEnabled(), page > 1);
        QCOMPARE(f.forward()->isEnabled(), page < pageCount);
        for (int slot = 1; slot <= 4; ++slot) {
            const int row = (page - 1) * 4 + slot;
            if (row <= entries) {
                const QDate date = f.today().addDays(1 + row);
                QCOMPARE(f.title(slot), QStringLiteral("Entry %1").arg(row));
                QCOMPARE(f.body(slot), QStringLiteral("Body of Entry %1").arg(row));
                QCOMPARE(f.caption(slot), expectedCaption(f.locale, date, 1 + row));
            } else {
                QCOMPARE(f.title(slot), entries == 0 && slot == 1
                                            ? QStringLiteral("No messages found...")
                                            : QString());
                QCOMPARE(f.body(slot), QString());
                QCOMPARE(f.caption(slot), QString());
            }
        }
        const bool last = tick == pages.size() - 1;
        QCOMPARE(f.showDelay()->isActive(), !last);
        if (!last)
            QCOMPARE(f.showDelay()->interval(), 20000);
    }
}

void TestMainFormBoard::autoScrollOff()
{
    MainFormFixture f;
    f.addEntries(9);
    f.state.AutoScroll = false;
    f.state.CurrentPage = 2;

    f.form.UpdateBoard();
    MainFormFixture::runIdleTicks();

    QCOMPARE(f.pageNumber(), QStringLiteral("Page 1 of 3"));
    QCOMPARE(f.title(1), QStringLiteral("Entry 1"));
    QVERIFY(!f.showDelay()->isActive());
}

void TestMainFormBoard::rebuildContinuesFromCurrentPage()
{
    MainFormFixture f;
    f.addEntries(9);
    f.form.UpdateBoard();
    f.form.Show_Delay_Timer();
    f.form.Show_Delay_Timer();
    QCOMPARE(f.pageNumber(), QStringLiteral("Page 2 of 3"));

    f.form.UpdateBoard();
    f.form.Show_Delay_Timer();
    QCOMPARE(f.pageNumber(), QStringLiteral("Page 3 of 3"));

    // Rebuilt while the last page shows: back to page 1, and the page turns stop.
    f.form.UpdateBoard();
    f.form.Show_Delay_Timer();
    QCOMPARE(f.pageNumber(), QStringLiteral("Page 1 of 3"));
    QVERIFY(!f.showDelay()->isActive());
}

void TestMainFormBoard::pagingButtons_data()
{
    QTest::addColumn<int>("startPage");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<int>("page");

    QTest::newRow(">> on page 1") << 1 << true << 2;
    QTest::newRow("<< on page 3") << 3 << false << 2;
    // Pressed while the buttons' enabled state is stale: the page wraps around.
    QTest::newRow(">> on the last page") << 3 << true << 1;
    QTest::newRow("<< on page 1") << 1 << false << 3;
    QTest::newRow("<< before the first tick") << 0 << false << 3;
}

void TestMainFormBoard::pagingButtons()
{
    QFETCH(int, startPage);
    QFETCH(bool, forward);
    QFETCH(int, page);
    MainFormFixture f;
    f.addEntries(9);
    f.state.AutoClose = true;
    f.form.UpdateBoard();
    for (int i = 0; i < startPage; ++i)
        f.form.Show_Delay_Timer();
    QVERIFY(f.showDelay()->isActive());

    // A disabled button cannot be clicked; its handler still runs when pressed before the
    // first tick or after the page count changed.
    QPushButton* button = forward ? f.forward() : f.back();
    if (button->isEnabled())
        button->click();
    else if (forward)
        f.form.Forward_Click();
    else
        f.form.Back_Click();
    QVERIFY(!f.state.AutoClose);
    QVERIFY(!f.state.JustLoaded);
    MainFormFixture::runIdleTicks();

    QCOMPARE(f.pageNumber(), QStringLiteral("Page %1 of 3").arg(page));
    QCOMPARE(f.title(1), QStringLiteral("Entry %1").arg((page - 1) * 4 + 1));
    QVERIFY(!f.showDelay()->isActive());
    // Auto-scroll stays off until the next rebuild: a stray tick turns no page.
    f.form.Show_Delay_Timer();
    QCOMPARE(f.pageNumber(), QStringLiteral("Page %1 of 3").arg(page));
}

void TestMainFormBoard::captionColours()
{
    MainFormFixture f;
    f.add(f.today(), QStringLiteral("Due today"));
    f.add(f.today().addDays(1), QStringLiteral("Tomorrow"));
    f.add(f.today().addDays(3), QStringLiteral("Later"));
    f.form.UpdateBoard();
    f.form.Show_Delay_Timer();

    QVERIFY(f.caption(1).endsWith(QStringLiteral("  (Today)")));
    QCOMPARE(f.captionColour(1), QColor(255, 0, 0));
    QVERIFY(f.caption(2).endsWith(QStringLiteral("  (1 day)")));
    QCOMPARE(f.captionColour(2), QColor(0, 0, 255));
    QCOMPARE(f.caption(3), expectedCaption(f.locale, f.today().addDays(3), 3));
    QCOMPARE(f.captionColour(3), QColor(0, 0, 0));
    QCOMPARE(f.caption(4), QString());
    QCOMPARE(f.captionColour(4), QColor(0, 0, 0));
    // The caption's colour stays with the caption: the title under a red date line is black.
    QCOMPARE(f.child<QLineEdit>(QStringLiteral("Message1_Title"))->palette().color(QPalette::Text),
             QColor(0, 0, 0));

    // The colours follow the entries: a day later the blue one is due today and turns red.
    f.clock.advanceDays(1);
    f.form.UpdateBoard();
    f.form.Show_Delay_Timer();
    QCOMPARE(f.title(1), QStringLiteral("Tomorrow"));
    QCOMPARE(f.captionColour(1), QColor(255, 0, 0));
    QCOMPARE(f.captionColour(2), QColor(0, 0, 0));
}

void TestMainFormBoard::todaySound_data()
{
    QTest::addColumn<int>("dueToday");
    QTest::addColumn<bool>("alarmShowing");
    QTest::addColumn<bool>("minimized");
    QTest::addColumn<int>("plays");

    QTest::newRow("one a slot") << 2 << false << false << 2;
    QTest::newRow("none due") << 0 << false << false << 0;
    QTest::newRow("alarm window open") << 2 << true << false << 0;
    QTest::newRow("minimized") << 2 << false << true << 0;
}

void TestMainFormBoard::todaySound()
{
    QFETCH(int, dueToday);
    QFETCH(bool, alarmShowing);
    QFETCH(bool, minimized);
    QFETCH(int, plays);
    MainFormFixture f;
    for (int i = 0; i < dueToday; ++i)
        f.add(f.today(), QStringLiteral("Today %1").arg(i));
    f.addEntries(2);
    f.state.AlarmShowing = alarmShowing;
    if (minimized)
        f.form.setWindowState(Qt::WindowMinimized);

    f.form.UpdateBoard();
    f.form.Show_Delay_Timer();
    QCOMPARE(f.sound.played, QStringList(plays, QStringLiteral("today.wav")));

    // Every fill sounds again, a paging button's too.
    f.form.Forward_Click();
    MainFormFixture::runIdleTicks();
    QCOMPARE(f.sound.played.size(), 2 * plays);
}

void TestMainFormBoard::welcomeOnFirstUse()
{
    MainFormFixture f;
    f.addEntries(6);
    f.state.FirstUse = true;
    f.form.UpdateBoard();
    f.form.Show_Delay_Timer();

    QCOMPARE(f.ui.boxes.size(), 1);
    const FakeUserInterface::Box& box = f.ui.boxes.first();
    QCOMPARE(box.title, QStringLiteral("Welcome to Kelvaro!"));
    QCOMPARE(box.style, UserInterface::Ok | UserInterface::Information);
    QCOMPARE(box.text,
             QStringLiteral("Thank you for trying Kelvaro! In order to give you a good impression "
                            "of what Kelvaro can do a few example messages have been created.\n\n"
                            "The examples can, of course, be easily removed from the message "
                            "list."));
    // The board is filled before the greeting.
    QCOMPARE(f.title(1), QStringLiteral("Entry 1"));
    QVERIFY(!f.state.FirstUse);

    f.form.Show_Delay_Timer();
    QCOMPARE(f.ui.boxes.size(), 1);
}

void TestMainFormBoard::autoClose_data()
{
    QTest::addColumn<bool>("setting");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("userActs");
    QTest::addColumn<bool>("timerStarts");
    QTest::addColumn<bool>("minimizes");

    QTest::newRow("on, untouched") << true << true << false << true << true;
    QTest::newRow("on, user pressed a button") << true << true << true << true << false;
    QTest::newRow("off") << false << true << false << false << false;
    QTest::newRow("window disabled") << true << false << false << false << false;
}

void TestMainFormBoard::autoClose()
{
    QFETCH(bool, setting);
    QFETCH(bool, enabled);
    QFETCH(bool, userActs);
    QFETCH(bool, timerStarts);
    QFETCH(bool, minimizes);
    MainFormFixture f;
    f.addEntries(4);
    f.state.AutoClose = setting;
    f.form.setEnabled(enabled);

    f.form.UpdateBoard();
    f.form.Show_Delay_Timer();
    QCOMPARE(f.autoClose()->isActive(), timerStarts);
    QCOMPARE(f.autoClose()->interval(), 30000);

    if (userActs)
        f.child<QPushButton>(QStringLiteral("Edit_Notes"))->click();
    if (f.autoClose()->isActive())
        f.form.Auto_Close_Timer_Timer();
    QCOMPARE(f.form.isMinimized(), minimizes);
    QVERIFY(!f.autoClose()->isActive());
}

QTEST_MAIN(TestMainFormBoard)
#include "tst_mainform_board.moc"
