#pragma once

#include "StoreContext.h"

namespace kelvaro {

// Moves the date of every repeating record that lies in the past to its next occurrence, today
// or later. Month and year steps keep the day of the month, clamped to the last day of a shorter
// month, and each step starts from the previous result (31 Jan, 28 Feb, 28 Mar, ...).
void AdvanceRepeats(StoreContext& ctx);

// Rebuilds the display list: every record whose date lies within its advance warning, in date
// order, at most the list's 100 rows. Rolls repeating dates forward and sorts the table first.
void BuildShownList(StoreContext& ctx);

// One step of a repetition, applied `steps` times from date: the same result as stepping one at a
// time, with the clamping carried along.
QDate stepMonths(QDate date, qint64 steps);
QDate stepYears(QDate date, qint64 steps);

enum class LabelColour { Black, Red, Blue };

struct DayLabel {
    QString caption;
    LabelColour colour = LabelColour::Black;
};

// The date line above a shown row: weekday, short date, alarm time, how many days remain and the
// age, e.g. "Mon 01-06-1998 / 14:35 h  (Today) - 37 yrs".
DayLabel dayLabel(const ShownTable::Row& row, QDate today, const DateLocale& locale);

} // namespace kelvaro
