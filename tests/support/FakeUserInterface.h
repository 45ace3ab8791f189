#pragma once

#include "UserInterface.h"

#include <QList>
#include <QStringList>

namespace kelvaro::test {

// Records every box and notice the store shows and answers from a script, so no test ever meets
// a real window.
class FakeUserInterface final : public UserInterface {
public:
    struct Box {
        QString text;
        int style = 0;
        QString title;
    };

    Answer messageBox(const QString& text, int style, const QString& title = {}) override
    {
        boxes.append({text, style, title});
        if (!answers.isEmpty())
            return answers.takeFirst();
        const int buttons = style & 7;
        return buttons == YesNo ? Answer::Yes : buttons == RetryCancel ? Answer::Retry : Answer::Ok;
    }
    void showNotice(const QString& text) override { notices.append(text); }
    void setBusy(bool busy) override
    {
        busyDepth += busy ? 1 : -1;
        maxBusyDepth = std::max(maxBusyDepth, busyDepth);
    }
    void updateBoard() override { ++boardUpdates; }
    void closeClockIcon() override { calls << QStringLiteral("closeClockIcon"); }
    void showFilePicker() override { calls << QStringLiteral("showFilePicker"); }
    void getSystemDirs() override { calls << QStringLiteral("getSystemDirs"); }
    void createStartupShortcut() override { calls << QStringLiteral("createStartupShortcut"); }
    void createDesktopShortcut() override { calls << QStringLiteral("createDesktopShortcut"); }
    int audioOutputCount() override { return audioOutputs; }
    QSize screenSize() override { return screen; }

    QStringList boxTexts() const
    {
        QStringList texts;
        for (const Box& box : boxes)
            texts << box.text;
        return texts;
    }

    QList<Answer> answers; // scripted answers, first one used first
    QList<Box> boxes;
    QStringList notices;
    int busyDepth = 0;
    int maxBusyDepth = 0;
    int boardUpdates = 0;
    QStringList calls;    // the desktop services asked for, in order
    int audioOutputs = 1; // what audioOutputCount() answers
    QSize screen{1920, 1080};
};

} // namespace kelvaro::test
