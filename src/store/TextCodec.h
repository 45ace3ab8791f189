#pragma once

#include <QByteArray>
#include <QString>

namespace kelvaro {

// Text files are written in the system's 8-bit encoding. A file whose bytes are not valid in it
// was most likely made on a Windows machine: it is read as Windows-1252 so its accents survive.
QString decodeFileText(const QByteArray& bytes);
QByteArray encodeFileText(const QString& text);

} // namespace kelvaro
