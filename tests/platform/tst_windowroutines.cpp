#include "WindowRoutines.h"

#include <QCloseEvent>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

using namespace kelvaro;

namespace {

// Counts its close events and, when told to, refuses them (unsaved work the user keeps).
template <typename Base> class Closable : public Base {
public:
    int closeEvents = 0;
    bool refuse = false;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        ++closeEvents;
        if (refuse)
            event->ignore();
        else
            Base::closeEvent(event);
    }
};

} // namespace

class TestWindowRoutines : public QObject {
    Q_OBJECT

private slots:
    void setOnTop_data();
    void setOnTop();
    void setOnTopKeepsDialogOpen();
    void delayHandlesEventsUntilTheLastSecond();
    void delayWaitsRealTime();
    void centerForm_data();
    void centerForm();
    void centerFormBeforeShow();
    void unloadAllForms();
};

void TestWindowRoutines::setOnTop_data()
{
    QTest::addColumn<bool>("shown");
    QTest::addRow("shown window") << true;
    QTest::addRow("window not shown yet") << false;
}

void TestWindowRoutines::setOnTop()
{
    QFETCH(bool, shown);
    QWidget window;
    window.setGeometry(130, 90, 321, 123);
    if (shown) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    const QRect geometry = window.geometry();

    for (bool on : {true, false, false}) {
        SetOnTop(&window, on);
        QCOMPARE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint), on);
        if (window.windowHandle())
            QCOMPARE(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), on);
        QCOMPARE(window.geometry(), geometry);
        QCOMPARE(window.isVisible(), shown);
    }
    SetOnTop(&window, true);
    window.show();
    QVERIFY(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(window.geometry(), geometry);
}

void TestWindowRoutines::setOnTopKeepsDialogOpen()
{
    QDialog dialog;
    bool visibleAfter = false;
    QTimer::singleShot(0, &dialog, [&dialog, &visibleAfter] {
        SetOnTop(&dialog, true);
        QTimer::singleShot(0, &dialog, [&dialog, &visibleAfter] {
            visibleAfter = dialog.isVisible();
            dialog.done(42);
        });
    });
    // Had the dialog been hidden on the way, exec() would have ended early with 0.
    QCOMPARE(dialog.exec(), 42);
    QVERIFY(visibleAfter);
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

void TestWindowRoutines::delayHandlesEventsUntilTheLastSecond()
{
    qint64 now = 5000;
    QList<qint64> handledAt;
    QObject receiver;
    bool pending = false;
    // Every reading of the clock moves it on 100 ms and leaves one event waiting to be handled,
    // which records when it ran.
    auto tick = [&] {
        if (!pending) {
            pending = true;
            QMetaObject::invokeMethod(
                &receiver,
                [&] {
                    pending = false;
                    handledAt << now;
                },
                Qt::QueuedConnection);
        }
        return now += 100;
    };

    Delay(3000, tick);

    const qint64 end = 5100 + 3000;
    QVERIFY(now >= end);
    QVERIFY(now < end + 200);
    QVERIFY(!handledAt.isEmpty());
    QVERIFY(handledAt.first() < 5500);
    // Events are handled only while more than a second remains.
    QVERIFY2(handledAt.last() < end - 1000, qPrintable(QString::number(handledAt.last())));
    QVERIFY(handledAt.last() >= end - 1200);
    QCoreApplication::processEvents();

    handledAt.clear();
    const qint64 before = now;
    Delay(0, tick);
    Delay(-5, tick);
    QVERIFY(handledAt.isEmpty());
    QVERIFY(now - before <= 400);
    QCoreApplication::processEvents();
}

void TestWindowRoutines::delayWaitsRealTime()
{
    QElapsedTimer timer;
    timer.start();
    Delay(50);
    QVERIFY(timer.elapsed() >= 50);
}

void TestWindowRoutines::centerForm_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<Qt::WindowState>("windowState");
    QTest::addColumn<bool>("centred");
    QTest::addRow("even size") << QSize(400, 300) << Qt::WindowNoState << true;
    QTest::addRow("odd size") << QSize(401, 301) << Qt::WindowNoState << true;
    QTest::addRow("minimized") << QSize(400, 300) << Qt::WindowMinimized << false;
    QTest::addRow("maximized") << QSize(400, 300) << Qt::WindowMaximized << false;
}

void TestWindowRoutines::centerForm()
{
    QFETCH(QSize, size);
    QFETCH(Qt::WindowState, windowState);
    QFETCH(bool, centred);

    QWidget window;
    window.setFixedSize(size);
    window.move(3, 7);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setWindowState(windowState);
    const QPoint before = window.pos();
    const QRect screen = window.screen()->geometry();
    // The frame is part of what is centred.
    const QSize outer = window.frameGeometry().size();

    CenterForm(&window);

    const QPoint middle(screen.x() + (screen.width() - outer.width()) / 2,
                        screen.y() + (screen.height() - outer.height()) / 2);
    QCOMPARE(window.pos(), centred ? middle : before);
}

void TestWindowRoutines::centerFormBeforeShow()
{
    // A window whose size comes from its contents is centred with the size it will show with.
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* label = new QLabel(QStringLiteral("A notice"), &window);
    label->setMinimumSize(333, 111);
    layout->addWidget(label);

    CenterForm(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QRect screen = window.screen()->geometry();
    const QRect frame = window.frameGeometry();
    QVERIFY(frame.width() >= 333);
    // The frame a window manager adds at show() is not known before; it may shift the window
    // by its own width.
    const int slackX = frame.width() - window.width();
    const int slackY = frame.height() - window.height();
    QVERIFY(qAbs(frame.x() - (screen.x() + (screen.width() - frame.width()) / 2)) <= slackX);
    QVERIFY(qAbs(frame.y() - (screen.y() + (screen.height() - frame.height()) / 2)) <= slackY);
}

void TestWindowRoutines::unloadAllForms()
{
    Closable<QWidget> mainWindow;
    mainWindow.show();
    auto* dialog = new Closable<QDialog>;
    dialog->show();
    auto* hidden = new Closable<QWidget>; // still open, only out of sight
    auto* discarded = new Closable<QWidget>;
    discarded->setAttribute(Qt::WA_DeleteOnClose);
    discarded->show();
    QPointer<QWidget> discardedGuard = discarded;
    auto* keepsWork = new Closable<QWidget>;
    keepsWork->refuse = true;
    keepsWork->show();
    Closable<QMenu> trayMenu;

    UnloadAllForms(&mainWindow);

    QCOMPARE(mainWindow.closeEvents, 0);
    QVERIFY(mainWindow.isVisible());
    QCOMPARE(dialog->closeEvents, 1);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(hidden->closeEvents, 1);
    QCOMPARE(keepsWork->closeEvents, 1);
    QVERIFY(keepsWork->isVisible());
    QCOMPARE(trayMenu.closeEvents, 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(discardedGuard.isNull());

    UnloadAllForms();
    QCOMPARE(mainWindow.closeEvents, 1);
    QVERIFY(!mainWindow.isVisible());

    delete dialog;
    delete hidden;
    delete keepsWork;
}

QTEST_MAIN(TestWindowRoutines)
#include "tst_windowroutines.moc"
