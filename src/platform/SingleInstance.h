#pragma once

#include <QLockFile>
#include <QString>
#include <QStringView>

namespace kelvaro {

// Shown by a second copy of the program before it ends.
inline constexpr QStringView SecondInstanceNotice =
    u"Another instance of Kelvaro is already running. Execution aborted...";

// One running copy of the program per user, held by a lock file for the life of this object.
// A lock left behind by a copy that crashed or was killed belongs to a process that no longer
// runs, and is taken over.
class SingleInstance final {
public:
    explicit SingleInstance(const QString& lockPath = defaultLockPath());
    Q_DISABLE_COPY_MOVE(SingleInstance)

    // Takes the lock. False when another running copy holds it (or the folder cannot be written).
    bool tryAcquire();
    bool isHeld() const { return m_lock.isLocked(); }
    QString lockPath() const { return m_path; }

    // The user's runtime folder, or the temporary folder where the system has none.
    static QString defaultLockPath();

private:
    QString m_path;
    QLockFile m_lock;
};

} // namespace kelvaro
