#pragma once

#include "SpecialFolders.h"
#include "UserInterface.h"

#include <QPointer>
#include <QWidget>

namespace kelvaro {

class MainForm;
class Sound;
struct SharedState;

// The store's user interface on the desktop: real message boxes, notices and the hourglass, the
// board of the main window, and the desktop's folders, shortcuts, sound and screen.
class WindowUserInterface final : public UserInterface {
public:
    WindowUserInterface(SharedState& state, Sound& sound);

    // The window whose board updateBoard() rebuilds; boxes open over it when nothing else is
    // active.
    void setMainForm(MainForm* form);

    Answer messageBox(const QString& text, int style, const QString& title = {}) override;
    void showNotice(const QString& text) override;
    void setBusy(bool busy) override;
    void updateBoard() override;
    void closeClockIcon() override;
    void showFilePicker() override;
    void getSystemDirs() override;
    void createStartupShortcut() override;
    void createDesktopShortcut() override;
    int audioOutputCount() override;
    QSize screenSize() override;

private:
    QWidget* boxParent() const;

    SharedState& m_state;
    Sound& m_sound;
    XdgSpecialFolders m_folders;
    QPointer<MainForm> m_mainForm;
};

} // namespace kelvaro
