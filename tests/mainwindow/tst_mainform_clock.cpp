#include "ClockIconText.h"
#include "MainFormFixture.h"
#include "MessageFile.h"

#include <QFile>

using namespace kelvaro;
using namespace kelvaro::test;

class TestMainFormClock : public QObject {
    Q_OBJECT
private slots:
    void midnightRollsTheBoardOver();
    void unexpectedDateEndsWithoutSaving_data();
    void unexpectedDateEndsWithoutSaving();
    void unreadableDateBoxIsLeftAlone();
    void minimizedClockTicksEveryMinute_data();
    void minimizedClockTicksEveryMinute();
    void alarmCheck_data();
    void alarmCheck();
    void activation_data();
    void activation();
    void iconTexts_data();
    void iconTexts();
};

void TestMainFormClock::midnightRollsTheBoardOver()
{
    MainFormFixture f;
    f.clock.set(QDateTime(f.today(), QTime(23, 59, 59)));
    const QDate yesterday = f.today();
    f.add(yesterday, QStringLiteral("Once, yesterday"));
    f.add(yesterday.addDays(3), QStringLiteral("Later"));
    f.form.Form_Activate();
    f.form.UpdateBoard();
    f.form.Show_Delay_Timer();
    QVERIFY(!f.showDelay()->isActive());
    f.state.AutoClose = true;

    f.clock.advanceSeconds(2);
    f.form.Klok_Timer();

    QCOMPARE(f.child<QLineEdit>(QStringLiteral("The_Time"))->text(), QStringLiteral("00:00:01"));
    QCOMPARE(f.datumBox()->text(), f.locale.shortDate(yesterday.addDays(1)));
    QVERIFY(!f.state.AutoClose);
    // Rebuilt: yesterday's one-time message has left the board, and the pages turn again.
    QCOMPARE(f.state.ShownCount, 1);
    QVERIFY(f.showDelay()->isActive());
    f.form.Show_Delay_Timer();
    QCOMPARE(f.title(1), QStringLiteral("Later"));
    QVERIFY(f.caption(1).endsWith(QStringLiteral("  (2 days)")));
    QCOMPARE(f.processEnds, 0);
    QVERIFY(f.ui.boxes.isEmpty());

    // The next tick of the same day changes nothing.
    f.clock.advanceSeconds(1);
    f.form.Klok_Timer();
    QVERIFY(!f.showDelay()->isActive());
}

void TestMainFormClock::unexpectedDateEndsWithoutSaving_data()
{
    QTest::addColumn<QString>("dateBox"); // empty: today's short date
    QTest::addColumn<int>("daysMoved");

    QTest::newRow("two days ahead") << QString() << 2;
    QTest::newRow("set back a day") << QString() << -1;
    QTest::newRow("date format changed") << QStringLiteral("2026-03-15") << 0;
}

void TestMainFormClock::unexpectedDateEndsWithoutSaving()
{
    QFETCH(QString, dateBox);
    QFETCH(int, daysMoved);
    MainFormFixture f;
    f.add(f.today(), QStringLiteral("With an alarm"));
    f.state.Messages(1, Field::AlarmTime) = QStringLiteral("09:00");
    f.form.UpdateBoard();
    QVERIFY(f.state.AlarmToday);
    f.form.Form_Activate();
    if (!dateBox.isEmpty())
        f.datumBox()->setText(dateBox);
    const QString shownDate = f.datumBox()->text();

    f.clock.advanceDays(daysMoved);
    f.form.Klok_Timer();

    QVERIFY(f.state.SaveBlocked);
    QCOMPARE(f.ui.boxes.size(), 1);
    QCOMPARE(f.ui.boxes.first().text,
             QStringLiteral("Attention! Dateformat or date changed unexpectedly. Cannot adjust "
                            "without exiting first. Kelvaro will be closed to avoid possible loss "
                            "of data or of data integrity."));
    QCOMPARE(f.ui.boxes.first().style, UserInterface::Ok | UserInterface::Exclamation);
    QCOMPARE(f.ui.boxes.first().title, QString());
    QCOMPARE(f.processEnds, 1);
    // Nothing after the end ran: no alarm, no new date.
    QVERIFY(f.alarmsOpened.isEmpty());
    QCOMPARE(f.datumBox()->text(), shownDate);
    // And nothing written later can reach the disk.
    QVERIFY(!SaveMessages(f.ctx));
    QVERIFY(!QFile::exists(f.state.MessageFile));
}

