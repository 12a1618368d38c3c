#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include "rom/RomIo.h"

namespace torvale::cli {

// How a command ends: done; differences or conflicts found (nothing written
// where something was to be); the input refused or the command wrong.
enum ExitCode { kDone = 0, kDifferences = 1, kRefused = 2 };

// Where a command prints: its result on standard output, its refusals on
// standard error, in the program's own words.
struct Console {
  QTextStream& out;
  QTextStream& err;
};

// Runs `torvale-cli` with `arguments` (its own name first); the exit status.
// A ROM written in place is written through `io`.
int RunCommandLine(const QStringList& arguments, const QString& programFolder, Console console,
                   RomIo& io = SystemRomIo());

}  // namespace torvale::cli
