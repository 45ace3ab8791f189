#pragma once

#include "SharedState.h"
#include "SpecialFolders.h"
#include "UserInterface.h"

#include <QCoreApplication>
#include <QString>

namespace kelvaro {

// The special-folder id asked for at step n of GetSystemDirs: 0 below 2, n from 2 to 11, and
// n + 4 from 12 on (so 12 asks for the desktop, 16).
qint32 FolderIdFromIndex(int n);

// Fills ProgramsDir, StartupDir and DesktopDir from the desktop's folders; a folder the desktop
// does not have leaves its value empty and, for Startup and Desktop, is reported in a box.
void GetSystemDirs(SharedState& state, UserInterface& ui, const SpecialFolders& folders);

// The entries' file name (".desktop" added) and the name the desktop shows for them.
inline const QString ShortcutName = QStringLiteral("Kelvaro v1.0 Beta");

// Puts an entry into StartupDir that starts target with the argument "Startup", so that the
// program starts with the desktop session and knows it was started that way. Every outcome is
// told to the user. target is the program itself unless a test names another.
void CreateStartupShortcut(SharedState& state, UserInterface& ui,
                           const QString& target = QCoreApplication::applicationFilePath());

// Puts an entry that starts target onto DesktopDir. It is made in ProgramsDir and moved from
// there, so no other entry on the desktop is ever replaced; nothing is left behind in
// ProgramsDir. Failures are told to the user, success is not.
void CreateDesktopShortcut(SharedState& state, UserInterface& ui,
                           const QString& target = QCoreApplication::applicationFilePath());

} // namespace kelvaro
