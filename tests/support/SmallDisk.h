#pragma once

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <unistd.h>

namespace kelvaro::test {

// A file system of 64 kB of its own on a folder, which can be filled up or made read-only: the
// disk faults a save meets on a user's machine. Mounting needs root; isMounted() says whether it
// worked. Unmounted when it goes out of scope.
class SmallDisk {
public:
    explicit SmallDisk(const QString& folder) : m_folder(folder)
    {
        m_mounted = geteuid() == 0 &&
                    run(QStringLiteral("mount"),
                        {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                         QStringLiteral("size=64k"), QStringLiteral("tmpfs"), folder});
    }
    ~SmallDisk()
    {
        if (m_mounted)
            run(QStringLiteral("umount"), {m_folder});
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool isMounted() const { return m_mounted; }
    bool makeReadOnly()
    {
        return run(QStringLiteral("mount"),
                   {QStringLiteral("-o"), QStringLiteral("remount,ro"), m_folder});
    }
    // Takes every free block, so that no file can grow by a single byte.
    bool fill()
    {
        QFile filler(m_folder + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
        return true;
    }

private:
    static bool run(const QString& program, const QStringList& arguments)
    {
        return QProcess::execute(program, arguments) == 0;
    }

    QString m_folder;
    bool m_mounted = false;
};

} // namespace kelvaro::test
