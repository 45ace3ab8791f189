#pragma once

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
};

// A user interface for programs without windows: boxes and notices go to standard error, every
// question is answered No (so nothing is removed or overwritten without a person saying so).
class ConsoleUserInterface final : public UserInterface {
public:
    Answer messageBox(const QString& text, int style, const QString& title = {}) override;
    void showNotice(const QString& text) override;
    void setBusy(bool) override {}
    void updateBoard() override {}
};

} // namespace kelvaro
