// The commands that take changes in and write them out: apply, merge and patch.

#include <QDir>
#include <QFileInfo>
#include <future>
#include <optional>

#include "cli/Images.h"
#include "cli/Outputs.h"
#include "cli/Request.h"
#include "data/CellText.h"
#include "frontend/ChangeSources.h"
#include "frontend/HexText.h"
#include "frontend/ImageFacts.h"
#include "frontend/PatchMetadata.h"
#include "patch/BpsPatch.h"
#include "patch/ChangePlan.h"
#include "patch/ChangeSetYaml.h"
#include "patch/ImageDiff.h"
#include "patch/ImageIdentity.h"
#include "patch/IpsPatch.h"
#include "patch/PatchError.h"
#include "rom/RomChange.h"
#include "rom/RomIdentity.h"
#include "rom/RomImage.h"
#include "rom/Version.h"

namespace torvale::cli {
namespace {

using Bytes = std::vector<std::uint8_t>;

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// "Items\tPotion\tPrice": a field of a record, named as the editors name it.
QString Named(const FieldChange& change, ListEntries& lists) {
  return Latin1(change.table->name) + u'\t' +
         QString::fromStdString(lists.Entry(change.table->entries, change.record)) + u'\t' +
         Latin1(change.table->fields[change.field].label);
}

QString Shown(const FieldChange& change, const Value& value, ListEntries& lists) {
  return QString::fromStdString(ShownValue(change.table->fields[change.field], value, lists));
}

Value ValueIn(const FieldChange& change, const RomFile& rom, const TextCodec& text) {
  return ReadRecord(*change.table, text, rom, change.record)[change.field];
}

Bytes Behind(std::span<const std::uint8_t> header, std::span<const std::uint8_t> image) {
  Bytes file(header.begin(), header.end());
  file.insert(file.end(), image.begin(), image.end());
  return file;
}

std::string ProgramName() {
  return std::string(kProgramName) + " " + VersionText();
}

// A source's changes written into `image` as they stand, with no clean ROM
// to judge them against: a BPS patch applies only to the image it was made
// from.
Bytes AppliedAsTheyStand(const QString& source, const Bytes& image, const TextCodec& text) {
  const QString suffix = QFileInfo(source).suffix().toLower();
  if (suffix == "bps" || suffix == "ips") {
    const Bytes patch = frontend::ReadChangeFile(source);
    try {
      return suffix == "bps" ? ReadBps(patch, image).target : ReadIps(patch, image);
    } catch (const PatchError& error) {
      std::string why = error.what();
      if (why.ends_with('.')) why.pop_back();
      throw PatchError("\"" + QDir::toNativeSeparators(source).toStdString() + "\": " + why +
                       (suffix == "bps" ? "; give --clean CLEAN to apply it to an edited ROM"
                                        : ""));
    }
  }
  if (!frontend::IsChangeSource(source) || QStringList{"smc", "sfc", "swc", "fig"}.contains(suffix)) {
    throw PatchError("\"" + QDir::toNativeSeparators(source).toStdString() +
                     "\" is compared with a clean ROM: give --clean CLEAN");
  }
  // A change set's values go in as they stand; a table's CSV is read against
  // the image itself.
  const ChangeSet changes = suffix == "csv" ? frontend::ReadChangeSource(source, image, text).changes
                                            : frontend::ReadChangeSetFile(source);
  return AppliedTo(changes, image, text);
}

// The file holds what was read, or nothing is written; then every field goes
// in with one write, put back as a whole if one is refused, and the file is synced.
void WriteInPlace(const Image& rom, const Bytes& image, const Request& request) {
  const TextCodec& text = request.text;
  RomFile file(request.io);
  file.Open(rom.file.path.toStdString());
  if (ReadRomFile(file) != rom.file.bytes) {
    throw PatchError("\"" + rom.file.path.toStdString() +
                     "\" changed while it was read; nothing was written");
  }
  const auto before = rom.file.Image();
  std::vector<RomChange::Run> runs;
  for (ByteRun& write : WritesApplying(ChangeSetOf(before, image, text), before, text)) {
    const auto at = before.begin() + static_cast<std::ptrdiff_t>(write.offset);
    runs.push_back({static_cast<FileOffset>(rom.file.header + write.offset),
                    {at, at + static_cast<std::ptrdiff_t>(write.bytes.size())},
                    std::move(write.bytes)});
  }
  RomChange(std::move(runs)).Write(file, RomChange::Side::kAfter);
  file.Sync();
}

}  // namespace

int Apply(const Request& request) {
  if (request.inPlace == !request.output.isEmpty()) {
    throw PatchError("give either -o OUT or --in-place");
  }
  const Image rom(request.files[0]);
  std::optional<Image> clean;
  if (!request.clean.isEmpty()) {
    clean.emplace(request.clean);
    RequireSameSize(*clean, rom);
  }
  Bytes image(rom.file.Image().begin(), rom.file.Image().end());
  int taken = 0, already = 0, conflicts = 0;
  for (const QString& source : request.files.mid(1)) {
    if (!clean) {
      image = AppliedAsTheyStand(source, image, request.text);
      continue;
    }
    const ChangeSet changes =
        frontend::ReadChangeSource(source, clean->file.Image(), request.text).changes;
    const ImageView now(rom.Header(), image);
    ListEntries lists(request.text, clean->Rom());
    const std::vector<PlannedChange> plan =
        PlanChanges(changes, clean->file.Image(), image, request.text);
    for (const PlannedChange& planned : plan) {
      already += planned.state == PlanState::kAlreadySo;
      taken += planned.state == PlanState::kWillChange;
      if (planned.state != PlanState::kConflict) continue;
      ++conflicts;
      QTextStream& out = request.console.out;
      if (planned.isRun) {
        const ByteRun& run = changes.runs[planned.index];
        out << "conflict\tOther bytes\t" << frontend::HexNumber(run.offset, 6) << '\t'
            << run.bytes.size() << " bytes, changed here too\t"
            << QDir::toNativeSeparators(source) << '\n';
        continue;
      }
      const FieldChange& change = changes.fields[planned.index];
      out << "conflict\t" << Named(change, lists) << "\tclean "
          << Shown(change, ValueIn(change, clean->Rom(), request.text), lists) << "\there "
          << Shown(change, ValueIn(change, now.Rom(), request.text), lists) << '\t'
          << QDir::toNativeSeparators(source) << ' ' << Shown(change, change.value, lists)
          << '\n';
    }
    image = AppliedTo(TakenChanges(changes, plan), image, request.text);
  }
  if (conflicts > 0) {
    request.console.out << conflicts << " conflicts: nothing was written.\n";
    return kDifferences;
  }
  const QString written = request.inPlace ? rom.file.path : request.output;
  if (request.inPlace) {
    WriteInPlace(rom, image, request);
  } else {
    QStringList inputs = request.files;
    if (clean) inputs << clean->file.path;
    const Bytes file = Behind(rom.Header(), image);
    WriteOutput(request.output, file, inputs, request.force, "ROM");
  }
  request.console.out << "Wrote \"" << QDir::toNativeSeparators(written) << "\"";
  if (clean) request.console.out << ": " << taken << " changes made, " << already << " already so";
  request.console.out << ".\n";
  return kDone;
}

int Merge(const Request& request) {
  RequireOutput(request);
  const QString suffix = QFileInfo(request.output).suffix().toLower();
  if (!QStringList{"yaml", "yml", "bps", "ips"}.contains(suffix)) {
    throw PatchError("the merged file is a change set (.yaml) or a patch (.bps, .ips)");
  }
  const Image clean(request.files[0]);
  std::vector<ChangeSet> sets;
  for (const QString& source : request.files.mid(1)) {
    sets.push_back(frontend::ReadChangeSource(source, clean.file.Image(), request.text).changes);
  }
  MergedChanges merged = MergeChangeSets(sets);
  ListEntries lists(request.text, clean.Rom());
  for (const MergeConflict& conflict : merged.conflicts) {
    QTextStream& out = request.console.out;
    if (conflict.run) {
      out << "conflict\tOther bytes\t" << frontend::HexNumber(conflict.run->offset, 6) << '\t'
          << conflict.run->bytes.size() << " bytes\t"
          << QDir::toNativeSeparators(request.files[1 + conflict.sets.front()]) << '\n';
      continue;
    }
    out << "conflict\t" << Named(*conflict.field, lists);
    for (std::size_t i = 0; i < conflict.sets.size(); ++i) {
      out << '\t' << QDir::toNativeSeparators(request.files[1 + conflict.sets[i]]) << ' '
          << Shown(*conflict.field, conflict.values[i], lists);
    }
    out << '\n';
  }
  if (!merged.conflicts.empty()) {
    request.console.out << merged.conflicts.size() << " conflicts: nothing was written.\n";
    return kDifferences;
  }
  merged.changes.clean = frontend::CleanFactsOf(clean.file.Image());
  merged.changes.program = ProgramName();
  // Entries are named as the merged image names them, as an export names them.
  const Bytes target = AppliedTo(merged.changes, clean.file.Image(), request.text);
  std::string bytes;
  if (suffix == "yaml" || suffix == "yml") {
    const ImageView merge(clean.Header(), target);
    ListEntries names(request.text, merge.Rom());
    bytes = WriteChangeSetYaml(merged.changes, names);
  } else {
    const auto runs = DiffImages(clean.file.Image(), target);
    const Bytes patch = suffix == "bps" ? EncodeBps(clean.file.Image(), target, runs)
                                        : EncodeIps(target, runs);
    bytes.assign(patch.begin(), patch.end());
  }
  WriteOutput(request.output,
              {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, request.files,
              request.force, suffix == "bps" || suffix == "ips" ? "patch" : "change set");
  request.console.out << "Merged " << sets.size() << " sources: " << merged.changes.fields.size()
                      << " field changes and " << merged.changes.runs.size()
                      << " runs of other bytes, written to \""
                      << QDir::toNativeSeparators(request.output) << "\".\n";
  return kDone;
}

int Patch(const Request& request) {
  RequireOutput(request);
  const QString suffix = QFileInfo(request.output).suffix().toLower();
  if (suffix != "bps" && suffix != "ips") throw PatchError("a patch is a .bps or an .ips file");
  const Image clean(request.files[0]);
  const Image rom(request.files[1]);
  RequireSameSize(clean, rom);
  const auto was = clean.file.Image(), now = rom.file.Image();
  const auto runs = DiffImages(was, now);
  if (runs.empty()) {
    request.console.out << "The ROM does not differ from the clean ROM: no patch written.\n";
    return kDifferences;
  }
  // The patched image is hashed while the patch is made.
  std::future<frontend::ImageHashes> patched = std::async(std::launch::async, frontend::HashesOf, now);
  const frontend::ImageHashes cleanHashes = frontend::HashesOf(was);
  const std::string metadata = frontend::PatchMetadataXml(
      {request.title, request.author, request.description}, frontend::CleanFactsOf(cleanHashes));
  const Bytes patch = suffix == "bps" ? EncodeBps(was, now, runs, metadata) : EncodeIps(now, runs);
  WriteOutput(request.output, patch, request.files, request.force, "patch");
  std::size_t bytes = 0;
  for (const ChangedRun& run : runs) bytes += run.length;
  request.console.out << "Patch \"" << QDir::toNativeSeparators(request.output) << "\" written: it changes "
                      << bytes << " bytes in " << runs.size() << " runs.\n\n"
                      << frontend::ReleaseBlock(cleanHashes, patched.get());
  return kDone;
}

}  // namespace torvale::cli
