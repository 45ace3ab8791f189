#include "ClockIconText.h"

#include "DateLocale.h"

namespace kelvaro {

QString iconTimeText(QTime now, const QString& shownText, bool perSecond)
{
    const QString h = QStringLiteral("%1").arg(now.hour(), 2, 10, QLatin1Char('0'));
    const QString m = QStringLiteral("%1").arg(now.minute(), 2, 10, QLatin1Char('0'));
    const bool blink = perSecond && now.second() != 0 && shownText.contains(u':');
    return h + (blink ? u' ' : u':') + m;
}

QString iconDateText(QDate today, const DateLocale& locale)
{
    return locale.locale().toString(today, QStringLiteral("ddd, MMM d"));
}

} // namespace kelvaro
