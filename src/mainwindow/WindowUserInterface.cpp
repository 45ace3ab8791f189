#include "WindowUserInterface.h"

#include "MainForm.h"
#include "Notify.h"
#include "Shortcuts.h"
#include "Sound.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

namespace kelvaro {

namespace {

QMessageBox::Icon iconOf(int style)
{
    switch (style & 0x70) {
    case UserInterface::Critical:
        return QMessageBox::Critical;
    case UserInterface::Question:
        return QMessageBox::Question;
    case UserInterface::Exclamation:
        return QMessageBox::Warning;
    case UserInterface::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// The buttons in the order they stand, the first being the default.
QList<QMessageBox::StandardButton> buttonsOf(int style)
{
    switch (style & 7) {
    case UserInterface::OkCancel:
        return {QMessageBox::Ok, QMessageBox::Cancel};
    case UserInterface::YesNo:
        return {QMessageBox::Yes, QMessageBox::No};
    case UserInterface::RetryCancel:
        return {QMessageBox::Retry, QMessageBox::Cancel};
    default:
        return {QMessageBox::Ok};
    }
}

UserInterface::Answer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Cancel:
        return UserInterface::Answer::Cancel;
    case QMessageBox::Yes:
        return UserInterface::Answer::Yes;
    case QMessageBox::No:
        return UserInterface::Answer::No;
    case QMessageBox::Retry:
        return UserInterface::Answer::Retry;
    default:
        return UserInterface::Answer::Ok;
    }
}

} // namespace

WindowUserInterface::WindowUserInterface(SharedState& state, Sound& sound)
    : m_state(state), m_sound(sound)
{
}

void WindowUserInterface::setMainForm(MainForm* form)
{
    m_mainForm = form;
}

QWidget* WindowUserInterface::boxParent() const
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    // A minimized main window is hidden; a box over it would not be seen.
    if (m_mainForm && m_mainForm->isVisible() && !m_mainForm->isMinimized())
        return m_mainForm;
    return nullptr;
}

UserInterface::Answer WindowUserInterface::messageBox(const QString& text, int style,
                                                      const QString& title)
{
    QMessageBox box(iconOf(style), title.isEmpty() ? QStringLiteral("Kelvaro") : title, text,
                    QMessageBox::NoButton, boxParent());
    const QList<QMessageBox::StandardButton> buttons = buttonsOf(style);
    for (QMessageBox::StandardButton button : buttons)
        box.addButton(button);
    box.setDefaultButton(buttons.first());
    // Closing the box answers like its last button: No, Cancel, or the only OK.
    box.setEscapeButton(buttons.last());
    return answerOf(box.exec());
}

void WindowUserInterface::showNotice(const QString& text)
{
    ShowNotice(text, boxParent());
}

void WindowUserInterface::setBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void WindowUserInterface::updateBoard()
{
    if (m_mainForm)
        m_mainForm->UpdateBoard();
}

void WindowUserInterface::closeClockIcon()
{
    // The desktop clock icon is not part of the program yet: there is never one to close.
}

void WindowUserInterface::showFilePicker()
{
    // The file picker is not part of the program yet: nothing opens, and the Pick flags stay set
    // for it.
}

void WindowUserInterface::getSystemDirs()
{
    GetSystemDirs(m_state, *this, m_folders);
}

void WindowUserInterface::createStartupShortcut()
{
    CreateStartupShortcut(m_state, *this);
}

void WindowUserInterface::createDesktopShortcut()
{
    CreateDesktopShortcut(m_state, *this);
}

int WindowUserInterface::audioOutputCount()
{
    return m_sound.outputDeviceCount();
}

QSize WindowUserInterface::screenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

} // namespace kelvaro
