#include "DesktopEntry.h"

#include "FileSafety.h"

#include <QFile>

namespace kelvaro {

namespace {

// Characters that make the launcher treat an argument specially unless it is quoted.
bool needsQuotes(const QString& argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    if (argument.isEmpty())
        return true;
    for (QChar c : argument) {
        if (reserved.contains(c))
            return true;
    }
    return false;
}

QString quoteArgument(const QString& argument)
{
    QString quoted = argument;
    quoted.replace(u'%', QStringLiteral("%%"));
    if (!needsQuotes(argument))
        return quoted;
    QString inner;
    for (QChar c : quoted) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            inner += u'\\';
        inner += c;
    }
    return u'"' + inner + u'"';
}

// The escapes every string value of the file uses, applied after quoting.
QString escapeString(const QString& value)
{
    QString escaped;
    for (QChar c : value) {
        switch (c.unicode()) {
        case '\\':
            escaped += QStringLiteral("\\\\");
            break;
        case '\n':
            escaped += QStringLiteral("\\n");
            break;
        case '\t':
            escaped += QStringLiteral("\\t");
            break;
        case '\r':
            escaped += QStringLiteral("\\r");
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

} // namespace

QString desktopEntryExec(const QString& program, const QStringList& arguments)
{
    QStringList parts{quoteArgument(program)};
    for (const QString& argument : arguments)
        parts << quoteArgument(argument);
    return escapeString(parts.join(u' '));
}

QByteArray desktopEntryText(const QString& name, const QString& program,
                            const QStringList& arguments)
{
    const QStringList lines{
        QStringLiteral("[Desktop Entry]"),
        QStringLiteral("Type=Application"),
        QStringLiteral("Version=1.0"),
        QStringLiteral("Name=") + escapeString(name),
        QStringLiteral("Comment=Reminders and day planner"),
        QStringLiteral("Exec=") + desktopEntryExec(program, arguments),
        QStringLiteral("Terminal=false"),
        QStringLiteral("Categories=Office;Calendar;"),
    };
    return (lines.join(u'\n') + u'\n').toUtf8();
}

bool writeDesktopEntry(const QString& folder, const QString& fileName, const QString& name,
                       const QString& program, const QStringList& arguments, QString* error)
{
    if (folder.isEmpty()) {
        *error = QStringLiteral("No folder to write the entry into");
        return false;
    }
    const QString path = folder + u'/' + fileName + QStringLiteral(".desktop");
    if (!writeFileAtomically(path, desktopEntryText(name, program, arguments), error))
        return false;
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    return true;
}

} // namespace kelvaro
