#include "frontend/ChangeSources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "data/CellText.h"
#include "data/Tables.h"
#include "frontend/HexText.h"
#include "frontend/ImageFacts.h"
#include "frontend/RomImageFile.h"
#include "patch/BpsPatch.h"
#include "patch/ChangeSetYaml.h"
#include "patch/ImageView.h"
#include "patch/IpsPatch.h"
#include "patch/PatchError.h"
#include "patch/TableCsv.h"
#include "rom/RomImage.h"

namespace torvale::frontend {
namespace {

// A file of changes is far smaller than this; anything larger is not one.
constexpr qint64 kLargestSource = 64 * 1024 * 1024;

const QStringList kRomSuffixes = {"smc", "sfc", "swc", "fig"};

[[noreturn]] void Refuse(const QString& path, const std::string& why) {
  throw PatchError("\"" + QDir::toNativeSeparators(path).toStdString() + "\": " + why);
}

}  // namespace

std::vector<std::uint8_t> ReadChangeFile(const QString& path) {
  QFile file(path);
  if (QFileInfo(path).size() > kLargestSource) Refuse(path, "is too large to be a file of changes");
  if (!file.open(QIODevice::ReadOnly))
    Refuse(path, "could not be read (" + file.errorString().toStdString() + ")");
  const QByteArray bytes = file.readAll();
  return {bytes.begin(), bytes.end()};
}

namespace {

// "Monster Attack-Defense.csv" is the table "Monster Attack/Defense".
const Table& TableOfCsv(const QString& path) {
  const QString base = QFileInfo(path).completeBaseName();
  for (const Table* table : AllTables()) {
    QString name =
        QString::fromLatin1(table->name.data(), static_cast<qsizetype>(table->name.size()));
    if (base.compare(name.replace(u'/', u'-'), Qt::CaseInsensitive) == 0) return *table;
  }
  Refuse(path,
         "names no table of the game: a table's CSV is named after its table, as \"Items.csv\"");
}

ChangeSet ChangesOfCsv(const QString& path, std::span<const std::uint8_t> clean,
                       const TextCodec& text) {
  const Table& table = TableOfCsv(path);
  const std::vector<std::uint8_t> csv = ReadChangeFile(path);
  const ImageView view({}, clean);
  std::vector<Record> records;
  for (int record = 0; record < table.count; ++record) {
    records.push_back(ReadRecord(table, text, view.Rom(), record));
  }
  ListEntries lists(text, view.Rom());
  const CsvReading reading =
      ReadTableCsv(table, std::string_view(reinterpret_cast<const char*>(csv.data()), csv.size()),
                   records, lists);
  if (!reading.refusals.empty()) {
    const CsvRefusal& first = reading.refusals.front();
    Refuse(path, "line " + std::to_string(first.line) + ", " + first.column + ": \"" + first.text +
                     "\" " + first.why + " (" + std::to_string(reading.refusals.size()) +
                     " cells refused in all)");
  }
  ChangeSet changes;
  std::vector<CsvEdit> edits = reading.edits;  // in the file's order; a set's go by record
  std::ranges::sort(edits, {}, [](const CsvEdit& edit) { return std::pair(edit.record, edit.field); });
  for (const CsvEdit& edit : edits) {
    changes.fields.push_back({&table, edit.record, edit.field, edit.value});
  }
  return changes;
}

// A change set names the clean image it was made against; applied to another
// one, its fields would mean other bytes.
void RequireMadeAgainst(const CleanImageFacts& recorded, const CleanImageFacts& clean) {
  const bool sameSha1 = recorded.sha1.empty() || recorded.sha1 == clean.sha1;
  if (recorded.size == clean.size && recorded.crc32 == clean.crc32 && sameSha1) return;
  throw PatchError("was made against a clean image of " + std::to_string(recorded.size) +
                   " bytes, CRC32 " + HexNumber(recorded.crc32, 8).toStdString() + "; the clean image has " +
                   std::to_string(clean.size) + " bytes, CRC32 " + HexNumber(clean.crc32, 8).toStdString());
}

}  // namespace

ChangeSet ReadChangeSetFile(const QString& path) {
  const std::vector<std::uint8_t> yaml = ReadChangeFile(path);
  try {
    return ReadChangeSetYaml(
        std::string_view(reinterpret_cast<const char*>(yaml.data()), yaml.size()));
  } catch (const PatchError& error) {
    Refuse(path, error.what());
  }
}

bool IsChangeSource(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  return QStringList{"yaml", "yml", "bps", "ips", "csv"}.contains(suffix) ||
         kRomSuffixes.contains(suffix);
}

ChangeSource ReadChangeSource(const QString& path, std::span<const std::uint8_t> clean,
                              const TextCodec& text) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  ChangeSource source;
  try {
    if (suffix == "yaml" || suffix == "yml") {
      source.changes = ReadChangeSetFile(path);
      RequireMadeAgainst(source.changes.clean, CleanFactsOf(clean));
    } else if (suffix == "bps") {
      BpsContents patched = ReadBps(ReadChangeFile(path), clean);
      source.changes = ChangeSetOf(clean, patched.target, text);
      source.metadata = std::move(patched.metadata);
    } else if (suffix == "ips") {
      source.changes = ChangeSetOf(clean, ReadIps(ReadChangeFile(path), clean), text);
    } else if (suffix == "csv") {
      source.changes = ChangesOfCsv(path, clean, text);
    } else if (kRomSuffixes.contains(suffix)) {
      const RomImageFile rom = ReadRomImageFile(path);
      if (rom.Image().size() != clean.size()) {
        Refuse(path, "holds an image of " + std::to_string(rom.Image().size()) +
                         " bytes; the clean image holds " + std::to_string(clean.size()));
      }
      source.changes = ChangeSetOf(clean, rom.Image(), text);
    } else {
      Refuse(path,
             "is not a file of changes: Torvale reads change sets (.yaml), BPS and IPS "
             "patches, tables' CSV and ROM files");
    }
  } catch (const PatchError& error) {
    const std::string what = error.what();
    if (what.starts_with("\"")) throw;
    Refuse(path, what);
  }
  if (source.changes.clean.size == 0) source.changes.clean = CleanFactsOf(clean);
  return source;
}

}  // namespace torvale::frontend
