#pragma once

#include "StoreContext.h"

#include <QString>
#include <QStringView>

namespace kelvaro {

// True when a search for path (which may hold the wildcards * and ?) finds at least one ordinary
// file: not a folder, not hidden.
bool FileExists(const QString& path);

// Writes records 1 to MessageCount to MessageFile, replacing it in one step. Does nothing while
// SaveBlocked is set. An empty list is saved as one placeholder record, since a message file is
// never empty. Returns whether the file was written; a failure has been reported to the user.
bool SaveMessages(StoreContext& ctx);

// The whole message file as text, ready to be written. Converts field 1 of every record to a date
// (a side effect the saved table keeps, as the file does).
QString formatMessages(StoreContext& ctx);

struct MessageParse {
    int records = 0;      // complete records read
    bool complete = true; // false: the text is damaged after `records` records
    bool tooMany = false; // more records than the table holds; the first ones were read
    int line = 0;         // where the damage is
    QString reason;
};

// Reads records into table from decoded file text, at most the table's size. Field 1 is left as
// the file gives it (a date).
MessageParse parseMessages(QStringView text, MessageTable& table);

enum class ReadMode {
    Program, // a damaged file is copied aside before anything can save over it
    ReadOnly // nothing on disk is created or changed (the agenda)
};

enum class LoadOutcome { Loaded, Missing, Unreadable, Damaged, TooMany };

// The reading part of LoadMessages: fills Messages and MessageCount from MessageFile, field 1 as
// short-date text. Anything short of a clean load is reported to the user.
LoadOutcome ReadMessageFile(StoreContext& ctx, ReadMode mode = ReadMode::Program);

} // namespace kelvaro
