#pragma once

#include <QString>

namespace kelvaro {

// The folder the program keeps its files in. Beside the executable, as long as that folder can be
// written; an installed program's folder cannot be, and then the per-user data folder takes its
// place, created when needed and given the default sounds the first time. No trailing separator.
QString ProgramFolder(const QString& executableFolder, const QString& userDataFolder);

// Whether a file can be created in folder.
bool folderIsWritable(const QString& folder);

// Copies the default sounds that lie in from and are missing in to. A sound the user already has
// in to is kept.
void copyDefaultSounds(const QString& from, const QString& to);

} // namespace kelvaro
