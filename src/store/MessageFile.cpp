#include "MessageFile.h"

#include "FileSafety.h"
#include "ItemFormat.h"
#include "TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kelvaro {

namespace {

const QString CrLf = QStringLiteral("\r\n");

// Far more than a full table of messages takes. A larger file is no message file, and reading it
// whole, then decoding it at twice its size, could exhaust the memory.
constexpr qint64 MaxMessageFileBytes = qint64(64) << 20;

class BusyPointer {
public:
    explicit BusyPointer(UserInterface& ui) : m_ui(ui) { m_ui.setBusy(true); }
    ~BusyPointer() { m_ui.setBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    UserInterface& m_ui;
};

void fillPlaceholder(StoreContext& ctx)
{
    SharedState& s = ctx.state;
    s.Messages(1, Field::Date) = ctx.clock.today().addDays(-1);
    s.Messages(1, Field::Title) = QStringLiteral("Empty");
    s.Messages(1, Field::Body) =
        QStringLiteral("Your message file was empty. Kelvaro cannot read an empty message file, "
                       "which is why this message was created. You can remove this message if you "
                       "enter another message...");
    s.Messages(1, Field::Repeat) = QStringLiteral("ONCE");
    s.Messages(1, Field::AdvanceDays) = QStringLiteral("0");
    s.MessageCount = 1;
}

} // namespace

bool FileExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (name.contains(u'*') || name.contains(u'?')) {
        const QDir folder = info.dir();
        return !folder.entryList({name}, QDir::Files).isEmpty();
    }
    return info.isFile() && !info.isHidden();
}

QString formatMessages(StoreContext& ctx)
{
    SharedState& s = ctx.state;
    QString text;
    text.reserve(s.MessageCount * 200);
    for (int i = 1; i <= s.MessageCount; ++i) {
        for (int f = 1; f <= MessageTable::fields; ++f) {
            Value& cell = s.Messages(i, f);
            if (f == Field::Date) {
                // A date held as short-date text is stored back as a date; text that is no date
                // is written as it stands rather than lost.
                if (const QDate date = cell.toDate(ctx.locale); date.isValid())
                    cell = date;
            }
            appendItem(text, cell);
            text += CrLf;
        }
    }
    return text;
}

bool SaveMessages(StoreContext& ctx)
{
    SharedState& s = ctx.state;
    if (s.SaveBlocked)
        return false;
    BusyPointer busy(ctx.ui);
    if (s.MessageCount <= 0)
        fillPlaceholder(ctx);
    if (!s.ProtectedFile.isEmpty() && QFileInfo(s.ProtectedFile).absoluteFilePath() ==
                                          QFileInfo(s.MessageFile).absoluteFilePath()) {
        ctx.ui.messageBox(
            QStringLiteral(
                "The message file \"%1\" could not be read when it was opened, so Kelvaro "
                "will not save over it. Use \"Save Message File As...\" to keep your "
                "changes in another file.")
                .arg(s.MessageFile),
            UserInterface::Critical);
        return false;
    }
    QString error;
    if (!writeFileAtomically(s.MessageFile, encodeFileText(formatMessages(ctx)), &error)) {
        ctx.ui.messageBox(QStringLiteral("Error: the message file \"%1\" could not be saved (%2). "
                                         "Your messages are kept in memory; the file on disk is "
                                         "unchanged.")
                              .arg(s.MessageFile, error),
                          UserInterface::Critical);
        return false;
    }
    return true;
}

MessageParse parseMessages(QStringView text, MessageTable& table)
{
    MessageParse result;
    ItemReader reader(text);
    if (reader.atEnd()) {
        result.complete = false;
        result.line = 1;
        result.reason = QStringLiteral("the file is empty");
        return result;
    }
    while (!reader.atEnd()) {
        if (result.records == MessageTable::rows) {
            result.tooMany = true;
            return result;
        }
        const int recordLine = reader.line();
        MessageTable::Row record;
        for (Value& cell : record) {
            std::optional<Value> item = reader.next();
            if (!item) {
                result.complete = false;
                result.line = reader.line();
                result.reason = reader.error();
                return result;
            }
            cell = std::move(*item);
        }
        if (record[0].isBlank() || record[0].isNull()) {
            // A record without a date would end every scan of the table early.
            result.complete = false;
            result.line = recordLine;
            result.reason = QStringLiteral("a message has no date");
            return result;
        }
        table.row(++result.records) = std::move(record);
    }
    return result;
}

LoadOutcome ReadMessageFile(StoreContext& ctx, ReadMode mode)
{
    SharedState& s = ctx.state;
    BusyPointer busy(ctx.ui);
    s.Messages.fill(QString());
    s.MessageCount = 0;

    if (!FileExists(s.MessageFile)) {
        ctx.ui.messageBox(QStringLiteral("Error: Message file not found"), UserInterface::Critical);
        return LoadOutcome::Missing;
    }
    QFile file(s.MessageFile);
    if (!file.open(QIODevice::ReadOnly)) {
        s.ProtectedFile = s.MessageFile;
        ctx.ui.messageBox(
            QStringLiteral("Error: the message file \"%1\" cannot be read (%2). It is "
                           "left as it is.")
                .arg(s.MessageFile, file.errorString()),
            UserInterface::Critical);
        return LoadOutcome::Unreadable;
    }
    if (file.size() > MaxMessageFileBytes) {
        s.ProtectedFile = s.MessageFile;
        ctx.ui.messageBox(
            QStringLiteral("Error: the file \"%1\" is %2 MB, far too large to be a message file. "
                           "It is left as it is.")
                .arg(s.MessageFile)
                .arg(file.size() >> 20),
            UserInterface::Critical);
        return LoadOutcome::Unreadable;
    }
    const QString text = decodeFileText(file.readAll());
    file.close();

    const MessageParse parse = parseMessages(text, s.Messages);
    s.MessageCount = static_cast<qint16>(parse.records);
    for (int i = 1; i <= s.MessageCount; ++i) {
        Value& date = s.Messages(i, Field::Date);
        if (date.isDate())
            date = ctx.locale.shortDate(date.date());
    }
    if (parse.complete && !parse.tooMany)
        return LoadOutcome::Loaded;

    QString problem =
        parse.tooMany
            ? QStringLiteral("The message file \"%1\" holds more than %2 messages, more than "
                             "Kelvaro can keep. The first %2 were loaded.")
                  .arg(s.MessageFile)
                  .arg(MessageTable::rows)
            : QStringLiteral("The message file \"%1\" is damaged at line %2: %3. The %4 messages "
                             "before that point were loaded.")
                  .arg(s.MessageFile)
                  .arg(parse.line)
                  .arg(parse.reason)
                  .arg(parse.records);
    if (mode == ReadMode::Program) {
        const QString copy = keepCopyAside(s.MessageFile);
        if (copy.isEmpty()) {
            s.ProtectedFile = s.MessageFile;
            problem += QStringLiteral("\n\nThe file could not be copied aside, so Kelvaro will not "
                                      "save over it.");
        } else {
            problem += QStringLiteral("\n\nA copy of the whole file was kept as \"%1\".").arg(copy);
        }
    }
    ctx.ui.messageBox(problem, UserInterface::Exclamation);
    return parse.tooMany ? LoadOutcome::TooMany : LoadOutcome::Damaged;
}

} // namespace kelvaro
