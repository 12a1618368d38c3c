#include "cli/Cli.h"

#include <QCommandLineParser>
#include <map>

#include "cli/Request.h"
#include "frontend/DataFolder.h"
#include "rom/RomError.h"
#include "rom/Version.h"

namespace torvale::cli {
namespace {

struct CommandEntry {
  Command run;
  const char* usage;  // its files, as the usage shows them
  int leastFiles;
  int mostFiles;  // -1: no limit
  const char* summary;
};

const std::map<QString, CommandEntry>& Commands() {
  static const std::map<QString, CommandEntry> commands = {
      {"info", {Info, "info ROM", 1, 1, "the ROM's header, checksum, hashes, and whether it is a known unedited dump"}},
      {"diff", {Diff, "diff CLEAN ROM", 2, 2, "the changes of ROM against CLEAN, one per line: table, entry, field, clean, now, file offset"}},
      {"export", {Export, "export CLEAN ROM -o HACK.yaml", 2, 2, "the change set of ROM against CLEAN"}},
      {"apply", {Apply, "apply ROM SOURCE... [--clean CLEAN] (-o OUT | --in-place)", 2, -1, "each change set (.yaml), BPS or IPS patch or table's CSV to ROM, in order"}},
      {"merge", {Merge, "merge CLEAN SOURCE... -o OUT", 2, -1, "one change set (.yaml) or patch (.bps, .ips) from several, or their conflicts"}},
      {"patch", {Patch, "patch CLEAN ROM -o OUT.bps|OUT.ips [--title T] [--author A] [--description D]", 2, 2, "a patch from CLEAN to ROM, and its release block"}},
      {"tables", {Tables, "tables ROM -o FOLDER", 1, 1, "every table of ROM as CSV, as the grid exports it"}},
  };
  return commands;
}

QString Usage() {
  QString usage = QStringLiteral("Usage: torvale-cli [options] COMMAND FILE...\n"
                                 "Reads, compares, patches and merges Final Fantasy II (US) ROM "
                                 "images without a display.\n\nCommands:\n");
  for (const auto& [name, command] : Commands()) {
    usage += QStringLiteral("  %1\n      %2\n").arg(QLatin1String(command.usage), QLatin1String(command.summary));
  }
  usage += QStringLiteral(
      "\nOptions:\n"
      "  -o, --output PATH     the file (or folder) to write; refused if it exists, unless --force\n"
      "  --force               replaces an output file that exists\n"
      "  --in-place            apply: writes ROM itself, locked, checked and synced, all or nothing\n"
      "  --clean CLEAN         apply: the clean ROM to judge each change against, three ways\n"
      "  --title TEXT          patch: the patch's title, in a BPS patch's metadata\n"
      "  --author TEXT         patch: its author\n"
      "  --description TEXT    patch: its description\n"
      "  -h, --help            shows this help and ends\n"
      "  -v, --version         shows the program's version and ends\n"
      "\nExit status: 0 done; 1 differences or conflicts (nothing written); 2 the input refused "
      "or the command wrong.\n");
  return usage;
}

}  // namespace

int RunCommandLine(const QStringList& arguments, const QString& programFolder, Console console,
                   RomIo& io) {
  QCommandLineParser parser;
  const QCommandLineOption help({"h", "help"}, "help");
  const QCommandLineOption version({"v", "version"}, "version");
  const QCommandLineOption output({"o", "output"}, "output", "PATH");
  const QCommandLineOption force("force", "force");
  const QCommandLineOption inPlace("in-place", "in place");
  const QCommandLineOption clean("clean", "clean", "CLEAN");
  const QCommandLineOption title("title", "title", "TEXT");
  const QCommandLineOption author("author", "author", "TEXT");
  const QCommandLineOption description("description", "description", "TEXT");
  parser.addOptions({help, version, output, force, inPlace, clean, title, author, description});
  const auto wrong = [&](const QString& why) {
    console.err << "torvale-cli: " << why << "\n\n" << Usage();
    return kRefused;
  };
  if (!parser.parse(arguments)) return wrong(parser.errorText());
  if (parser.isSet(help)) {
    console.out << Usage();
    return kDone;
  }
  if (parser.isSet(version)) {
    console.out << "torvale-cli " << QString::fromStdString(VersionText()) << '\n';
    return kDone;
  }
  QStringList files = parser.positionalArguments();
  if (files.isEmpty()) return wrong(QStringLiteral("Name a command."));
  const QString name = files.takeFirst();
  const auto entry = Commands().find(name);
  if (entry == Commands().end()) return wrong(QStringLiteral("Unknown command '%1'.").arg(name));
  const CommandEntry& command = entry->second;
  if (files.size() < command.leastFiles ||
      (command.mostFiles >= 0 && files.size() > command.mostFiles)) {
    return wrong(QStringLiteral("Usage: torvale-cli %1").arg(QLatin1String(command.usage)));
  }
  const QString tableFile = frontend::DataFilePathIn(programFolder, QStringLiteral("FF2us.tbl"));
  const TextCodec text(tableFile.toStdString(), [&] {
    console.err << "torvale-cli: the data file \"" << tableFile
                << "\" is missing; reinstall the program.\n";
  });
  const Request request{files,
                        parser.value(output),
                        parser.value(clean),
                        parser.isSet(force),
                        parser.isSet(inPlace),
                        parser.value(title),
                        parser.value(author),
                        parser.value(description),
                        console,
                        text,
                        io};
  try {
    return command.run(request);
  } catch (const RomError& error) {
    console.err << "torvale-cli: " << QString::fromLocal8Bit(error.what()) << '\n';
    return kRefused;
  }
}

}  // namespace torvale::cli
