#include "ItemFormat.h"

#include <QLocale>
#include <limits>

namespace kelvaro {

QString formatItem(const Value& value)
{
    QString item;
    appendItem(item, value);
    return item;
}

void appendItem(QString& out, const Value& value)
{
    switch (value.kind()) {
    case Value::Kind::Empty:
        return;
    case Value::Kind::Null:
        out += QLatin1StringView("#NULL#");
        return;
    case Value::Kind::String: {
        const QString text = value.string();
        out += u'"';
        // Without the doubling a quote typed into a title would end the item early and shift
        // every later item of the file.
        if (text.contains(u'"'))
            out += QString(text).replace(u'"', QLatin1StringView("\"\""));
        else
            out += text;
        out += u'"';
        return;
    }
    case Value::Kind::Integer:
        out += QString::number(value.integer());
        return;
    case Value::Kind::Double:
        // The fewest digits that read back as exactly this number: a fixed 15 rounded numbers of
        // 16 and 17 digits on every save.
        out += QString::number(value.number(), 'g', QLocale::FloatingPointShortest);
        return;
    case Value::Kind::Date: {
        const QDate date = value.date();
        out += u'#';
        out += QString::asprintf("%04d-%02d-%02d", date.year(), date.month(), date.day());
        out += u'#';
        return;
    }
    case Value::Kind::Boolean:
        out += value.boolean() ? QLatin1StringView("#TRUE#") : QLatin1StringView("#FALSE#");
        return;
    }
}

namespace {

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Line breaks in text, CR LF, LF and CR each counting once. One pass: the texts are most of a
// message file, and a search for each kind of break took a fifth of the time to load one.
int lineBreaks(QStringView text)
{
    int breaks = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isLineBreak(text[i]))
            continue;
        ++breaks;
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
    }
    return breaks;
}

// Parses a bare number the way the writer produces it: an optional minus, digits, an optional
// period and fraction. Whole numbers that fit 16 bits are integers, the rest doubles.
std::optional<Value> parseNumber(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    if (text[0] == u'-' || text[0] == u'+')
        ++i;
    qsizetype digits = 0;
    bool fraction = false;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9') {
            ++digits;
        } else if (c == u'.' && !fraction) {
            fraction = true;
        } else if ((c == u'E' || c == u'e') && digits > 0) {
            break; // exponent: leave the rest to the full conversion below
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    if (!fraction && number >= std::numeric_limits<qint16>::min() &&
        number <= std::numeric_limits<qint16>::max() &&
        text.indexOf(u'e', 0, Qt::CaseInsensitive) < 0)
        return Value(static_cast<qint16>(number));
    return Value(number);
}

} // namespace

qsizetype ItemReader::lineEnd(qsizetype from) const
{
    qsizetype i = from;
    while (i < m_text.size() && !isLineBreak(m_text[i]))
        ++i;
    return i;
}

void ItemReader::skipRestOfLine()
{
    m_pos = lineEnd(m_pos);
    if (m_pos < m_text.size()) {
        if (m_text[m_pos] == u'\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == u'\n')
            ++m_pos;
        ++m_pos;
        ++m_line;
    }
}

bool ItemReader::atEnd() const
{
    for (qsizetype i = m_pos; i < m_text.size(); ++i) {
        if (!isBlank(m_text[i]) && !isLineBreak(m_text[i]))
            return false;
    }
    return true;
}

std::optional<Value> ItemReader::fail(const QString& reason)
{
    m_error = reason;
    return std::nullopt;
}

std::optional<Value> ItemReader::next()
{
    if (m_pos >= m_text.size())
        return fail(QStringLiteral("the file ends in the middle of a record"));
    while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
        ++m_pos;

    if (m_pos < m_text.size() && m_text[m_pos] == u'"') {
        const int startLine = m_line;
        QString text;
        qsizetype i = m_pos + 1;
        for (;;) {
            const qsizetype quote = m_text.indexOf(u'"', i);
            if (quote < 0) {
                m_line = startLine;
                return fail(QStringLiteral("a text has no closing quote"));
            }
            const QStringView part = m_text.mid(i, quote - i);
            text += part;
            m_line += lineBreaks(part);
            if (quote + 1 < m_text.size() && m_text[quote + 1] == u'"') {
                text += u'"';
                i = quote + 2;
                continue;
            }
            m_pos = quote + 1;
            break;
        }
        skipRestOfLine();
        return Value(text);
    }

    const qsizetype end = lineEnd(m_pos);
    const QStringView item = m_text.mid(m_pos, end - m_pos).trimmed();
    if (item.startsWith(u'#')) {
        const qsizetype close = item.indexOf(u'#', 1);
        if (close < 0)
            return fail(QStringLiteral("a date has no closing number sign"));
        const QStringView inner = item.mid(1, close - 1);
        std::optional<Value> value;
        if (inner == u"NULL")
            value = Value::null();
        else if (inner == u"TRUE")
            value = Value(true);
        else if (inner == u"FALSE")
            value = Value(false);
        else if (const QDate date = QDate::fromString(inner.toString(), Qt::ISODate);
                 date.isValid())
            value = Value(date);
        else
            return fail(QStringLiteral("\"%1\" is not a date").arg(item.toString()));
        skipRestOfLine();
        return value;
    }
    if (item.isEmpty()) {
        skipRestOfLine();
        return Value();
    }
    std::optional<Value> number = parseNumber(item);
    if (!number)
        return fail(QStringLiteral("\"%1\" is neither text, a date nor a number")
                        .arg(item.left(40).toString()));
    skipRestOfLine();
    return number;
}

} // namespace kelvaro
