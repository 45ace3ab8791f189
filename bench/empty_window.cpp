// The yardstick for the start-up: an empty Qt window, shown and ended at its first paint.
//
//   bench_empty_window            quiet
//   bench_empty_window --split    with where the time went on standard error
#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <cstdio>

namespace {

QElapsedTimer sinceMain;

void mark(bool on, const char* what)
{
    if (on)
        std::fprintf(stderr, "%8.2f ms  %s\n", double(sinceMain.nsecsElapsed()) / 1e6, what);
}

class EmptyWindow final : public QWidget {
public:
    explicit EmptyWindow(bool split) : m_split(split) {}

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QWidget::paintEvent(event);
        if (m_done)
            return;
        m_done = true;
        mark(m_split, "first paint");
        QMetaObject::invokeMethod(
            qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    }

private:
    bool m_split;
    bool m_done = false;
};

} // namespace

int main(int argc, char* argv[])
{
    sinceMain.start();
    const bool split = argc > 1 && qstrcmp(argv[1], "--split") == 0;
    QApplication app(argc, argv);
    mark(split, "application (display connection)");
    EmptyWindow window(split);
    // The main window's size, so both draw and send the same number of pixels.
    window.resize(638, 407);
    window.show();
    mark(split, "shown");
    const int result = QApplication::exec();
    mark(split, "event loop left");
    return result;
}
