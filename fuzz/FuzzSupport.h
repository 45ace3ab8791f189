#pragma once

#include "TextCodec.h"
#include "Value.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace kelvaro::fuzz {

// The fuzzer's bytes as the readers receive a file's contents: decoded the way files are.
inline QString fileText(const uint8_t* data, size_t size)
{
    return decodeFileText(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
}

// Stops the run with the input that broke a promise of the reader, so libFuzzer keeps it.
inline void require(bool holds, const char* promise, const QString& detail = {})
{
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s\n%s\n", promise, qPrintable(detail.left(2000)));
    std::abort();
}

// Whether a cell read back from a saved file holds what was saved: numbers by value (a whole
// number may come back as the other kind of number), everything else by kind and content.
inline bool sameCell(const Value& saved, const Value& readBack)
{
    using Kind = Value::Kind;
    const auto isNumber = [](const Value& v) {
        return v.kind() == Kind::Integer || v.kind() == Kind::Double;
    };
    if (isNumber(saved) && isNumber(readBack))
        return saved.number() == readBack.number();
    if (saved.kind() != readBack.kind())
        return false;
    switch (saved.kind()) {
    case Kind::String:
        return saved.string() == readBack.string();
    case Kind::Date:
        return saved.date() == readBack.date();
    case Kind::Boolean:
        return saved.boolean() == readBack.boolean();
    default:
        return true;
    }
}

// A cell as a line of a failure report.
inline QString describe(const Value& v)
{
    return QStringLiteral("kind %1: %2")
        .arg(int(v.kind()))
        .arg(v.kind() == Value::Kind::Double ? QString::number(v.number(), 'g', 17)
             : v.kind() == Value::Kind::Date ? v.date().toString(Qt::ISODate)
                                             : v.string() + QString::number(v.integer()));
}

} // namespace kelvaro::fuzz
