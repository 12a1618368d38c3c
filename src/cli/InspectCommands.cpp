// The commands that read ROMs and write what they find: info, diff, export
// and tables.

#include <QDir>
#include <QFileInfo>

#include "cli/Images.h"
#include "cli/Outputs.h"
#include "cli/Request.h"
#include "data/CellText.h"
#include "data/RomHeaders.h"
#include "data/Tables.h"
#include "frontend/DumpDescription.h"
#include "frontend/HexText.h"
#include "frontend/ImageFacts.h"
#include "patch/ChangeList.h"
#include "patch/ChangeSetYaml.h"
#include "patch/PatchError.h"
#include "patch/TableCsv.h"
#include "rom/Checksum.h"
#include "rom/CopierHeader.h"
#include "rom/InternalHeader.h"
#include "rom/Version.h"

namespace torvale::cli {
namespace {

QString FromRom(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::span<const std::uint8_t> AsBytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

int Info(const Request& request) {
  const Image rom(request.files[0]);
  const RomFile& file = rom.Rom();
  const frontend::ImageHashes hashes = frontend::HashesOf(rom.file.Image());
  QTextStream& out = request.console.out;
  const auto country = ReadCountryCaption(file);
  out << "File:          " << QDir::toNativeSeparators(rom.file.path) << '\n'
      << "Copier header: "
      << (rom.file.header > 0 ? FromRom(ReadHeaderType(file)) : QStringLiteral("none")) << '\n'
      << "Internal name: " << FromRom(ReadRomName(file)).trimmed() << '\n'
      << "Version:       " << FromRom(ReadVersionCaption(file)) << '\n'
      << "Country:       "
      << (country ? FromRom(*country)
                  : QStringLiteral("unknown (%1)").arg(file.ReadByte(kCountryCodeOffset)))
      << '\n'
      << "Size:          " << rom.file.bytes.size() << " bytes; the image " << hashes.size
      << " bytes\n"
      << "Checksum:      " << frontend::ChecksumText(ReadChecksumStatus(file)) << '\n'
      << "CRC32:         " << frontend::HexNumber(hashes.crc32, 8) << '\n'
      << "MD5:           " << hashes.md5 << '\n'
      << "SHA-1:         " << hashes.sha1 << '\n'
      << "SHA-256:       " << hashes.sha256 << '\n'
      << "Dump:          " << frontend::DumpDescription(hashes.crc32).section(QStringLiteral(", "), 1)
      << '\n';
  return kDone;
}

// One line per change, tab-separated; other bytes show their bytes in hex.
int Diff(const Request& request) {
  const Image clean(request.files[0]);
  const Image rom(request.files[1]);
  RequireSameSize(clean, rom);
  const std::vector<std::uint8_t> now = rom.LaidOutLike(rom);
  const std::vector<std::uint8_t> was = clean.LaidOutLike(rom);
  const std::vector<Change> changes = ListChanges(now, was, request.text);
  for (const Change& change : changes) {
    const std::span<const std::uint8_t> before(was.data() + change.offset, change.length);
    const std::span<const std::uint8_t> after(now.data() + change.offset, change.length);
    const bool run = change.table.empty();
    request.console.out
        << (run ? QStringLiteral("Other bytes") : QString::fromStdString(change.table)) << '\t'
        << QString::fromStdString(change.entry) << '\t'
        << (run ? QStringLiteral("%1 bytes").arg(change.length) : QString::fromStdString(change.field))
        << '\t' << (run ? frontend::HexBytes(before, change.length) : QString::fromStdString(change.clean))
        << '\t' << (run ? frontend::HexBytes(after, change.length) : QString::fromStdString(change.now))
        << '\t' << frontend::HexNumber(change.offset, 6) << '\n';
  }
  return changes.empty() ? kDone : kDifferences;
}

int Export(const Request& request) {
  RequireOutput(request);
  const Image clean(request.files[0]);
  const Image rom(request.files[1]);
  RequireSameSize(clean, rom);
  ChangeSet changes = ChangeSetOf(clean.file.Image(), rom.file.Image(), request.text);
  changes.clean = frontend::CleanFactsOf(clean.file.Image());
  changes.program = std::string(kProgramName) + " " + VersionText();
  ListEntries lists(request.text, rom.Rom());
  const std::string yaml = WriteChangeSetYaml(changes, lists);
  WriteOutput(request.output, AsBytes(yaml), request.files, request.force, "change set");
  request.console.out << "Wrote " << changes.fields.size() << " field changes and "
                      << changes.runs.size() << " runs of other bytes to \""
                      << QDir::toNativeSeparators(request.output) << "\".\n";
  return kDone;
}

// One CSV per table, named after it, into the folder; no file is written
// before every one is known to be writable.
int Tables(const Request& request) {
  RequireOutput(request);
  const Image rom(request.files[0]);
  if (!QDir().mkpath(request.output)) {
    throw PatchError("the folder \"" + request.output.toStdString() + "\" could not be made");
  }
  std::vector<std::pair<QString, std::string>> files;
  ListEntries lists(request.text, rom.Rom());
  for (const Table* table : AllTables()) {
    if (table == &RomHeaderTable()) continue;
    std::vector<Record> records;
    for (int record = 0; record < table->count; ++record) {
      records.push_back(ReadRecord(*table, request.text, rom.Rom(), record));
    }
    const QString name = FromRom(table->name).replace(u'/', u'-') + QStringLiteral(".csv");
    files.emplace_back(QDir(request.output).filePath(name),
                       WriteTableCsv(*table, records, lists));
    RequireWritable(files.back().first, request.files, request.force);
  }
  for (const auto& [path, csv] : files) {
    WriteOutput(path, AsBytes(csv), request.files, true, "CSV file");
    request.console.out << QDir::toNativeSeparators(path) << '\n';
  }
  return kDone;
}

}  // namespace torvale::cli
