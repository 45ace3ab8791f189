#include "PathRoutines.h"

#include "MessageFile.h"

#include <algorithm>

namespace kelvaro {

namespace {

// Paths from files made on Windows may carry backslashes; on Linux a backslash is an ordinary
// character of a file name, so only '/' separates there.
bool isSeparator(QChar c)
{
#ifdef Q_OS_WIN
    return c == u'/' || c == u'\\';
#else
    return c == u'/';
#endif
}

qsizetype lastSeparator(const QString& path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (isSeparator(path.at(i)))
            return i;
    }
    return -1;
}

// What ShortenPath keeps in front of "...". On Windows that is the drive, the first three
// characters ("C:\"). On Linux it is the root "/" of an absolute path, one character; a relative
// path has no root and keeps nothing. The characters a short root saves go to the tail.
QString rootOf(const QString& path)
{
#ifdef Q_OS_WIN
    return path.left(3);
#else
    return path.startsWith(u'/') ? QStringLiteral("/") : QString();
#endif
}

} // namespace

QString FileNameOf(const QString& path)
{
    return path.mid(lastSeparator(path) + 1);
}

QString FileNameOfStoredPath(const QString& path)
{
    return path.mid(std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1);
}

QString FolderOf(const QString& path, const QString& appDir)
{
    const qsizetype last = lastSeparator(path);
    if (last >= 0 && FileExists(path))
        return path.left(last + 1);
    QString folder = appDir;
    while (folder.size() > 1 && isSeparator(folder.back()))
        folder.chop(1);
    return folder;
}

QString ShortenPath(const QString& path, int width)
{
    if (path.size() <= width)
        return path;
    const QString root = rootOf(path);
    const QString ellipsis = QStringLiteral("...");
    // The tail may take what root and "..." leave of width, and starts at a separator so that it
    // shows whole folder and file names. With no separator in that stretch nothing of the tail
    // is kept, and a width too small for root and "..." still gets both.
    const qsizetype keep = qMax<qsizetype>(0, width - root.size() - ellipsis.size());
    qsizetype start = path.size();
    for (qsizetype i = path.size() - keep; i < path.size(); ++i) {
        if (isSeparator(path.at(i))) {
            start = i;
            break;
        }
    }
    return root + ellipsis + path.mid(start);
}

QString RemoveText(const QString& text, const QString& part)
{
    const qsizetype at = part.isEmpty() ? -1 : text.indexOf(part);
    if (at < 0)
        return text;
    return text.left(at) + text.mid(at + part.size());
}

} // namespace kelvaro
