#pragma once

#include "StoreContext.h"
#include "Value.h"

#include <QString>
#include <QStringView>

namespace kelvaro {

// The settings file, "Kelvaro.dat" in the program's folder: 42 lines of items (Booleans, whole
// numbers, quoted texts and one date), CR LF line ends. Lines 1 to 40 hold the settings and
// reserved items, 41 and 42 a warning to people who open it; only lines 1 to 40 are read.

// Where the settings file lies: the program's folder (AppDir) followed by "Kelvaro.dat".
QString defaultOptionsFile(const SharedState& state);

// Every setting to its default. The message file and the two default sounds are looked for in the
// program's folder (AppDir). Touches nothing but the settings in state.
void applyDefaultSettings(SharedState& state);

// The whole settings file as text. `created` is line 40, the day the file was first made, written
// back as it was read (a date when the file was made by this program).
QString formatSettings(const SharedState& state, const Value& created);

// Reads the settings of lines 1 to 40 from the text of a settings file, MinimizeMode and
// DefaultRepeat in upper case. A line of the wrong form for its setting, or a text that ends
// before line 40, makes the whole file unusable: returns false, says where in *problem and leaves
// `into` unchanged. Positions, the page delay and the colour take any whole number that fits 32
// bits, DefaultAdvanceDays one from 0 to 255. Needs no disk and changes nothing but `into`.
bool parseSettings(QStringView text, SharedState& into, QString* problem, Value* created = nullptr);

enum class SettingsRead { Read, Missing, Unreadable, Corrupted };

// Reads a settings file into the settings of `into` without creating, repairing or changing any
// file and without a word to the user: for readers that must leave everything as it is.
SettingsRead readSettingsFile(const QString& path, SharedState& into, QString* problem,
                              Value* created = nullptr);

// Writes the settings to OptionsFile in one step, keeping the creation date the file already has.
// A failure is reported to the user and returns false; the settings in memory stay as they are.
bool WriteOptions(StoreContext& ctx);

// Reads the settings from OptionsFile. A missing file is created with the defaults; a damaged one
// is copied aside and replaced by the defaults; a sound file that has gone is looked for in the
// program's folder, or else cleared, and the file is written back. Returns false when the
// settings in memory could not be read from or written to the file (the user has been told).
bool ReadOptions(StoreContext& ctx);

// Every setting to its default, the clock icon closed (so it comes back at its default place),
// the defaults written to a new file dated today and read back. Returns false when the file could
// not be written; the defaults are in effect all the same.
bool SetDefaultOptions(StoreContext& ctx);

} // namespace kelvaro
