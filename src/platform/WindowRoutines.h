#pragma once

#include <QtGlobal>
#include <functional>

class QWidget;

namespace kelvaro {

// Keeps window above all others (on) or puts it back among them (off). Only the stacking
// changes: position, size, visibility and a running exec() of a dialog stay as they are.
void SetOnTop(QWidget* window, bool on);

// Returns after milliseconds. While more than a second remains the window system's events are
// handled; the last second is waited out without them, so nothing the user does in it runs.
void Delay(qint32 milliseconds);
// The same wait measured by tick, a rising millisecond count; lets a test run it on its own clock.
void Delay(qint32 milliseconds, const std::function<qint64()>& tick);

// Centres window on its screen when it is neither minimized, maximized nor full screen.
void CenterForm(QWidget* window);

// Closes every window of the program except keep (the main window closing them from its own
// close). Each window gets its close event, so one with unsaved work can still ask about it.
void UnloadAllForms(const QWidget* keep = nullptr);

} // namespace kelvaro
