#pragma once

#include "Value.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace kelvaro {

// The item format shared by the message, settings and notes files: one item per line (a quoted
// string may span lines), lines ended by CR LF.
//
//   "text"        a string; a double quote inside the text is written twice
//   #yyyy-mm-dd#  a date;  #NULL# a null;  #TRUE# / #FALSE# a Boolean
//   14            a number (period as decimal separator)
//   (nothing)     the empty value
QString formatItem(const Value& value);
// Appends the item to out, without building a string of its own.
void appendItem(QString& out, const Value& value);

// Reads items one after another from decoded file text. Accepts exactly what formatItem writes,
// with CR LF, LF or CR line ends.
class ItemReader {
public:
    explicit ItemReader(QStringView text) : m_text(text) {}

    // True when nothing but blanks and line ends remain.
    bool atEnd() const;
    // The next item, or nothing when the text ends or the item does not parse; error() then says
    // why and line() where.
    std::optional<Value> next();

    int line() const { return m_line; }
    const QString& error() const { return m_error; }

private:
    std::optional<Value> fail(const QString& reason);
    void skipRestOfLine();
    qsizetype lineEnd(qsizetype from) const;

    QStringView m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
    QString m_error;
};

} // namespace kelvaro
