#pragma once

#include <QDateTime>

namespace kelvaro {

// The current date and time. Tests use a clock they can set and advance.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace kelvaro
