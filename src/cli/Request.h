#pragma once

#include <QString>
#include <QStringList>

#include "cli/Cli.h"
#include "text/TextCodec.h"

namespace torvale::cli {

// A command as the command line gives it.
struct Request {
  QStringList files;  // the command's files, in order
  QString output;     // -o
  QString clean;      // --clean
  bool force = false;
  bool inPlace = false;
  QString title, author, description;
  Console console;
  const TextCodec& text;
  RomIo& io;  // how a ROM is written in place
};

using Command = int (*)(const Request& request);

int Info(const Request& request);
int Diff(const Request& request);
int Export(const Request& request);
int Apply(const Request& request);
int Merge(const Request& request);
int Patch(const Request& request);
int Tables(const Request& request);

}  // namespace torvale::cli
