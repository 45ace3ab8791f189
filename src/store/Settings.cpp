#include "Settings.h"

#include "FileSafety.h"
#include "ItemFormat.h"
#include "MessageFile.h"
#include "PathRoutines.h"
#include "TextCodec.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <type_traits>
#include <variant>

namespace kelvaro {

namespace {

const QString CrLf = QStringLiteral("\r\n");

// Far more than 40 items can take; a larger file is damaged and need not be read whole.
constexpr qint64 MaxSettingsBytes = 1 << 20;

// Items kept in the file for its layout's sake: read and set aside, written as below.
enum class Reserved {
    Text,   // written as the empty text
    Number, // written as 0
    Created // the day the file was made, written back as it was read
};

struct Line {
    std::variant<Reserved, bool SharedState::*, qint32 SharedState::*, quint8 SharedState::*,
                 QString SharedState::*>
        slot;
    bool upperCase = false; // keywords the program compares in upper case only
};

constexpr int ReadLines = 40;

// Lines 1 to 40 in file order: the one description both the reader and the writer follow.
constexpr std::array<Line, ReadLines> Layout{{
    {&SharedState::AutoScroll},
    {&SharedState::RemoveOutdatedOption},
    {&SharedState::ConfirmRemoval},
    {&SharedState::AutoClose},
    {&SharedState::TextBackColor},
    {&SharedState::MinimizeMode, true},
    {&SharedState::ClockOnTop},
    {&SharedState::NoRepeatLaunch},
    {Reserved::Text},
    {Reserved::Text},
    {&SharedState::MessageFile},
    {&SharedState::DefaultAdvanceDays},
    {&SharedState::DefaultRepeat, true},
    {Reserved::Text},
    {Reserved::Text},
    {Reserved::Text},
    {Reserved::Text},
    {Reserved::Text},
    {Reserved::Text},
    {Reserved::Text},
    {&SharedState::AlarmSoundFile},
    {&SharedState::SoundFile},
    {&SharedState::NoSound},
    {&SharedState::SoundOnce},
    {&SharedState::UseSpeaker},
    {Reserved::Text},
    {Reserved::Text},
    {Reserved::Text},
    {Reserved::Text},
    {Reserved::Text},
    {&SharedState::MainLeft},
    {&SharedState::MainTop},
    {&SharedState::ClockLeft},
    {&SharedState::ClockTop},
    {&SharedState::ScrollDelay},
    {Reserved::Text},
    {Reserved::Text},
    {Reserved::Text},
    {Reserved::Number},
    {Reserved::Created},
}};

using Items = std::array<Value, ReadLines>;

template <typename Slot, typename Member>
constexpr bool holds = std::is_same_v<Slot, Member SharedState::*>;

// A bare number without a fraction. Numbers beyond 16 bits reach us as doubles; anything that is
// not exactly a whole number (12.5, 1e400) is not one.
std::optional<qint64> wholeNumber(const Value& item)
{
    if (item.kind() == Value::Kind::Integer)
        return item.integer();
    if (item.kind() != Value::Kind::Double)
        return std::nullopt;
    const double n = item.number();
    if (!std::isfinite(n) || n != std::trunc(n) || std::abs(n) > 1e15)
        return std::nullopt;
    return static_cast<qint64>(n);
}

template <typename Int> bool fits(const Value& item)
{
    const std::optional<qint64> n = wholeNumber(item);
    return n && *n >= std::numeric_limits<Int>::min() && *n <= std::numeric_limits<Int>::max();
}

// Why an item cannot stand on its line, or an empty text when it can.
QString formProblem(const Line& line, const Value& item)
{
    return std::visit(
        [&](auto slot) -> QString {
            using Slot = decltype(slot);
            if constexpr (std::is_same_v<Slot, Reserved>) {
                return {}; // set aside whatever it holds
            } else if constexpr (holds<Slot, bool>) {
                return item.kind() == Value::Kind::Boolean
                           ? QString()
                           : QStringLiteral("expected #TRUE# or #FALSE#");
            } else if constexpr (holds<Slot, qint32>) {
                return fits<qint32>(item) ? QString()
                                          : QStringLiteral("expected a whole number of at most "
                                                           "32 bits");
            } else if constexpr (holds<Slot, quint8>) {
                return fits<quint8>(item) ? QString()
                                          : QStringLiteral("expected a number from 0 to 255");
            } else {
                return item.isString() ? QString()
                                       : QStringLiteral("expected a text in double quotes");
            }
        },
        line.slot);
}

// Reads lines 1 to 40 and checks each against the form its line asks for.
bool readItems(QStringView text, Items& items, QString* problem)
{
    ItemReader reader(text);
    for (int i = 0; i < ReadLines; ++i) {
        const int line = reader.line();
        if (reader.atEnd()) {
            *problem = QStringLiteral("the file ends before line %1").arg(line);
            return false;
        }
        std::optional<Value> item = reader.next();
        if (!item) {
            *problem = QStringLiteral("line %1: %2").arg(reader.line()).arg(reader.error());
            return false;
        }
        if (const QString wrong = formProblem(Layout[i], *item); !wrong.isEmpty()) {
            *problem = QStringLiteral("line %1: %2").arg(line).arg(wrong);
            return false;
        }
        items[i] = std::move(*item);
    }
    return true;
}

void assign(const Line& line, const Value& item, SharedState& into)
{
    std::visit(
        [&](auto slot) {
            using Slot = decltype(slot);
            if constexpr (holds<Slot, bool>)
                into.*slot = item.boolean();
            else if constexpr (holds<Slot, qint32> || holds<Slot, quint8>)
                into.*slot =
                    static_cast<std::remove_reference_t<decltype(into.*slot)>>(*wholeNumber(item));
            else if constexpr (holds<Slot, QString>)
                into.*slot = line.upperCase ? item.string().toUpper() : item.string();
        },
        line.slot);
}

QString formatLine(const Line& line, const SharedState& state, const Value& created)
{
    return std::visit(
        [&](auto slot) -> QString {
            using Slot = decltype(slot);
            if constexpr (std::is_same_v<Slot, Reserved>) {
                switch (slot) {
                case Reserved::Text:
                    return formatItem(Value(QString()));
                case Reserved::Number:
                    return QStringLiteral("0");
                case Reserved::Created:
                    return formatItem(created);
                }
                return {};
            } else if constexpr (holds<Slot, bool>) {
                return formatItem(Value(state.*slot));
            } else if constexpr (holds<Slot, qint32> || holds<Slot, quint8>) {
                return QString::number(state.*slot);
            } else {
                return formatItem(Value(line.upperCase ? (state.*slot).toUpper() : state.*slot));
            }
        },
        line.slot);
}

// The file's bytes, or nothing when it cannot be opened; *error says why.
std::optional<QByteArray> readBytes(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    QByteArray bytes = file.read(MaxSettingsBytes);
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return std::nullopt;
    }
    return bytes;
}

void ensureOptionsFile(SharedState& s)
{
    if (s.OptionsFile.isEmpty())
        s.OptionsFile = defaultOptionsFile(s);
}

// The day the settings file was first made stays with it for as long as it reads cleanly.
Value creationOf(const StoreContext& ctx)
{
    QString ignored;
    if (const std::optional<QByteArray> bytes = readBytes(ctx.state.OptionsFile, &ignored)) {
        Items items;
        if (readItems(decodeFileText(*bytes), items, &ignored))
            return items[ReadLines - 1];
    }
    return Value(ctx.clock.today());
}

bool writeOptions(StoreContext& ctx, const Value& created)
{
    SharedState& s = ctx.state;
    ensureOptionsFile(s);
    QString error;
    if (writeFileAtomically(s.OptionsFile, encodeFileText(formatSettings(s, created)), &error))
        return true;
    ctx.ui.messageBox(QStringLiteral("Error: the options file \"%1\" could not be saved (%2). Your "
                                     "settings stay in effect while Kelvaro runs, but they will "
                                     "not be remembered.")
                          .arg(s.OptionsFile, error),
                      UserInterface::Critical);
    return false;
}

// Settings that cannot come from the file: the defaults, for this run only.
void resetInMemory(StoreContext& ctx)
{
    applyDefaultSettings(ctx.state);
    ctx.ui.closeClockIcon();
}

// A sound file that has gone is looked for under its own name in the program's folder, where the
// program keeps its sounds; if it is not there either, the setting is cleared and the user told.
// Returns whether the path had to be looked at again.
bool relocateSound(StoreContext& ctx, QString& path, const QString& kind)
{
    if (path.isEmpty() || FileExists(path))
        return false;
    const QString name = FileNameOfStoredPath(path);
    path = ctx.state.AppDir + name;
    if (!FileExists(path)) {
        ctx.ui.messageBox(kind + u'"' + name + u'"' +
                              QStringLiteral(" was not found. Please select another wave file in "
                                             "the options menu."),
                          UserInterface::Exclamation);
        path.clear();
    }
    return true;
}

bool repairSoundFiles(StoreContext& ctx)
{
    SharedState& s = ctx.state;
    const bool sound = relocateSound(ctx, s.SoundFile, QStringLiteral("Sound file "));
    const bool alarm = relocateSound(ctx, s.AlarmSoundFile, QStringLiteral("Alarm-sound file "));
    return sound || alarm ? WriteOptions(ctx) : true;
}

bool setDefaults(StoreContext& ctx);

// mayCreate is false while reading back the file setDefaults has just written, so that a file
// which vanishes or breaks at that moment cannot start the whole round again.
bool readOptions(StoreContext& ctx, bool mayCreate)
{
    SharedState& s = ctx.state;
    ensureOptionsFile(s);
    QString problem;
    switch (readSettingsFile(s.OptionsFile, s, &problem)) {
    case SettingsRead::Read:
        return repairSoundFiles(ctx);
    case SettingsRead::Missing:
        ctx.ui.showNotice(QStringLiteral("Option file not found. Creating one..."));
        if (mayCreate)
            return setDefaults(ctx);
        resetInMemory(ctx);
        return false;
    case SettingsRead::Unreadable:
        // Nothing replaces a file that could not even be read, since no copy of it can be kept.
        ctx.ui.messageBox(QStringLiteral("Error: the options file \"%1\" cannot be read (%2). "
                                         "Kelvaro leaves it as it is and uses the default settings "
                                         "for now.")
                              .arg(s.OptionsFile, problem),
                          UserInterface::Critical);
        resetInMemory(ctx);
        return false;
    case SettingsRead::Corrupted:
        break;
    }

    // The user's settings, the message file's path among them, are in the damaged file: keep it
    // before the defaults take its place.
    const QString copy = keepCopyAside(s.OptionsFile);
    QString text =
        QStringLiteral("Options file corrupted. Creating new one, restoring defaults...");
    if (copy.isEmpty())
        text += QStringLiteral("\n\nThe damaged file could not be copied aside, so Kelvaro leaves "
                               "it as it is and uses the default settings for now.");
    else
        text += QStringLiteral("\n\nThe damaged file was kept as \"%1\".").arg(copy);
    ctx.ui.messageBox(text, UserInterface::Exclamation);
    if (copy.isEmpty() || !mayCreate) {
        resetInMemory(ctx);
        return false;
    }
    return setDefaults(ctx);
}

bool setDefaults(StoreContext& ctx)
{
    resetInMemory(ctx);
    // Read back only what was written: a file that could not be made would be "missing" again.
    return writeOptions(ctx, Value(ctx.clock.today())) && readOptions(ctx, false);
}

} // namespace

