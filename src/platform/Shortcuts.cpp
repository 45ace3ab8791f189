#include "Shortcuts.h"

#include "DesktopEntry.h"
#include "MessageFile.h"

#include <QFile>
#include <QFileInfo>

namespace kelvaro {

namespace {

const QString TemporaryName = QStringLiteral("Kelvaro Temporary");

QString entryPath(const QString& folder, const QString& fileName)
{
    return folder + u'/' + fileName + QStringLiteral(".desktop");
}

bool isFolder(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

// The write's own result is not looked at: the desktop entry shows by being there to move, and
// the startup entry goes into a folder just found to exist, where little is left to fail.
void createEntry(const QString& folder, const QString& fileName, const QString& target,
                 const QStringList& arguments)
{
    QString error;
    writeDesktopEntry(folder, fileName, ShortcutName, target, arguments, &error);
}

} // namespace

qint32 FolderIdFromIndex(int n)
{
    if (n < 2)
        return 0;
    if (n < 12)
        return n;
    return n + 4;
}

void GetSystemDirs(SharedState& state, UserInterface& ui, const SpecialFolders& folders)
{
    for (int n = 2; n <= 12; ++n) {
        const std::optional<QString> folder = folders.location(FolderIdFromIndex(n));
        switch (n) {
        case 2:
            state.ProgramsDir = folder.value_or(QString());
            break;
        case 7:
            state.StartupDir = folder.value_or(QString());
            if (!folder)
                ui.messageBox(QStringLiteral("Error: Startup folder not found"), UserInterface::Ok);
            break;
        case 12:
            state.DesktopDir = folder.value_or(QString());
            if (!folder)
                ui.messageBox(QStringLiteral("Error: Desktop folder not found"), UserInterface::Ok);
            break;
        default:
            break;
        }
    }
}

void CreateStartupShortcut(SharedState& state, UserInterface& ui, const QString& target)
{
    if (!QFileInfo(target).isFile()) {
        ui.messageBox(QStringLiteral("Exceptional error! The file: ") + target +
                          QStringLiteral(" was not found. Could not create shortcut to startup "
                                         "folder."),
                      UserInterface::Critical);
        return;
    }
    if (FileExists(entryPath(state.StartupDir, ShortcutName))) {
        ui.messageBox(QStringLiteral("Shortcut to Startup folder already exists, no need to create "
                                     "another one..."),
                      UserInterface::Ok);
        return;
    }
    if (!isFolder(state.StartupDir)) {
        ui.messageBox(QStringLiteral("Unable to create shortcut. Startup folder not found"),
                      UserInterface::Critical);
        return;
    }
    createEntry(state.StartupDir, ShortcutName, target, {QStringLiteral("Startup")});
    ui.showNotice(QStringLiteral("Shortcut to Startup folder created."));
}

void CreateDesktopShortcut(SharedState& state, UserInterface& ui, const QString& target)
{
    if (!QFileInfo(target).isFile()) {
        ui.messageBox(QStringLiteral("Exceptional error! The file: ") + target +
                          QStringLiteral(" was not found. Could not create shortcut on the "
                                         "desktop."),
                      UserInterface::Critical);
        return;
    }
    const QString onDesktop = entryPath(state.DesktopDir, ShortcutName);
    if (FileExists(onDesktop)) {
        ui.messageBox(QStringLiteral("Shortcut to Desktop already exists, no need to create "
                                     "another one..."),
                      UserInterface::Ok);
        return;
    }
    if (!isFolder(state.DesktopDir)) {
        ui.messageBox(QStringLiteral("Unable to create shortcut. Desktop folder not found"),
                      UserInterface::Critical);
        return;
    }
    createEntry(state.ProgramsDir, TemporaryName, target, {});
    const QString temporary = entryPath(state.ProgramsDir, TemporaryName);
    if (isFolder(state.ProgramsDir) && QFileInfo::exists(temporary) &&
        !QFileInfo::exists(onDesktop))
        QFile::rename(temporary, onDesktop);
    if (isFolder(state.ProgramsDir) && QFileInfo::exists(temporary))
        QFile::remove(temporary);
}

} // namespace kelvaro
