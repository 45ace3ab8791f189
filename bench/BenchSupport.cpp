#include "BenchSupport.h"

#include "DateLocale.h"

namespace kelvaro::bench {

void fillWorstCase(SharedState& state, const DateLocale& locale, int count)
{
    static const char* repeats[] = {"ONCE", "DAYLY", "WEEKLY", "MONTHLY", "YEARLY"};
    state.Messages.fill(QString());
    state.MessageCount = static_cast<qint16>(count);
    for (int i = 1; i <= count; ++i) {
        MessageTable::Row& record = state.Messages.row(i);
        record[Field::Date - 1] = locale.shortDate(QDate(1900, 1, 31).addDays(count - i));
        record[Field::Title - 1] = QStringLiteral("Message %1").arg(i);
        record[Field::Body - 1] = QStringLiteral("First line of the body\r\nSecond line, a bit "
                                                 "longer than the first one");
        record[Field::Repeat - 1] = QString::fromLatin1(repeats[i % 5]);
        record[Field::BirthYear - 1] =
            i % 5 == 4 ? Value(QStringLiteral("1961")) : Value(QString());
        record[Field::AdvanceDays - 1] = qint16(31);
        record[Field::AlarmTime - 1] = i % 7 == 0 ? QStringLiteral("14:35") : QString();
        record[Field::AlarmSound - 1] = QStringLiteral("/home/user/sounds/alarm.wav");
    }
}

} // namespace kelvaro::bench
