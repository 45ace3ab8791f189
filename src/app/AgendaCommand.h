#pragma once

#include <QStringList>

namespace kelvaro {

// `Kelvaro --agenda [FILE]`: prints today's board as text. Needs no display and writes no file.
// Returns the process's exit code.
int runAgenda(const QStringList& arguments);

} // namespace kelvaro
