#pragma once

#include <QString>
#include <QStringList>

namespace kelvaro {

// The Exec value of a desktop entry that starts program with arguments: each argument quoted
// where the desktop's launcher would otherwise split or interpret it, '%' doubled so that no
// field code is expanded, and backslashes escaped once more for the file's string syntax.
QString desktopEntryExec(const QString& program, const QStringList& arguments);

// The text of a desktop entry named name that starts program with arguments.
QByteArray desktopEntryText(const QString& name, const QString& program,
                            const QStringList& arguments);

// Writes "<fileName>.desktop" into folder in one step, the entry showing as name. The owner may
// run it, as desktops ask of a launcher on the desktop before they trust it. Returns false and sets
// *error when the entry could not be written.
bool writeDesktopEntry(const QString& folder, const QString& fileName, const QString& name,
                       const QString& program, const QStringList& arguments, QString* error);

} // namespace kelvaro
