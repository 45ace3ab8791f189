#pragma once

#include <QDateTime>
#include <QString>

namespace kelvaro {

class DateLocale;

// The time on the desktop clock icon, "hh:mm". Ticking every second off the minute, the colon
// blinks: the text alternates with "hh mm". At second 0, or ticking once a minute, the colon shows.
QString iconTimeText(QTime now, const QString& shownText, bool perSecond);

// The date on the desktop clock icon: abbreviated weekday and month, "Sun, Mar 15".
QString iconDateText(QDate today, const DateLocale& locale);

} // namespace kelvaro
