#include "ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace kelvaro {

namespace {

const QStringList DefaultSounds{QStringLiteral("Bbbbeep.wav"), QStringLiteral("pong.wav")};

} // namespace

bool folderIsWritable(const QString& folder)
{
    // Trying is the only sure test: permission bits say nothing about a read-only mount or an
    // access list.
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".kelvaro-XXXXXX")));
    return QFileInfo(folder).isDir() && probe.open();
}

void copyDefaultSounds(const QString& from, const QString& to)
{
    for (const QString& name : DefaultSounds) {
        const QString source = QDir(from).filePath(name);
        const QString target = QDir(to).filePath(name);
        if (QFileInfo::exists(source) && !QFileInfo::exists(target))
            QFile::copy(source, target);
    }
}

QString ProgramFolder(const QString& executableFolder, const QString& userDataFolder)
{
    if (folderIsWritable(executableFolder))
        return QDir::cleanPath(executableFolder);
    QDir().mkpath(userDataFolder);
    copyDefaultSounds(executableFolder, userDataFolder);
    return QDir::cleanPath(userDataFolder);
}

} // namespace kelvaro
