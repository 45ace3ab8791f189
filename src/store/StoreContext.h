#pragma once

#include "Clock.h"
#include "DateLocale.h"
#include "SharedState.h"
#include "UserInterface.h"

namespace kelvaro {

// What the store's routines work on: the shared state and the services around it.
struct StoreContext {
    SharedState& state;
    const Clock& clock;
    const DateLocale& locale;
    UserInterface& ui;
};

} // namespace kelvaro