void TestMainFormClock::unreadableDateBoxIsLeftAlone()
{
    MainFormFixture f;
    for (const QString& text : {QString(), QStringLiteral("not a date")}) {
        f.datumBox()->setText(text);
        f.form.Klok_Timer();
        QCOMPARE(f.datumBox()->text(), text);
    }
    QCOMPARE(f.processEnds, 0);
    QVERIFY(!f.state.SaveBlocked);
    QVERIFY(!f.showDelay()->isActive());
}

void TestMainFormClock::minimizedClockTicksEveryMinute_data()
{
    QTest::addColumn<bool>("minimized");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("interval");

    QTest::newRow("normal, on the minute") << false << 0 << 1000;
    QTest::newRow("minimized, mid-minute") << true << 30 << 1000;
    QTest::newRow("minimized, on the minute") << true << 0 << 60000;
}

void TestMainFormClock::minimizedClockTicksEveryMinute()
{
    QFETCH(bool, minimized);
    QFETCH(int, second);
    QFETCH(int, interval);
    MainFormFixture f;
    f.form.Form_Activate();
    f.klok()->start(1000);
    if (minimized)
        f.form.Command4_Click();
    QCOMPARE(f.form.isMinimized(), minimized);

    f.clock.set(QDateTime(f.today(), QTime(10, 7, second)));
    f.form.Klok_Timer();
    QCOMPARE(f.klok()->interval(), interval);
    QVERIFY(f.klok()->isActive());

    if (!minimized)
        return;
    // Restored, the clock shows seconds again from the next idle moment on.
    f.form.setWindowState(Qt::WindowNoState);
    QCOMPARE(f.klok()->interval(), 1000);
    QVERIFY(f.klok()->isActive());
    f.clock.advanceSeconds(5);
    MainFormFixture::runIdleTicks();
    QCOMPARE(f.child<QLineEdit>(QStringLiteral("The_Time"))->text(),
             f.clock.now().toString(QStringLiteral("hh:mm:ss")));
}

void TestMainFormClock::alarmCheck_data()
{
    QTest::addColumn<QStringList>("alarms"); // one entry due today for each; "" for no alarm
    QTest::addColumn<QTime>("now");
    QTest::addColumn<bool>("alarmShowing");
    QTest::addColumn<int>("row"); // 0: no alarm window

    QTest::newRow("in its minute")
        << QStringList{QStringLiteral("10:00")} << QTime(10, 0, 59) << false << 1;
    QTest::newRow("a minute early")
        << QStringList{QStringLiteral("10:01")} << QTime(10, 0, 59) << false << 0;
    QTest::newRow("long past") << QStringList{QStringLiteral("9:05")} << QTime(14, 30) << false
                               << 1;
    QTest::newRow("first due row") << QStringList{QString(), QStringLiteral("11:00"),
                                                  QStringLiteral("08:00"), QStringLiteral("08:00")}
                                   << QTime(10, 0) << false << 3;
    QTest::newRow("alarm window open")
        << QStringList{QStringLiteral("10:00")} << QTime(10, 0) << true << 0;
}

