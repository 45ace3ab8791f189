#include "FileSafety.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace kelvaro {

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    // Unbuffered, so that a full disk fails the write itself: a buffered file smaller than the
    // buffer meets the error only while being committed, which then still replaces the old file
    // with an empty one and reports success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

QString keepCopyAside(const QString& path)
{
    for (int n = 1; n < 1000; ++n) {
        const QString copy = n == 1 ? path + QStringLiteral(".bak")
                                    : path + QStringLiteral(".bak") + QString::number(n);
        if (QFileInfo::exists(copy))
            continue;
        return QFile::copy(path, copy) ? copy : QString();
    }
    return {};
}

} // namespace kelvaro
