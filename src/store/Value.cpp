#include "Value.h"

#include "DateLocale.h"

#include <algorithm>
#include <cmath>

namespace kelvaro {

bool Value::isBlank() const
{
    return isEmpty() || (isString() && std::get<QString>(m_data).isEmpty());
}

QString Value::toText(const DateLocale& locale) const
{
    switch (kind()) {
    case Kind::Empty:
    case Kind::Null:
        return {};
    case Kind::String:
        return std::get<QString>(m_data);
    case Kind::Integer:
        return QString::number(std::get<qint16>(m_data));
    case Kind::Double:
        return QString::number(std::get<double>(m_data), 'g', 15);
    case Kind::Date:
        return locale.shortDate(std::get<QDate>(m_data));
    case Kind::Boolean:
        return std::get<bool>(m_data) ? QStringLiteral("True") : QStringLiteral("False");
    }
    return {};
}

QString Value::string() const
{
    return isString() ? std::get<QString>(m_data) : QString();
}

QDate Value::toDate(const DateLocale& locale) const
{
    if (isDate())
        return std::get<QDate>(m_data);
    if (isString())
        return locale.parseShortDate(std::get<QString>(m_data));
    return {};
}

namespace {

// Reads an optional sign, digits and an optional fraction from the start of text (after blanks).
// Returns the number of characters that form the number, 0 when there is none.
qsizetype scanNumber(QStringView text, qsizetype from, double* value)
{
    qsizetype i = from;
    const qsizetype n = text.size();
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    double result = 0;
    bool anyDigit = false;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        result = result * 10 + (text[i].unicode() - '0');
        anyDigit = true;
        ++i;
    }
    if (i < n && text[i] == u'.') {
        double scale = 0.1;
        qsizetype j = i + 1;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128) {
            result += (text[j].unicode() - '0') * scale;
            scale /= 10;
            anyDigit = true;
            ++j;
        }
        if (anyDigit)
            i = j;
    }
    if (!anyDigit)
        return 0;
    *value = negative ? -result : result;
    return i - from;
}

qsizetype skipBlanks(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    return i;
}

} // namespace

int Value::leadingNumber() const
{
    switch (kind()) {
    case Kind::Integer:
        return std::get<qint16>(m_data);
    case Kind::Double:
        return static_cast<int>(std::trunc(std::get<double>(m_data)));
    case Kind::Boolean:
        return std::get<bool>(m_data) ? -1 : 0;
    case Kind::String: {
        const QString& text = std::get<QString>(m_data);
        double value = 0;
        if (scanNumber(text, skipBlanks(text), &value) == 0)
            return 0;
        // Advance warnings are a few days; clamp so that a long digit string cannot overflow.
        return static_cast<int>(std::clamp(std::trunc(value), -1.0e9, 1.0e9));
    }
    default:
        return 0;
    }
}

bool Value::isNumeric() const
{
    switch (kind()) {
    case Kind::Integer:
    case Kind::Double:
        return true;
    case Kind::String: {
        const QString text = std::get<QString>(m_data).trimmed();
        double value = 0;
        return !text.isEmpty() && scanNumber(text, 0, &value) == text.size();
    }
    default:
        return false;
    }
}

qint16 Value::integer() const
{
    return kind() == Kind::Integer ? std::get<qint16>(m_data) : qint16(0);
}

double Value::number() const
{
    if (kind() == Kind::Double)
        return std::get<double>(m_data);
    return kind() == Kind::Integer ? std::get<qint16>(m_data) : 0.0;
}

QDate Value::date() const
{
    return isDate() ? std::get<QDate>(m_data) : QDate();
}

bool Value::boolean() const
{
    return kind() == Kind::Boolean && std::get<bool>(m_data);
}

bool operator==(const Value& a, const Value& b)
{
    using Kind = Value::Kind;
    if (a.isNull() || b.isNull())
        return false;
    const auto isNumber = [](const Value& v) {
        return v.kind() == Kind::Integer || v.kind() == Kind::Double;
    };
    if (a.isEmpty() || b.isEmpty()) {
        const Value& other = a.isEmpty() ? b : a;
        return other.isBlank() || (isNumber(other) && other.number() == 0);
    }
    if (isNumber(a) && isNumber(b))
        return a.number() == b.number();
    return a.m_data == b.m_data;
}

} // namespace kelvaro
