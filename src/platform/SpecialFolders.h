#pragma once

#include <QString>
#include <optional>

namespace kelvaro {

// The desktop's folders for the program's shortcuts, asked for by the shell's special-folder ids.
class SpecialFolders {
public:
    enum Id : qint32 { Programs = 2, Startup = 7, Desktop = 16 };

    virtual ~SpecialFolders() = default;
    // The folder's path without a trailing separator, or nothing when the desktop has no such
    // folder.
    virtual std::optional<QString> location(qint32 id) const = 0;
};

// The freedesktop folders: Programs is the user's applications folder, Startup the autostart
// folder, Desktop the desktop folder of the user's directories.
class XdgSpecialFolders final : public SpecialFolders {
public:
    std::optional<QString> location(qint32 id) const override;
};

} // namespace kelvaro
