// Start-up to a filled board, for timing the whole process: what the program's main() does, in a
// prepared folder (settings, a full message file, the sounds) with a lock of its own, ending as
// soon as the board's first page has been drawn.
//
//   bench_startup_board FOLDER            the start-up, quiet
//   bench_startup_board FOLDER --split    the same, with where the time went on standard error
//   bench_startup_board FOLDER --store    settings, load and board build alone, each timed cold
//   bench_startup_board FOLDER --window   the same window without its start-up: no settings, no
//                                         messages, no board; ends at the first paint of its
//                                         empty page label
#include "BenchSupport.h"
#include "DateLocale.h"
#include "MainForm.h"
#include "ProgramFolder.h"
#include "QtSound.h"
#include "Recurrence.h"
#include "Settings.h"
#include "SingleInstance.h"
#include "Startup.h"
#include "TickTimer.h"
#include "WindowUserInterface.h"

#include <QApplication>
#include <QAudioDevice>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QLabel>
#include <QMediaDevices>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>

using namespace kelvaro;

namespace {

QElapsedTimer sinceMain;

void mark(bool on, const char* what)
{
    if (on)
        std::fprintf(stderr, "%8.2f ms  %s\n", double(sinceMain.nsecsElapsed()) / 1e6, what);
}

// Ends the event loop at the first paint of the page label after it has left "Page 0 of 0": the
// first page is then filled and on the screen.
class FirstPageWatch final : public QObject {
public:
    FirstPageWatch(QLabel* label, bool split, bool anyPage)
        : m_label(label), m_split(split), m_anyPage(anyPage)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_label && event->type() == QEvent::Paint && !m_done &&
            (m_anyPage || m_label->text() != u"Page 0 of 0")) {
            m_done = true;
            mark(m_split, "first page drawn");
            // Queued, so the paint in progress reaches the screen first. exit(), not quit(): quit()
            // closes the windows, and closing the main window runs its exit sequence.
            QMetaObject::invokeMethod(
                qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QLabel* m_label;
    bool m_split;
    bool m_anyPage;
    bool m_done = false;
};

// Settings, message file and board build on their own, each the first of its kind in the
// process, as at start-up.
int timeStoreAlone(const QString& folder)
{
    SharedState state;
    SystemClock clock;
    bench::QuietUi ui;
    mark(true, "start");
    DateLocale locale;
    mark(true, "system locale");
    StoreContext ctx{state, clock, locale, ui};
    state.AppDir = folder + u'/';
    state.OptionsFile = state.AppDir + QStringLiteral("Kelvaro.dat");
    ReadOptions(ctx);
    mark(true, "settings read");
    LoadMessages(ctx);
    mark(true, "messages loaded");
    BuildShownList(ctx);
    mark(true, "display list built (roll forward, sort)");
    return state.ShownCount > 0 ? 0 : 1;
}

// With --split, every event that takes a millisecond or more is named with its time, so the
// time between the marks can be put down to the handler that took it.
class TimedApplication final : public QApplication {
public:
    TimedApplication(int& argc, char** argv, bool timed) : QApplication(argc, argv), m_timed(timed)
    {
    }

    bool notify(QObject* receiver, QEvent* event) override
    {
        if (!m_timed || m_depth > 0)
            return QApplication::notify(receiver, event);
        const qint64 start = sinceMain.nsecsElapsed();
        const int type = event->type();
        ++m_depth;
        const bool result = QApplication::notify(receiver, event);
        --m_depth;
        const qint64 took = sinceMain.nsecsElapsed() - start;
        if (took >= 1000000)
            std::fprintf(stderr, "%8.2f ms    event %d to %s \"%s\" took %.2f ms\n",
                         double(start + took) / 1e6, type, receiver->metaObject()->className(),
                         qPrintable(receiver->objectName()), double(took) / 1e6);
        return result;
    }

private:
    bool m_timed;
    int m_depth = 0;
};

} // namespace

int main(int argc, char* argv[])
{
    sinceMain.start();
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER [--split|--store|--window]\n", argv[0]);
        return 2;
    }
    const QString given = QString::fromLocal8Bit(argv[1]);
    const bool split = argc > 2 && qstrcmp(argv[2], "--split") == 0;
    const bool storeOnly = argc > 2 && qstrcmp(argv[2], "--store") == 0;
    const bool windowOnly = argc > 2 && qstrcmp(argv[2], "--window") == 0;

    TimedApplication app(argc, argv, split);
    QApplication::setApplicationName(QStringLiteral("Kelvaro"));
    QApplication::setQuitOnLastWindowClosed(false);
    mark(split || storeOnly, "application (display connection)");
    // As the program finds its folder: the given one when it can be written, which is tried.
    const QString folder =
        ProgramFolder(given, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    if (storeOnly)
        return timeStoreAlone(folder);

    if (split) {
        // Costs any window with text or sound pays, taken up front so they show on lines of
        // their own rather than inside the window's construction and its first page.
        QFontMetrics(QApplication::font()).horizontalAdvance(QStringLiteral("Kelvaro"));
        mark(split, "first font loaded");
        QMediaDevices::audioOutputs();
        mark(split, "sound devices listed");
    }
    SharedState state;
    SystemClock clock;
    DateLocale locale;
    QtSound sound;
    WindowUserInterface ui(state, sound);
    SingleInstance instance(folder + QStringLiteral("/bench.lock"));
    mark(split, "services");
    MainForm form(state, clock, locale, sound, ui);
    ui.setMainForm(&form);
    mark(split, "main window built");

    auto* pageNumber = form.findChild<QLabel*>(QStringLiteral("PageNumber"));
    auto* updateDelay = form.findChild<QTimer*>(QStringLiteral("Update_Delay"));
    auto* showDelay = form.findChild<TickTimer*>(QStringLiteral("Show_Delay"));
    if (!pageNumber || !updateDelay || !showDelay) {
        std::fprintf(stderr, "the main window has no page label or board timers\n");
        return 2;
    }
    FirstPageWatch watch(pageNumber, split, windowOnly);
    pageNumber->installEventFilter(&watch);
    if (windowOnly) {
        form.show();
        return QApplication::exec();
    }
    // Connected after the window's own handlers, so these run once the handler is done.
    QObject::connect(updateDelay, &QTimer::timeout, &form,
                     [split] { mark(split, "board rebuilt (display list, counts)"); });
    bool filled = false;
    QObject::connect(showDelay, &TickTimer::tick, &form, [split, &filled] {
        if (!filled)
            mark(split, "first page filled");
        filled = true;
    });

    if (!form.Form_Load(QCoreApplication::arguments(), folder, instance)) {
        std::fprintf(stderr, "the start-up ended early: is %s prepared?\n", argv[1]);
        return 1;
    }
    mark(split, "loaded (lock, settings, messages)");
    form.show();
    mark(split, "shown");
    const int result = QApplication::exec();
    mark(split, "event loop left");
    if (state.ShownCount == 0) {
        std::fprintf(stderr, "the board is empty: is %s prepared?\n", argv[1]);
        return 1;
    }
    return result;
}
