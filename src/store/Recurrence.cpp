#include "Recurrence.h"

#include "ListMaintenance.h"

namespace kelvaro {

namespace {

// Any 48 consecutive months contain a February of a common year, so after that many steps the
// day of the month is clamped to 28 whatever it was.
constexpr qint64 MonthsThatClampFully = 48;

qint64 monthIndex(QDate date)
{
    return qint64(date.year()) * 12 + (date.month() - 1);
}

QDate rollForward(QDate date, const QString& repeat, QDate today)
{
    if (repeat == u"DAYLY")
        return today;
    if (repeat == u"WEEKLY") {
        const qint64 behind = date.daysTo(today);
        return date.addDays((behind + 6) / 7 * 7);
    }
    if (repeat == u"MONTHLY") {
        qint64 months = monthIndex(today) - monthIndex(date);
        // Jump close to today first: stepping one month at a time from a date centuries ago
        // would take thousands of steps per record.
        if (months > MonthsThatClampFully + 1) {
            date = stepMonths(date, months - 1);
        }
        while (date < today)
            date = stepMonths(date, 1);
        return date;
    }
    if (repeat == u"YEARLY") {
        const qint64 years = today.year() - date.year();
        if (years > 1)
            date = stepYears(date, years - 1);
        while (date < today)
            date = stepYears(date, 1);
        return date;
    }
    return date;
}

} // namespace

QDate stepMonths(QDate date, qint64 steps)
{
    if (steps <= 0)
        return date;
    if (steps >= MonthsThatClampFully) {
        const QDate first = QDate(date.year(), date.month(), 1).addMonths(static_cast<int>(steps));
        return first.addDays(std::min(date.day(), 28) - 1);
    }
    for (qint64 i = 0; i < steps; ++i)
        date = date.addMonths(1); // addMonths clamps to the last day of the month
    return date;
}

QDate stepYears(QDate date, qint64 steps)
{
    if (steps <= 0)
        return date;
    // Only 29 February changes under a year's step, and the first step always lands on a
    // common year's 28 February, where it stays.
    const int day = (date.month() == 2 && date.day() == 29) ? 28 : date.day();
    return QDate(date.year() + static_cast<int>(steps), date.month(), day);
}

void AdvanceRepeats(StoreContext& ctx)
{
    SharedState& s = ctx.state;
    const QDate today = ctx.clock.today();
    for (int i = 1; i <= MessageTable::rows; ++i) {
        Value& cell = s.Messages(i, Field::Date);
        if (cell.isBlank() || cell.isNull())
            break;
        const QDate date = cell.toDate(ctx.locale);
        if (!date.isValid() || date >= today)
            continue;
        cell = rollForward(date, s.Messages(i, Field::Repeat).string(), today);
    }
}

void BuildShownList(StoreContext& ctx)
{
    SharedState& s = ctx.state;
    s.AlarmToday = false;
    s.Shown.fill(QString());
    AdvanceRepeats(ctx);
    SortMessages(ctx);

    const QDate today = ctx.clock.today();
    s.ShownCount = 0;
    qint64 days = 0;
    for (int i = 1; i <= MessageTable::rows && days < 32; ++i) {
        const MessageTable::Row& record = s.Messages.row(i);
        const Value& dateCell = record[Field::Date - 1];
        if (dateCell.isBlank() || dateCell.isNull())
            break;
        const QDate date = dateCell.toDate(ctx.locale);
        if (!date.isValid())
            continue;
        days = today.daysTo(date);
        if (days < 0 || days > record[Field::AdvanceDays - 1].leadingNumber())
            continue;
        if (s.ShownCount == MaxShown)
            break; // the list is full: the first hundred are shown
        const int n = ++s.ShownCount;
        s.Shown(n, ShownField::Date) = date;
        s.Shown(n, ShownField::Title) = record[Field::Title - 1];
        s.Shown(n, ShownField::Body) = record[Field::Body - 1];
        if (days == 0 && !record[Field::AlarmTime - 1].isBlank()) {
            s.AlarmToday = true;
            s.Shown(n, ShownField::AlarmTime) = record[Field::AlarmTime - 1];
            s.Shown(n, ShownField::AlarmSound) = record[Field::AlarmSound - 1];
            s.Shown(n, ShownField::Extra) = record[Field::Reserved10 - 1];
        }
        const Value& birthYear = record[Field::BirthYear - 1];
        if (!birthYear.isBlank() && birthYear.isNumeric())
            s.Shown(n, ShownField::Age) =
                static_cast<qint16>(today.year() - birthYear.leadingNumber());
    }
    if (s.ShownCount == 0)
        s.Shown(1, ShownField::Title) = QStringLiteral("No messages found...");
}

DayLabel dayLabel(const ShownTable::Row& row, QDate today, const DateLocale& locale)
{
    const Value& dateCell = row[ShownField::Date - 1];
    const Value& alarm = row[ShownField::AlarmTime - 1];
    const Value& age = row[ShownField::Age - 1];
    const QString agePart =
        age.isBlank() ? QString()
                      : QStringLiteral(" - ") + age.toText(locale) + QStringLiteral(" yrs");
    const QDate date = dateCell.toDate(locale);
    if (dateCell.isBlank() || !date.isValid())
        return {agePart, LabelColour::Black};

    QString caption = locale.dayName(date) + u' ' + locale.shortDate(date);
    if (!alarm.isBlank())
        caption += QStringLiteral(" / ") + alarm.toText(locale) + QStringLiteral(" h");
    const qint64 days = today.daysTo(date);
    LabelColour colour = LabelColour::Black;
    if (days == 0) {
        caption += QStringLiteral("  (Today)");
        colour = LabelColour::Red;
    } else if (days == 1) {
        caption += QStringLiteral("  (1 day)");
        colour = LabelColour::Blue;
    } else if (days >= 2) {
        caption += QStringLiteral("  (%1 days)").arg(days);
    }
    return {caption + agePart, colour};
}

} // namespace kelvaro
