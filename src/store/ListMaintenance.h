#pragma once

#include "StoreContext.h"

namespace kelvaro {

// Sorts records 1 to MessageCount by date, ascending; records with equal dates keep their order.
// A record whose date cannot be read goes after all dated records.
void SortMessages(StoreContext& ctx);

// Deletes record CurrentMessage: the records after it move up one place and the freed last slot
// holds nulls. The caller saves afterwards.
void DeleteMessage(SharedState& state);

// Removes one-time messages whose date has passed, asking first for each when ConfirmRemoval is
// set, then sorts and saves. The last record is never examined, so the table never empties here.
void RemoveOutdated(StoreContext& ctx);

} // namespace kelvaro
