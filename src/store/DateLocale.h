#pragma once

#include <QDate>
#include <QHash>
#include <QLocale>
#include <QString>

namespace kelvaro {

// The system's way of writing dates: the short date text every date field is held in, the
// abbreviated weekday of the day labels, and the parsing of typed dates.
class DateLocale {
public:
    explicit DateLocale(const QLocale& locale = QLocale::system());

    const QLocale& locale() const { return m_locale; }
    // The short date format, always with a four-digit year: a two-digit year would turn a
    // birthday of 1961 into 2061 when the text is read back.
    const QString& shortDateFormat() const { return m_shortFormat; }

    QString shortDate(QDate date) const;
    QDate parseShortDate(const QString& text) const;
    // Abbreviated weekday name ("Mon") in the system language.
    QString dayName(QDate date) const;
    // A date as a person types it: the short and long formats of the locale, ISO dates and
    // common notations with month names of the locale or of English ("Feb 14 1999").
    QDate parseTypedDate(const QString& text) const;

private:
    QLocale m_locale;
    QString m_shortFormat;
    // Every rebuild of the board reads each record's date text again, and a format-driven parse
    // costs about a microsecond: remembering the few hundred distinct texts keeps a full table's
    // rebuild far below a millisecond per hundred records.
    mutable QHash<QString, QDate> m_parsed;
    mutable QHash<qint64, QString> m_formatted;
    // Whether a date's short text reads back as the same date, so formatting can remember the
    // reading too: the message file's dates are formatted at load and read back at every rebuild.
    bool m_readsBack = false;
};

} // namespace kelvaro
