#include "ListMaintenance.h"

#include "MessageFile.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <vector>

namespace kelvaro {

void SortMessages(StoreContext& ctx)
{
    SharedState& s = ctx.state;
    const int count = s.MessageCount;
    if (count < 2)
        return;
    ctx.ui.setBusy(true);
    // Each date is converted once; a stable sort keeps equal dates in their order, as the
    // pass-until-nothing-moves exchange of neighbours does.
    std::vector<qint64> keys(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const QDate date = s.Messages(i + 1, Field::Date).toDate(ctx.locale);
        keys[static_cast<std::size_t>(i)] =
            date.isValid() ? date.toJulianDay() : std::numeric_limits<qint64>::max();
    }
    std::vector<int> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) {
        return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)];
    });
    if (!std::is_sorted(order.begin(), order.end())) {
        std::vector<MessageTable::Row> sorted;
        sorted.reserve(order.size());
        for (int from : order)
            sorted.push_back(std::move(s.Messages.row(from + 1)));
        for (int i = 0; i < count; ++i)
            s.Messages.row(i + 1) = std::move(sorted[static_cast<std::size_t>(i)]);
    }
    ctx.ui.setBusy(false);
}

void DeleteMessage(SharedState& s)
{
    if (s.CurrentMessage < 1 || s.CurrentMessage > s.MessageCount)
        return;
    for (int i = s.CurrentMessage; i < s.MessageCount; ++i)
        s.Messages.row(i) = s.Messages.row(i + 1);
    s.Messages.row(s.MessageCount).fill(Value::null());
    --s.MessageCount;
}

void RemoveOutdated(StoreContext& ctx)
{
    SharedState& s = ctx.state;
    const QDate today = ctx.clock.today();
    ctx.ui.setBusy(true);
    int i = 1;
    // "Less than" rather than "differs from": with an empty table the walk must not start.
    while (i < s.MessageCount) {
        const QDate date = s.Messages(i, Field::Date).toDate(ctx.locale);
        const bool outdated =
            s.Messages(i, Field::Repeat).string() == u"ONCE" && date.isValid() && date < today;
        if (!outdated) {
            ++i;
            continue;
        }
        s.CurrentMessage = static_cast<qint16>(i);
        if (s.ConfirmRemoval) {
            const auto answer = ctx.ui.messageBox(
                QStringLiteral("Removing message: ") +
                    s.Messages(i, Field::Title).toText(ctx.locale),
                UserInterface::YesNo | UserInterface::Question, QStringLiteral("Please confirm"));
            if (answer != UserInterface::Answer::Yes) {
                ++i;
                continue;
            }
        }
        DeleteMessage(s);
    }
    SortMessages(ctx);
    SaveMessages(ctx);
    ctx.ui.setBusy(false);
}

} // namespace kelvaro
