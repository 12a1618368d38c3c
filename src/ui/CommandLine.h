#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace torvale::ui {

// What the program's arguments ask for: `torvale [FILE]`, `--help`,
// `--version`. When `exitCode` is set the program prints `output` (to
// standard error when `toStandardError`) and ends with that code; otherwise
// it starts and opens `romFile` when one was given.
struct CommandLine {
  QString romFile;
  std::optional<int> exitCode;
  QString output;
  bool toStandardError = false;
};

// `arguments` as the program received them, its own name first. Needs no
// application object, so that --help and --version work without a display.
CommandLine ReadCommandLine(const QStringList& arguments);

}  // namespace torvale::ui
