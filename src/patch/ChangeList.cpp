#include "patch/ChangeList.h"

#include <algorithm>
#include <map>
#include <optional>
#include <variant>

#include "data/Lists.h"
#include "data/Table.h"
#include "data/Tables.h"
#include "patch/ImageDiff.h"
#include "rom/MemoryRomIo.h"
#include "text/TextCodec.h"

namespace torvale {
namespace {

constexpr const char* kChestKinds[] = {"GP", "Item", "Guarded Item"};

// A file in memory, opened for the table readers.
class MemoryFile {
 public:
  explicit MemoryFile(std::span<const std::uint8_t> bytes) : m_io({bytes.begin(), bytes.end()}) {
    m_rom.Open(m_io.path);
  }
  const RomFile& Rom() const { return m_rom; }

 private:
  MemoryRomIo m_io;
  RomFile m_rom{m_io};
};

// The entries of the lists that name records and values, each read once from
// the open ROM when first needed.
class ListEntries {
 public:
  ListEntries(const TextCodec& text, const RomFile& rom) : m_text(text), m_rom(rom) {}

  const std::vector<std::string>& Of(ListId list) {
    auto found = m_read.find(list);
    if (found == m_read.end()) found = m_read.emplace(list, ReadEntries(list, m_text, m_rom)).first;
    return found->second;
  }

  std::string Entry(ListId list, std::int64_t index) {
    const std::vector<std::string>& entries = Of(list);
    if (index >= 0 && index < static_cast<std::int64_t>(entries.size())) {
      return entries[static_cast<std::size_t>(index)];
    }
    return "#" + std::to_string(index);
  }

 private:
  const TextCodec& m_text;
  const RomFile& m_rom;
  std::map<ListId, std::vector<std::string>> m_read;
};

std::string Shown(const Field& field, const Value& value, ListEntries& lists) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  const auto* number = std::get_if<std::int64_t>(&value);
  if (number == nullptr) return {};
  if (field.list != ListId::kNone) return lists.Entry(field.list, *number);
  if (field.encoding == Encoding::kChestKind) return kChestKinds[*number];
  return std::to_string(*number);
}

// Which table listed each byte first, by index plus one; 0 for none.
class Claims {
 public:
  explicit Claims(std::size_t size) : m_owner(size, 0) {}

  bool HeldByAnotherTable(FileOffset offset, std::size_t length, std::uint8_t table) const {
    return std::all_of(m_owner.begin() + offset, m_owner.begin() + offset + length,
                       [table](std::uint8_t owner) { return owner != 0 && owner != table; });
  }
  void Claim(FileOffset offset, std::size_t length, std::uint8_t table) {
    std::replace(m_owner.begin() + offset, m_owner.begin() + offset + length, std::uint8_t{0},
                 table);
  }
  bool Claimed(std::size_t offset) const { return m_owner[offset] != 0; }

 private:
  std::vector<std::uint8_t> m_owner;
};

class Lister {
 public:
  Lister(std::span<const std::uint8_t> open, std::span<const std::uint8_t> clean,
         const TextCodec& text)
      : m_open(open),
        m_clean(clean),
        m_text(text),
        m_runs(DiffImages(clean, open)),
        m_lists(text, m_openFile.Rom()),
        m_claims(open.size()) {}

  std::vector<Change> List() {
    std::uint8_t tableNumber = 0;
    for (const Table* table : AllTables()) {
      ++tableNumber;
      for (int record = 0; record < table->count; ++record) ListRecord(*table, record, tableNumber);
    }
    ListUnclaimedBytes();
    return std::move(m_changes);
  }

 private:
  bool Changed(FileOffset offset, std::size_t length) const {
    const auto after = std::upper_bound(
        m_runs.begin(), m_runs.end(), offset,
        [](FileOffset at, const ChangedRun& run) { return at < run.offset + run.length; });
    return after != m_runs.end() && after->offset < offset + length;
  }

  void ListRecord(const Table& table, int record, std::uint8_t tableNumber) {
    std::optional<Record> now;
    std::optional<Record> was;
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
      const Field& field = table.fields[i];
      if (!HasField(field, record)) continue;
      const FileOffset offset = FieldOffset(field, record);
      if (offset + field.width > m_open.size() || !Changed(offset, field.width) ||
          m_claims.HeldByAnotherTable(offset, field.width, tableNumber)) {
        continue;
      }
      if (!now) {
        now = ReadRecord(table, m_text, m_openFile.Rom(), record);
        was = ReadRecord(table, m_text, m_cleanFile.Rom(), record);
      }
      if ((*now)[i] == (*was)[i]) continue;
      m_claims.Claim(offset, field.width, tableNumber);
      m_changes.push_back(
          {std::string(table.name),
           table.entries == ListId::kNone ? std::string() : m_lists.Entry(table.entries, record),
           std::string(field.label), Shown(field, (*was)[i], m_lists),
           Shown(field, (*now)[i], m_lists), offset, field.width});
    }
  }

  void ListUnclaimedBytes() {
    for (const ChangedRun& run : m_runs) {
      std::size_t at = run.offset;
      const std::size_t end = run.offset + run.length;
      while (at < end) {
        if (m_claims.Claimed(at)) {
          ++at;
          continue;
        }
        const std::size_t start = at;
        while (at < end && !m_claims.Claimed(at)) ++at;
        m_changes.push_back({{}, {}, {}, {}, {}, static_cast<FileOffset>(start), at - start});
      }
    }
  }

  std::span<const std::uint8_t> m_open;
  std::span<const std::uint8_t> m_clean;
  const TextCodec& m_text;
  std::vector<ChangedRun> m_runs;
  MemoryFile m_openFile{m_open};
  MemoryFile m_cleanFile{m_clean};
  ListEntries m_lists;
  Claims m_claims;
  std::vector<Change> m_changes;
};

}  // namespace

std::vector<Change> ListChanges(std::span<const std::uint8_t> open,
                                std::span<const std::uint8_t> clean, const TextCodec& text) {
  return Lister(open, clean, text).List();
}

void WriteCleanBytes(RomFile& rom, std::span<const std::uint8_t> clean,
                     std::span<const Change> changes) {
  std::vector<ChangedRun> runs;
  for (const Change& change : changes) runs.push_back({change.offset, change.length});
  std::sort(runs.begin(), runs.end(),
            [](const ChangedRun& a, const ChangedRun& b) { return a.offset < b.offset; });
  std::vector<ChangedRun> merged;
  for (const ChangedRun& run : runs) {
    if (!merged.empty() && run.offset <= merged.back().offset + merged.back().length) {
      merged.back().length =
          std::max(merged.back().length, run.offset + run.length - merged.back().offset);
    } else {
      merged.push_back(run);
    }
  }
  for (const ChangedRun& run : merged) {
    rom.WriteBytes(run.offset, clean.subspan(run.offset, run.length));
  }
}

}  // namespace torvale
