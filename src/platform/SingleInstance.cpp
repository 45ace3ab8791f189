#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

namespace kelvaro {

SingleInstance::SingleInstance(const QString& lockPath) : m_path(lockPath), m_lock(lockPath)
{
    // A lock is otherwise taken for stale after 30 seconds, even while its holder still runs, and
    // a second copy would start beside a first one that has been up for a while. Only a holder
    // that no longer runs makes the lock stale.
    m_lock.setStaleLockTime(0);
}

bool SingleInstance::tryAcquire()
{
    return m_lock.isLocked() || m_lock.tryLock(0);
}

QString SingleInstance::defaultLockPath()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return QDir(runtime).filePath(QStringLiteral("Kelvaro.lock"));
    // The temporary folder is shared by every user: the name must say whose copy is running.
    const QByteArray user =
        QCryptographicHash::hash(QDir::homePath().toUtf8(), QCryptographicHash::Sha1).toHex();
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("Kelvaro-%1.lock").arg(QString::fromLatin1(user.left(12))));
}

} // namespace kelvaro