QString defaultOptionsFile(const SharedState& state)
{
    return state.AppDir + QStringLiteral("Kelvaro.dat");
}

void applyDefaultSettings(SharedState& s)
{
    s.AutoScroll = true;
    s.RemoveOutdatedOption = true;
    s.ConfirmRemoval = true;
    s.AutoClose = false;
    s.TextBackColor = 0xE0E0E0;
    s.MinimizeMode = QStringLiteral("ICON AND TASKBAR");
    s.ClockOnTop = false;
    s.NoRepeatLaunch = false;
    s.MessageFile = s.AppDir + QStringLiteral("Kelvaro.rmf");
    s.DefaultAdvanceDays = 14;
    s.DefaultRepeat = QStringLiteral("ONCE");
    s.AlarmSoundFile = s.AppDir + QStringLiteral("Bbbbeep.wav");
    s.SoundFile = s.AppDir + QStringLiteral("pong.wav");
    s.NoSound = false;
    s.SoundOnce = false;
    s.UseSpeaker = false;
    s.MainLeft = 0; // both 0: the main window is centred
    s.MainTop = 0;
    s.ClockLeft = 32000; // beyond any screen: the clock icon is kept in the bottom-right corner
    s.ClockTop = 32000;
    s.ScrollDelay = 20000;
}

