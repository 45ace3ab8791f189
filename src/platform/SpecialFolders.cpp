#include "SpecialFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace kelvaro {

namespace {

// The applications and autostart folders are read by the desktop whether or not they exist yet;
// a fresh account often has neither. Making them is what any program adding an entry does, so
// they count as found when they can be made.
std::optional<QString> madeFolder(const QString& path)
{
    if (path.isEmpty() || !QDir().mkpath(path))
        return std::nullopt;
    return QDir::cleanPath(path);
}

} // namespace

std::optional<QString> XdgSpecialFolders::location(qint32 id) const
{
    switch (id) {
    case Programs:
        return madeFolder(QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation));
    case Startup: {
        const QString config =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        if (config.isEmpty())
            return std::nullopt;
        return madeFolder(config + QStringLiteral("/autostart"));
    }
    case Desktop: {
        // The desktop is the user's to make. A desktop folder set to the home folder itself is
        // how the user directories say there is no desktop.
        const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        if (desktop.isEmpty() || QDir(desktop) == QDir::home())
            return std::nullopt;
        return QDir::cleanPath(desktop);
    }
    default:
        return std::nullopt;
    }
}

} // namespace kelvaro
