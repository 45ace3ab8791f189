#pragma once

#include "Value.h"

#include <array>
#include <vector>

namespace kelvaro {

// A fixed-size table of value cells addressed 1-based as (record, field), the way every routine
// of the program counts.
template <int Rows, int Fields> class Table {
public:
    using Row = std::array<Value, Fields>;
    static constexpr int rows = Rows;
    static constexpr int fields = Fields;

    Table() : m_rows(Rows) {}

    Value& operator()(int row, int field) { return m_rows[index(row)][fieldIndex(field)]; }
    const Value& operator()(int row, int field) const
    {
        return m_rows[index(row)][fieldIndex(field)];
    }
    Row& row(int row) { return m_rows[index(row)]; }
    const Row& row(int row) const { return m_rows[index(row)]; }

    void fill(const Value& value)
    {
        for (Row& r : m_rows)
            r.fill(value);
    }

private:
    static std::size_t index(int row)
    {
        Q_ASSERT(row >= 1 && row <= Rows);
        return static_cast<std::size_t>(row - 1);
    }
    static std::size_t fieldIndex(int field)
    {
        Q_ASSERT(field >= 1 && field <= Fields);
        return static_cast<std::size_t>(field - 1);
    }

    std::vector<Row> m_rows;
};

constexpr int MaxMessages = 1000;
constexpr int MaxShown = 100;
using MessageTable = Table<MaxMessages, 10>;
using ShownTable = Table<MaxShown, 7>;

// Fields of a message record.
namespace Field {
constexpr int Date = 1, Title = 2, Body = 3, Repeat = 4, BirthYear = 5, Reserved6 = 6,
              AdvanceDays = 7, AlarmTime = 8, AlarmSound = 9, Reserved10 = 10;
}
// Fields of a display-list row.
namespace ShownField {
constexpr int Date = 1, Title = 2, Body = 3, AlarmTime = 4, AlarmSound = 5, Extra = 6, Age = 7;
}

} // namespace kelvaro
