#pragma once

#include <QDate>
#include <QMetaType>
#include <QString>
#include <variant>

namespace kelvaro {

class DateLocale;

// One cell of the message table or the display list. The kind of value matters: the message and
// settings files write each kind in its own form, so a cell remembers what it was given.
class Value {
public:
    enum class Kind { Empty, Null, String, Integer, Double, Date, Boolean };

    Value() = default;
    Value(const QString& text) : m_data(text) {}
    Value(const char* text) : m_data(QString::fromUtf8(text)) {}
    Value(qint16 number) : m_data(number) {}
    Value(double number) : m_data(number) {}
    Value(QDate date) : m_data(date) {}
    Value(bool flag) : m_data(flag) {}

    static Value null() { return Value(NullTag{}); }

    Kind kind() const { return static_cast<Kind>(m_data.index()); }
    bool isEmpty() const { return kind() == Kind::Empty; }
    bool isNull() const { return kind() == Kind::Null; }
    bool isString() const { return kind() == Kind::String; }
    bool isDate() const { return kind() == Kind::Date; }

    // True for the empty cell and for the empty string: the table's scans stop at such a field.
    bool isBlank() const;

    // The text a value shows: strings as they are, numbers in decimal, dates in the short format.
    QString toText(const DateLocale& locale) const;
    // Strings and the empty cell only; other kinds give an empty text.
    QString string() const;

    // The date a cell stands for: a date as it is, a string through the short date format.
    // Anything else, or text that is no date, gives an invalid date.
    QDate toDate(const DateLocale& locale) const;

    // The decimal number at the start of the value's text (leading blanks skipped); 0 when the
    // text does not start with a number. Advance warnings are read this way.
    int leadingNumber() const;
    // Whether the whole value reads as a number (digits with an optional sign and fraction).
    bool isNumeric() const;

    qint16 integer() const;
    double number() const;
    QDate date() const;
    bool boolean() const;

    // Comparison of cells: a null compares false to everything (itself included); the empty cell
    // equals the empty string and 0; numbers compare by value; other kinds only with their own.
    friend bool operator==(const Value& a, const Value& b);

private:
    struct NullTag {
        bool operator==(const NullTag&) const = default;
    };
    explicit Value(NullTag) : m_data(NullTag{}) {}

    std::variant<std::monostate, NullTag, QString, qint16, double, QDate, bool> m_data;
};

} // namespace kelvaro

Q_DECLARE_METATYPE(kelvaro::Value)
