#pragma once

#include <QByteArray>
#include <QString>

namespace kelvaro {

// Replaces the file at path with bytes in one step: a crash, a full disk or a killed process
// leaves either the old file or the new one, never a mix. On failure returns false and sets
// *error to a reason a person can read.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error);

// Copies a file the program could not read fully to a free name beside it ("name.bak",
// "name.bak2", ...) before anything can overwrite it. Returns the copy's path, or an empty
// string when no copy could be made.
QString keepCopyAside(const QString& path);

} // namespace kelvaro
