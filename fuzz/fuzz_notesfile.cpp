// Damaged and hostile notes files: any text the reader gets out of them is written so that it
// reads back exactly, or the notebook would change the user's notes on every save.
#include "FuzzSupport.h"
#include "NotesFile.h"

using namespace kelvaro;
using kelvaro::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = parseNotes(fuzz::fileText(data, size));
    const QString readBack = parseNotes(decodeFileText(formatNotes(text)));
    require(readBack == text, "notes read back as written", text);
    return 0;
}
