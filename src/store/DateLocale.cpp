#include "DateLocale.h"

#include <QRegularExpression>

namespace kelvaro {

namespace {

// Widens every two-digit year ("yy" not part of "yyyy") to four digits.
QString withFourDigitYear(QString format)
{
    static const QRegularExpression shortYear(QStringLiteral("(?<!y)yy(?!y)"));
    return format.replace(shortYear, QStringLiteral("yyyy"));
}

} // namespace

namespace {

constexpr qsizetype CacheLimit = 4096;

// Years whose text in a four-digit-year format has exactly four digits.
bool hasFourDigitYear(QDate date)
{
    return date.year() >= 1000 && date.year() <= 9999;
}

// Whether the locale writes dates in a form it reads back unchanged: day, month and the full year
// all in the text. A handful of telling dates decides it: different days, months and years, the
// end of a month, a leap day and the ends of the four-digit years.
bool readsBack(const QLocale& locale, const QString& format)
{
    static const QDate samples[] = {
        QDate(1000, 1, 1),   QDate(1900, 2, 28), QDate(1961, 10, 31), QDate(2000, 2, 29),
        QDate(2026, 12, 11), QDate(2027, 7, 4),  QDate(9999, 12, 31),
    };
    for (const QDate date : samples) {
        if (locale.toDate(locale.toString(date, format), format) != date)
            return false;
    }
    return true;
}

} // namespace

DateLocale::DateLocale(const QLocale& locale)
    : m_locale(locale), m_shortFormat(withFourDigitYear(locale.dateFormat(QLocale::ShortFormat))),
      m_readsBack(readsBack(m_locale, m_shortFormat))
{
}

QString DateLocale::shortDate(QDate date) const
{
    const qint64 day = date.toJulianDay();
    if (const auto known = m_formatted.constFind(day); known != m_formatted.cend())
        return *known;
    if (m_formatted.size() >= CacheLimit)
        m_formatted.clear();
    const QString text = m_locale.toString(date, m_shortFormat);
    m_formatted.insert(day, text);
    if (m_readsBack && hasFourDigitYear(date)) {
        // Reading a date text costs several times what writing it does.
        if (m_parsed.size() >= CacheLimit)
            m_parsed.clear();
        m_parsed.insert(text, date);
    }
    return text;
}

QDate DateLocale::parseShortDate(const QString& text) const
{
    if (const auto known = m_parsed.constFind(text); known != m_parsed.cend())
        return *known;
    QDate date = m_locale.toDate(text, m_shortFormat);
    if (!date.isValid()) {
        // Text kept from another format (a file's year-month-day form) still means its date.
        date = QDate::fromString(text, Qt::ISODate);
    }
    if (m_parsed.size() >= CacheLimit)
        m_parsed.clear();
    m_parsed.insert(text, date);
    return date;
}

QString DateLocale::dayName(QDate date) const
{
    return m_locale.toString(date, QStringLiteral("ddd"));
}

QDate DateLocale::parseTypedDate(const QString& typed) const
{
    const QString text = typed.simplified();
    if (text.isEmpty())
        return {};
    const QStringList ownFormats = {
        m_shortFormat,
        m_locale.dateFormat(QLocale::ShortFormat),
        m_locale.dateFormat(QLocale::LongFormat),
        m_locale.dateFormat(QLocale::NarrowFormat),
    };
    for (const QString& format : ownFormats) {
        const QDate date = m_locale.toDate(text, format);
        if (date.isValid())
            return date;
    }
    static const QStringList common = {
        QStringLiteral("yyyy-M-d"),         QStringLiteral("d-M-yyyy"),
        QStringLiteral("d.M.yyyy"),         QStringLiteral("d/M/yyyy"),
        QStringLiteral("MMM d yyyy"),       QStringLiteral("MMM d, yyyy"),
        QStringLiteral("MMMM d yyyy"),      QStringLiteral("MMMM d, yyyy"),
        QStringLiteral("d MMM yyyy"),       QStringLiteral("d MMMM yyyy"),
        QStringLiteral("d-MMM-yyyy"),       QStringLiteral("ddd MMM d yyyy"),
        QStringLiteral("dddd d MMMM yyyy"),
    };
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (const QLocale& names : {m_locale, english}) {
        for (const QString& format : common) {
            const QDate date = names.toDate(text, format);
            if (date.isValid())
                return date;
        }
    }
    return {};
}

} // namespace kelvaro
