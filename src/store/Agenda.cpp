#include "Agenda.h"

#include "Recurrence.h"

namespace kelvaro {

QStringList agendaLines(StoreContext& ctx)
{
    BuildShownList(ctx);
    const SharedState& s = ctx.state;
    if (s.ShownCount == 0)
        return {s.Shown(1, ShownField::Title).string()};
    QStringList lines;
    const QDate today = ctx.clock.today();
    for (int r = 1; r <= s.ShownCount; ++r) {
        const QString title = s.Shown(r, ShownField::Title).toText(ctx.locale);
        lines << dayLabel(s.Shown.row(r), today, ctx.locale).caption + u'\t' +
                     QString(title).replace(u'\n', u' ').remove(u'\r');
    }
    return lines;
}

} // namespace kelvaro
