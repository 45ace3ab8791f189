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

// Returns an empty text when the entry was written, otherwise why not. A shortcut that was not
// made is reported as such: saying "created" for it would leave the user without autostart.
QString createEntry(const QString& folder, const QString& fileName, const QString& target,
                    const QStringList& arguments)
{
    QString error;
    if (writeDesktopEntry(folder, fileName, ShortcutName, target, arguments, &error))
        return {};
    return error.isEmpty() ? QStringLiteral("unknown error") : error;
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
    const QString error =
        createEntry(state.StartupDir, ShortcutName, target, {QStringLiteral("Startup")});
    if (!error.isEmpty()) {
        ui.messageBox(
            QStringLiteral("Unable to create shortcut in the Startup folder (%1).").arg(error),
            UserInterface::Critical);
        return;
    }
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
    (void)createEntry(state.ProgramsDir, TemporaryName, target, {});
    const QString temporary = entryPath(state.ProgramsDir, TemporaryName);
    if (isFolder(state.ProgramsDir) && QFileInfo::exists(temporary) &&
        !QFileInfo::exists(onDesktop))
        QFile::rename(temporary, onDesktop);
    if (isFolder(state.ProgramsDir) && QFileInfo::exists(temporary))
        QFile::remove(temporary);
    if (!QFileInfo::exists(onDesktop))
        ui.messageBox(QStringLiteral("Unable to create shortcut on the desktop."),
                      UserInterface::Critical);
}

} // namespace kelvaro