void TestMainFormClock::alarmCheck()
{
    QFETCH(QStringList, alarms);
    QFETCH(QTime, now);
    QFETCH(bool, alarmShowing);
    QFETCH(int, row);
    MainFormFixture f;
    for (qsizetype i = 0; i < alarms.size(); ++i) {
        f.add(f.today(), QStringLiteral("Today %1").arg(i + 1));
        f.state.Messages(f.state.MessageCount, Field::AlarmTime) = alarms[i];
    }
    f.add(f.today().addDays(1), QStringLiteral("Tomorrow, no alarm today"));
    f.state.Messages(f.state.MessageCount, Field::AlarmTime) = QStringLiteral("00:00");
    f.form.Form_Activate();
    f.form.UpdateBoard();
    f.state.AlarmShowing = alarmShowing;

    f.clock.set(QDateTime(f.today(), now));
    f.form.Klok_Timer();

    QCOMPARE(f.alarmsOpened, row ? QList<int>{row} : QList<int>{});
    if (row)
        QCOMPARE(int(f.state.AlarmRow), row);
}

void TestMainFormClock::activation_data()
{
    QTest::addColumn<qint32>("textBackColor"); // as the settings hold it: 0xBBGGRR
    QTest::addColumn<QColor>("shown");

    QTest::newRow("white") << qint32(0xFFFFFF) << QColor(255, 255, 255);
    QTest::newRow("light grey") << qint32(0xE0E0E0) << QColor(224, 224, 224);
    QTest::newRow("red") << qint32(0x0000FF) << QColor(255, 0, 0);
    QTest::newRow("pale blue") << qint32(0xFFE0C0) << QColor(192, 224, 255);
}

void TestMainFormClock::activation()
{
    QFETCH(qint32, textBackColor);
    QFETCH(QColor, shown);
    MainFormFixture f;
    f.state.TextBackColor = textBackColor;
    f.state.MessagesChanged = true;

    f.form.Form_Activate();

    for (const char* box :
         {"The_Time", "Datum_Box", "Message1_Title", "Message4_Title", "Total_Messages"})
        QCOMPARE(f.child<QLineEdit>(QLatin1String(box))->palette().color(QPalette::Base), shown);
    QCOMPARE(
        f.child<QPlainTextEdit>(QStringLiteral("Message3_Body"))->palette().color(QPalette::Base),
        shown);
    QCOMPARE(f.datumBox()->text(), f.locale.shortDate(f.today()));
    QVERIFY(f.form.FormActive);
    QVERIFY(f.updateDelay()->isActive());

    // The deferred rebuild runs once.
    f.add(f.today().addDays(2), QStringLiteral("Added by another window"));
    f.form.Update_Delay_Timer();
    QVERIFY(!f.updateDelay()->isActive());
    QVERIFY(!f.state.MessagesChanged);
    QCOMPARE(f.state.ShownCount, 1);
    QVERIFY(f.showDelay()->isActive());

    f.form.Form_Deactivate();
    QVERIFY(!f.form.FormActive);
    f.form.Form_Activate();
    QVERIFY(!f.updateDelay()->isActive());
}

void TestMainFormClock::iconTexts_data()
{
    QTest::addColumn<QTime>("now");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("perSecond");
    QTest::addColumn<QString>("time");

    QTest::newRow("colon blinks off")
        << QTime(9, 5, 7) << QStringLiteral("09:05") << true << QStringLiteral("09 05");
    QTest::newRow("colon blinks on")
        << QTime(9, 5, 8) << QStringLiteral("09 05") << true << QStringLiteral("09:05");
    QTest::newRow("on the minute")
        << QTime(23, 0, 0) << QStringLiteral("22:59") << true << QStringLiteral("23:00");
    QTest::newRow("per minute") << QTime(9, 5, 7) << QStringLiteral("09:04") << false
                                << QStringLiteral("09:05");
}

void TestMainFormClock::iconTexts()
{
    QFETCH(QTime, now);
    QFETCH(QString, shown);
    QFETCH(bool, perSecond);
    QFETCH(QString, time);
    QCOMPARE(iconTimeText(now, shown, perSecond), time);
    QCOMPARE(iconDateText(QDate(2026, 3, 15), DateLocale(QLocale(QLocale::English))),
             QStringLiteral("Sun, Mar 15"));
}

QTEST_MAIN(TestMainFormClock)
#include "tst_mainform_clock.moc"
