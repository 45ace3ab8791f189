// Damaged and hostile settings files: a file the reader rejects leaves the settings as they were,
// and one it accepts is written back so that it reads to the same settings again.
#include "FuzzSupport.h"
#include "Settings.h"

using namespace kelvaro;
using kelvaro::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Made once: the shared state carries the whole message table.
    static SharedState state;
    static const Value noDate;
    applyDefaultSettings(state);
    const QString before = formatSettings(state, noDate);

    const QString text = fuzz::fileText(data, size);
    QString problem;
    Value created;
    if (!parseSettings(text, state, &problem, &created)) {
        require(!problem.isEmpty(), "a rejected file says why");
        require(formatSettings(state, noDate) == before, "a rejected file changes nothing");
        return 0;
    }

    const QString written = formatSettings(state, created);
    QString problemAgain;
    Value createdAgain;
    require(parseSettings(written, state, &problemAgain, &createdAgain),
            "written settings read back", problemAgain);
    require(formatSettings(state, createdAgain) == written, "written settings read back the same",
            written);
    require(fuzz::sameCell(created, createdAgain), "the creation date reads back as written",
            fuzz::describe(created) + QStringLiteral(" came back as ") +
                fuzz::describe(createdAgain));
    return 0;
}
