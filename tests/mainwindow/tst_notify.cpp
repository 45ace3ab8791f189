#include "Notify.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <algorithm>

using namespace kelvaro;

class TestNotify : public QObject {
    Q_OBJECT

private slots:
    void window();
    void keysDoNothingTimerCloses_data();
    void keysDoNothingTimerCloses();
    void showNoticeWaitsForTheTimer();
};

void TestNotify::window()
{
    Notify notify;
    notify.setText(QStringLiteral("Option file not found. Creating one..."));

    QCOMPARE(notify.windowTitle(), QStringLiteral("Kelvaro"));
    QVERIFY(notify.isModal());
    const Qt::WindowFlags flags = notify.windowFlags();
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(notify.windowType(), Qt::Tool);
    // 4455 x 945 twips at the screen's resolution, and not to be resized.
    const qreal dpi = notify.screen()->logicalDotsPerInchX();
    QCOMPARE(notify.minimumSize(), notify.maximumSize());
    QCOMPARE(notify.width(), qRound(4455 * dpi / 1440));
    QCOMPARE(notify.height(), qRound(945 * notify.screen()->logicalDotsPerInchY() / 1440));

    auto* text = notify.findChild<QLabel*>(QStringLiteral("Text1"));
    QVERIFY(text);
    QCOMPARE(text->text(), QStringLiteral("Option file not found. Creating one..."));
    QCOMPARE(text->alignment(), Qt::AlignCenter);
    auto* timer = notify.findChild<QTimer*>(QStringLiteral("Timer1"));
    QVERIFY(timer);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 2000);
    // The focus holder lies below the client area, out of sight.
    auto* fakeButton = notify.findChild<QPushButton*>(QStringLiteral("FakeButton"));
    QVERIFY(fakeButton);
    QVERIFY(fakeButton->y() >= notify.height());
}

void TestNotify::keysDoNothingTimerCloses_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addRow("Enter") << Qt::Key_Return;
    QTest::addRow("keypad Enter") << Qt::Key_Enter;
    QTest::addRow("Space") << Qt::Key_Space;
    QTest::addRow("Escape") << Qt::Key_Escape;
}

void TestNotify::keysDoNothingTimerCloses()
{
    QFETCH(Qt::Key, key);
    Notify notify;
    notify.setText(QStringLiteral("Message file found. Loading..."));
    notify.show();
    QApplication::setActiveWindow(&notify);
    QVERIFY(QTest::qWaitForWindowActive(&notify));
    auto* fakeButton = notify.findChild<QPushButton*>(QStringLiteral("FakeButton"));
    QCOMPARE(QApplication::focusWidget(), fakeButton);

    QTest::keyClick(QApplication::focusWidget(), key);
    QTest::keyClick(&notify, key);

    QVERIFY(notify.isVisible());
    QCOMPARE(notify.result(), int(QDialog::Rejected));
    auto* timer = notify.findChild<QTimer*>(QStringLiteral("Timer1"));
    QVERIFY(timer->isActive());

    notify.Timer1_Timer();

    QVERIFY(!notify.isVisible());
    QCOMPARE(notify.result(), int(QDialog::Accepted));
    QVERIFY(!timer->isActive());
}

void TestNotify::showNoticeWaitsForTheTimer()
{
    QString shownText;
    bool wasModal = false;
    QRect frame;
    QSize client;
    QRect screen;
    QTimer::singleShot(0, qApp, [&] {
        auto* notice = qobject_cast<Notify*>(QApplication::activeModalWidget());
        QVERIFY(notice);
        shownText = notice->findChild<QLabel*>(QStringLiteral("Text1"))->text();
        wasModal = notice->isModal() && notice->isVisible();
        frame = notice->frameGeometry();
        client = notice->size();
        screen = notice->screen()->geometry();
        // The notice's own timer, made short, is what ends it.
        notice->findChild<QTimer*>(QStringLiteral("Timer1"))->setInterval(10);
    });
    QElapsedTimer elapsed;
    elapsed.start();

    ShowNotice(QStringLiteral("Shortcut to Startup folder created."));

    QVERIFY(elapsed.elapsed() < 1500);
    QCOMPARE(shownText, QStringLiteral("Shortcut to Startup folder created."));
    QVERIFY(wasModal);
    // Centred before it is shown, when the frame the window manager adds is not known yet.
    QVERIFY(qAbs(frame.x() - (screen.x() + (screen.width() - frame.width()) / 2)) <=
            frame.width() - client.width());
    QVERIFY(qAbs(frame.y() - (screen.y() + (screen.height() - frame.height()) / 2)) <=
            frame.height() - client.height());
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(QApplication::topLevelWidgets().isEmpty() ||
            std::none_of(QApplication::topLevelWidgets().cbegin(),
                         QApplication::topLevelWidgets().cend(),
                         [](QWidget* w) { return qobject_cast<Notify*>(w); }));
}

QTEST_MAIN(TestNotify)
#include "tst_notify.moc"