QString formatSettings(const SharedState& state, const Value& created)
{
    QString text;
    for (const Line& line : Layout)
        text += formatLine(line, state, created) + CrLf;
    text += formatItem(Value(QStringLiteral("Please do not edit this file directly, you'll cause a "
                                            "crash. "))) +
            CrLf;
    text += formatItem(Value(QStringLiteral("Use the Kelvaro 'Options' button to change."))) + CrLf;
    return text;
}

bool parseSettings(QStringView text, SharedState& into, QString* problem, Value* created)
{
    QString ignored;
    Items items;
    if (!readItems(text, items, problem ? problem : &ignored))
        return false;
    for (int i = 0; i < ReadLines; ++i)
        assign(Layout[i], items[i], into);
    if (created)
        *created = items[ReadLines - 1];
    return true;
}

SettingsRead readSettingsFile(const QString& path, SharedState& into, QString* problem,
                              Value* created)
{
    QString ignored;
    QString& why = problem ? *problem : ignored;
    if (!FileExists(path))
        return SettingsRead::Missing;
    const std::optional<QByteArray> bytes = readBytes(path, &why);
    if (!bytes)
        return SettingsRead::Unreadable;
    return parseSettings(decodeFileText(*bytes), into, &why, created) ? SettingsRead::Read
                                                                      : SettingsRead::Corrupted;
}

bool WriteOptions(StoreContext& ctx)
{
    ensureOptionsFile(ctx.state);
    return writeOptions(ctx, creationOf(ctx));
}

bool ReadOptions(StoreContext& ctx)
{
    return readOptions(ctx, true);
}

bool SetDefaultOptions(StoreContext& ctx)
{
    ensureOptionsFile(ctx.state);
    return setDefaults(ctx);
}

} // namespace kelvaro
