#include "TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace kelvaro {

QString decodeFileText(const QByteArray& bytes)
{
    QStringDecoder system(QStringConverter::System, QStringConverter::Flag::Stateless);
    QString text = system.decode(bytes);
    if (!system.hasError())
        return text;
    QStringDecoder windows("Windows-1252");
    if (windows.isValid())
        return windows.decode(bytes);
    return QString::fromLatin1(bytes);
}

QByteArray encodeFileText(const QString& text)
{
    QStringEncoder system(QStringConverter::System);
    return system.encode(text);
}

} // namespace kelvaro
