#include "patch/ChangeList.h"

#include <algorithm>
#include <map>
#include <optional>
#include <variant>

#include "data/CellText.h"
#include "data/Lists.h"
#include "data/Table.h"
#include "data/Tables.h"
#include "patch/ImageDiff.h"
#include "patch/ImageView.h"
#include "text/TextCodec.h"

namespace torvale {
namespace {

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
           std::string(field.label), ShownValue(field, (*was)[i], m_lists),
           ShownValue(field, (*now)[i], m_lists), offset, field.width, &table, record, i});
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
