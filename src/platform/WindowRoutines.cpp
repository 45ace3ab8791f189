#include "WindowRoutines.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace kelvaro {

void SetOnTop(QWidget* window, bool on)
{
    window = window->window();
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on)
        return;
    // Not QWidget::setWindowFlags: it re-creates the window, which hides it (ending a dialog's
    // exec()) and lets the window manager place it anew. The hint goes to the native window as
    // it is; a window not yet created takes the widget's flags when it is.
    window->overrideWindowFlags(window->windowFlags().setFlag(Qt::WindowStaysOnTopHint, on));
    if (QWindow* handle = window->windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, on);
}

void Delay(qint32 milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    Delay(milliseconds, [&timer] { return timer.elapsed(); });
}

void Delay(qint32 milliseconds, const std::function<qint64()>& tick)
{
    const qint64 end = tick() + milliseconds;
    for (qint64 now = tick(); now < end; now = tick()) {
        if (now + 1000 < end)
            QCoreApplication::processEvents();
    }
}

void CenterForm(QWidget* window)
{
    window = window->window();
    if (window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    // A window not shown yet is given now the size show() would give it, so that is what is
    // centred.
    if (!window->isVisible() && !window->testAttribute(Qt::WA_Resized))
        window->adjustSize();
    // The whole screen, as the window's own frame counts in its size; integer halves as the
    // positions are whole pixels.
    const QRect area = screen->geometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.x() + (area.width() - size.width()) / 2,
                 area.y() + (area.height() - size.height()) / 2);
}

void UnloadAllForms(const QWidget* keep)
{
    QList<QPointer<QWidget>> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        switch (widget->windowType()) {
        case Qt::Window:
        case Qt::Dialog:
        case Qt::Sheet:
        case Qt::Drawer:
        case Qt::Tool:
        case Qt::SplashScreen:
            // A hidden window is still open (a countdown alarm keeps running while hidden).
            if (widget != keep)
                windows << widget;
            break;
        default:
            // Pop-up menus, tooltips and the desktop are Qt's own, not windows of the program.
            break;
        }
    }
    // Closing one window may delete another.
    for (const QPointer<QWidget>& window : windows) {
        if (window)
            window->close();
    }
}

} // namespace kelvaro
