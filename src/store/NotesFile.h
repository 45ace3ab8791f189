#pragma once

#include "StoreContext.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

namespace kelvaro {

// The notebook's one free text, kept in NotesFile as a single quoted item followed by CR LF.

// What a new notes file holds.
inline constexpr QStringView DefaultNotesText =
    u"'Notes' is intended as a little notebook. You can store little bits of information on it "
    u"(passwords, for example), or use it as a to do - list.\r\n\r\nThe text will, of course, be "
    u"saved automatically.";

// The bytes of a notes file holding text. A double quote in the text is written twice, so that
// it cannot end the item early; a text without one keeps the plain quoted form.
QByteArray formatNotes(const QString& text);

// The text of a notes file's contents. A file made by hand without a leading quote gives the text
// up to its first comma or line break; a quoted text that never closes runs to the end.
QString parseNotes(QStringView contents);

// Replaces NotesFile with text, in one step. A failure is reported to the user; the file on disk
// is then unchanged.
bool WriteNotes(StoreContext& ctx, const QString& text);

// Creates or overwrites NotesFile with the default text.
bool CreateNotesFile(StoreContext& ctx);

// The text in NotesFile, or nothing when the file cannot be read.
std::optional<QString> ReadNotes(const StoreContext& ctx);

} // namespace kelvaro
