#pragma once

#include <QString>

namespace kelvaro {

// The text after the last path separator; the whole text when it has none.
QString FileNameOf(const QString& path);

// The file name at the end of a path kept in a file, which may have been written on Windows: there
// a backslash separates folders too, where this system would take it for part of the name.
QString FileNameOfStoredPath(const QString& path);

// The folder of an existing file, up to and including its last separator. For a path that names no
// existing file, or has no separator, the program's folder appDir without its trailing separator
// (the root folder keeps its one).
QString FolderOf(const QString& path, const QString& appDir);

// A path of at most width characters unchanged; a longer one keeps its root, then "...", then the
// tail that starts at the first separator among its last characters, so that the result fits width.
QString ShortenPath(const QString& path, int width);

// text without the first occurrence of part (case-sensitive); text unchanged when part is absent.
QString RemoveText(const QString& text, const QString& part);

} // namespace kelvaro
