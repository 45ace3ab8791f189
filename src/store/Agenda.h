#pragma once

#include "StoreContext.h"

#include <QStringList>

namespace kelvaro {

// The board's display list for today as lines of text: the day label, a tab and the title of
// each shown message, or the single line "No messages found..." when nothing is shown.
QStringList agendaLines(StoreContext& ctx);

} // namespace kelvaro
