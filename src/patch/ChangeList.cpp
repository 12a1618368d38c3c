#include "patch/ChangeList.h"

#include <algorithm>
#include <map>
#include <optional>
#include <variant>

#include "data/Lists.h"
#include "data/Table.h"
#include "data/Tables.h"
#include "patch/ImageDiff.h"
#include "patch/ImageView.h"
#include "text/TextCodec.h"

namespace torvale {
namespace {

constexpr const char* kChestKinds[] = {"GP", "Item", "Guarded Item"};

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

// The bytes of the fields listed so far, and the table that listed each.
class Claims {
 public:
  bool HeldByAnotherTable(FileOffset offset, std::size_t length, int table) const {
    return std::any_of(m_claims.begin(), m_claims.end(), [&](const Claim& claim) {
      return claim.table != table && claim.offset <= offset &&
             offset + length <= claim.offset + claim.length;
    });
  }
  void Add(FileOffset offset, std::size_t length, int table) {
    m_claims.push_back({offset, length, table});
  }
  bool Claimed(std::size_t at) const {
    return std::any_of(m_claims.begin(), m_claims.end(), [at](const Claim& claim) {
      return at >= claim.offset && at < claim.offset + claim.length;
    });
  }

 private:
  struct Claim {
    FileOffset offset;
    std::size_t length;
    int table;
  };
  std::vector<Claim> m_claims;
};

class Lister {
 public:
  Lister(std::span<const std::uint8_t> open, std::span<const std::uint8_t> clean,
         const TextCodec& text)
      : m_open(open),
        m_clean(clean),
        m_text(text),
        m_runs(DiffImages(clean, open)),
        m_lists(text, m_openFile.Rom()) {}

  std::vector<Change> List() {
    int tableNumber = 0;
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

  void ListRecord(const Table& table, int record, int tableNumber) {
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
      m_claims.Add(offset, field.width, tableNumber);
      m_changes.push_back(
          {std::string(table.name),
           table.entries == ListId::kNone ? std::string() : m_lists.Entry(table.entries, record),
           std::string(field.label), Shown(field, (*was)[i], m_lists),
           Shown(field, (*now)[i], m_lists), offset, field.width, &table, record, i});
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
  ImageView m_openFile{m_open};
  ImageView m_cleanFile{m_clean};
  ListEntries m_lists;
  Claims m_claims;
  std::vector<Change> m_changes;
};

}  // namespace

std::vector<Change> ListChanges(std::span<const std::uint8_t> open,
                                std::span<const std::uint8_t> clean, const TextCodec& text) {
  return Lister(open, clean, text).List();
}

}  // namespace torvale
