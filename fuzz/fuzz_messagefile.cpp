// Damaged and hostile message files: whatever the reader makes of the bytes must be safe, and
// whatever it accepts must be saved so that it reads back the same, or a save would change
// messages the user never touched.
#include "FuzzSupport.h"
#include "MessageFile.h"

#include <QLocale>

using namespace kelvaro;
using kelvaro::fuzz::require;

namespace {

class FixedClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 3, 15), QTime(10, 0)); }
};

struct Store {
    SharedState state;
    FixedClock clock;
    DateLocale locale{QLocale(QLocale::English, QLocale::UnitedStates)};
    SilentUserInterface ui;
    StoreContext ctx{state, clock, locale, ui};
};

// Reads text into the table the way a load does: field 1 becomes short-date text.
MessageParse load(Store& store, QStringView text)
{
    SharedState& s = store.state;
    const MessageParse parse = parseMessages(text, s.Messages);
    s.MessageCount = static_cast<qint16>(parse.records);
    for (int i = 1; i <= s.MessageCount; ++i) {
        Value& date = s.Messages(i, Field::Date);
        if (date.isDate())
            date = store.locale.shortDate(date.date());
    }
    return parse;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Made once: a full table is ten thousand cells.
    static Store store;
    static MessageTable readBack;
    const SharedState& s = store.state;

    const MessageParse parse = load(store, fuzz::fileText(data, size));
    require(parse.records >= 0 && parse.records <= MessageTable::rows, "record count in range");
    require(!parse.tooMany || parse.records == MessageTable::rows, "too many only when full");
    require(parse.complete || (parse.line >= 1 && !parse.reason.isEmpty()),
            "damage is located and explained");
    if (parse.records == 0)
        return 0;

    // Saving turns field 1 into a date where its text is one; the rest is saved as loaded.
    const QString saved = formatMessages(store.ctx);
    const MessageParse again = parseMessages(saved, readBack);
    require(again.complete && !again.tooMany, "a saved file reads cleanly", again.reason);
    require(again.records == parse.records, "a saved file keeps every record");
    for (int i = 1; i <= parse.records; ++i) {
        for (int f = 1; f <= MessageTable::fields; ++f) {
            require(fuzz::sameCell(s.Messages(i, f), readBack(i, f)),
                    "a saved file reads back what was saved",
                    QStringLiteral("record %1 field %2: %3 came back as %4")
                        .arg(i)
                        .arg(f)
                        .arg(fuzz::describe(s.Messages(i, f)), fuzz::describe(readBack(i, f))));
        }
    }
    return 0;
}
