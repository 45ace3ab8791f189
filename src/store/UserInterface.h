#pragma once

#include <QSize>
#include <QString>

namespace kelvaro {

// What the store asks of the user interface. The main window implements it with real message
// boxes and notices; tests script the answers and record every text shown.
class UserInterface {
public:
    // Buttons and icon of a message box, combined as in MsgBox::YesNo | MsgBox::Question (36).
    enum MsgBox : int {
        Ok = 0,
        OkCancel = 1,
        YesNo = 4,
        RetryCancel = 5,
        Critical = 16,
        Question = 32,
        Exclamation = 48,
        Information = 64,
    };
    enum class Answer { Ok, Cancel, Yes, No, Retry };

    virtual ~UserInterface() = default;

    // Shows a message box and returns the button the user chose. Title "Kelvaro" when empty.
    virtual Answer messageBox(const QString& text, int style, const QString& title = {}) = 0;
    // A self-closing notice (two seconds); returns when it has closed.
    virtual void showNotice(const QString& text) = 0;
    // The hourglass pointer while a long operation on the message table runs.
    virtual void setBusy(bool busy) = 0;
    // Rebuilds the board after the records changed.
    virtual void updateBoard() = 0;
    // Closes the desktop clock icon, so that it reappears at its default place when next shown.
    virtual void closeClockIcon() = 0;
    // Opens the file picker modally in the mode whose Pick flag is set in the shared state.
    virtual void showFilePicker() = 0;

    // What first use needs of the desktop: the special folders, the two shortcuts, the number of
    // sound output devices and the screen size in pixels.
    virtual void getSystemDirs() = 0;
    virtual void createStartupShortcut() = 0;
    virtual void createDesktopShortcut() = 0;
    virtual int audioOutputCount() = 0;
    virtual QSize screenSize() = 0;
};

// A user interface that shows nothing and answers every box with Ok, for programs that must never
// wait on a person: benchmarks and fuzzers.
class SilentUserInterface : public UserInterface {
public:
    Answer messageBox(const QString&, int, const QString& = {}) override { return Answer::Ok; }
    void showNotice(const QString&) override {}
    void setBusy(bool) override {}
    void updateBoard() override {}
    void closeClockIcon() override {}
    void showFilePicker() override {}
    void getSystemDirs() override {}
    void createStartupShortcut() override {}
    void createDesktopShortcut() override {}
    int audioOutputCount() override { return 0; }
    QSize screenSize() override { return {}; }
};

// A user interface for programs without windows: boxes and notices go to standard error, every
// question is answered No (so nothing is removed or overwritten without a person saying so).
class ConsoleUserInterface final : public SilentUserInterface {
public:
    Answer messageBox(const QString& text, int style, const QString& title = {}) override;
    void showNotice(const QString& text) override;
};

} // namespace kelvaro
