#include "ui/CommandLine.h"

#include <QCommandLineParser>

#include "rom/Version.h"

namespace torvale::ui {
namespace {

constexpr int kUsageError = 2;

// Qt names the program in the usage line only when an application object
// exists; the line is written here so that it always reads the same.
QString Usage(const QCommandLineParser& parser) {
  return QStringLiteral("Usage: torvale [options] [FILE]\n") + parser.helpText().section(u'\n', 1);
}

}  // namespace

CommandLine ReadCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Edits the game data of a Final Fantasy II (US) ROM image in place."));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Shows this help and ends."));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   QStringLiteral("Shows the program's version and ends."));
  parser.addOption(help);
  parser.addOption(version);
  parser.addPositionalArgument(QStringLiteral("FILE"),
                               QStringLiteral("The ROM file to open instead of asking for one."),
                               QStringLiteral("[FILE]"));
  CommandLine command;
  QString error;
  if (!parser.parse(arguments)) {
    error = parser.errorText();
  } else if (parser.positionalArguments().size() > 1) {
    error = QStringLiteral("Only one file can be opened at a time.");
  }
  if (!error.isEmpty()) {
    command.exitCode = kUsageError;
    command.output = QStringLiteral("torvale: ") + error + QStringLiteral("\n\n") + Usage(parser);
    command.toStandardError = true;
  } else if (parser.isSet(help)) {
    command.exitCode = 0;
    command.output = Usage(parser);
  } else if (parser.isSet(version)) {
    command.exitCode = 0;
    command.output =
        QString::fromLatin1(kProgramName) + u' ' + QString::fromStdString(VersionText()) + u'\n';
  } else {
    command.romFile = parser.positionalArguments().value(0);
  }
  return command;
}

}  // namespace torvale::ui
