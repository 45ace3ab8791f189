#pragma once

#include "MessageFile.h"
#include "StoreContext.h"

#include <QDateTime>
#include <QStringList>
#include <QStringView>

namespace kelvaro {

// Shown, before the program ends, when an automatic launch comes too soon after the last use.
inline constexpr QStringView AutoLaunchAbortNotice =
    u"Aborting auto-launch. Option 'No auto launch if restart within 15 minutes' is in effect.";

// Whether a launch by the Startup shortcut is to be refused: an argument holds "startup" in any
// case, NoRepeatLaunch is set, and the message file was written less than 15 minutes before now,
// counted in minute boundaries. The message file is rewritten on every change, so its time stands
// for the last use. arguments are as QCoreApplication::arguments() gives them, the program first;
// the program's own path is not an argument, even when a folder on it is called "Startup".
bool AutoLaunchRefused(const QStringList& arguments, const SharedState& state,
                       const QDateTime& now);

// Finds the message file and reads it. A file missing from where the settings point is looked
// for in the program's folder; failing that, the default name starts first use (example
// messages, notes file, shortcuts, sound and screen checks) and any other name gets a new file
// of one record in the program's folder.
LoadOutcome LoadMessages(StoreContext& ctx);

// Clears the message table and seeds it: the six example messages (WithExamples) or the one
// record of a new file. With AskName the file picker names and saves the new file; otherwise it
// is saved to MessageFile and the settings are written.
void InitMessages(StoreContext& ctx, bool AskName, bool WithExamples);

} // namespace kelvaro
