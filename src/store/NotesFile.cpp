#include "NotesFile.h"

#include "FileSafety.h"
#include "ItemFormat.h"
#include "TextCodec.h"

#include <QFile>

namespace kelvaro {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

QByteArray formatNotes(const QString& text)
{
    return encodeFileText(formatItem(Value(text)) + QStringLiteral("\r\n"));
}

QString parseNotes(QStringView contents)
{
    qsizetype start = 0;
    while (start < contents.size() && isBlank(contents[start]))
        ++start;
    const QStringView rest = contents.mid(start);

    if (rest.startsWith(u'"')) {
        ItemReader reader(rest);
        if (std::optional<Value> item = reader.next())
            return item->string();
        // A file cut short after its opening quote: keep all of it rather than lose the notes.
        QStringView open = rest.mid(1);
        if (open.endsWith(u"\r\n"))
            open.chop(2);
        return open.toString();
    }

    qsizetype end = 0;
    while (end < rest.size() && rest[end] != u',' && rest[end] != u'\r' && rest[end] != u'\n')
        ++end;
    QStringView text = rest.first(end);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text.toString();
}

bool WriteNotes(StoreContext& ctx, const QString& text)
{
    const QString& path = ctx.state.NotesFile;
    QString error;
    if (writeFileAtomically(path, formatNotes(text), &error))
        return true;
    ctx.ui.messageBox(QStringLiteral("Error: the notes could not be saved to \"%1\" (%2). The file "
                                     "on disk is unchanged.")
                          .arg(path, error),
                      UserInterface::Critical);
    return false;
}

bool CreateNotesFile(StoreContext& ctx)
{
    return WriteNotes(ctx, DefaultNotesText.toString());
}

std::optional<QString> ReadNotes(const StoreContext& ctx)
{
    QFile file(ctx.state.NotesFile);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parseNotes(decodeFileText(file.readAll()));
}

} // namespace kelvaro
