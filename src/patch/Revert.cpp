#include "patch/Revert.h"

#include <algorithm>
#include <map>
#include <set>

#include "data/Table.h"
#include "patch/ImageView.h"
#include "rom/MemoryRomIo.h"
#include "text/TextCodec.h"

namespace torvale {
namespace {

bool SameRecord(const Change& a, const Change& b) {
  return a.source != nullptr && a.source == b.source && a.record == b.record;
}

bool ShareBytes(const Change& a, const Change& b) {
  return a.offset < b.offset + b.length && b.offset < a.offset + a.length;
}

// The open file, with fields put back through their tables' writers in a
// copy held in memory, to see what each leaves.
class Reverter {
 public:
  Reverter(std::span<const std::uint8_t> open, std::span<const std::uint8_t> clean,
           const TextCodec& text)
      : m_now(open), m_was(clean), m_scratchIo({open.begin(), open.end()}), m_text(text) {
    m_scratch.Open(m_scratchIo.path);
  }

  // Writes the clean values of `fields` (of one record) beside the values the
  // record's other fields hold now; whether the record then reads back so.
  bool PutBack(const Table& table, int record, const std::set<std::size_t>& fields) {
    const Record was = ReadRecord(table, m_text, m_was.Rom(), record);
    Record values = ReadRecord(table, m_text, m_now.Rom(), record);
    for (const std::size_t field : fields) values[field] = was[field];
    if (RefusalOf(table, values)) return false;
    WriteRecord(table, m_scratch, record, values);
    return ReadRecord(table, m_text, m_scratch, record) == values;
  }

  std::span<const std::uint8_t> Scratch() const { return m_scratchIo.bytes; }

 private:
  ImageView m_now;
  ImageView m_was;
  MemoryRomIo m_scratchIo;
  RomFile m_scratch{m_scratchIo};
  const TextCodec& m_text;
};

// The fields of each record among `changes`.
std::map<std::pair<const Table*, int>, std::set<std::size_t>> FieldsByRecord(
    std::span<const Change> changes, const std::set<std::size_t>& taken) {
  std::map<std::pair<const Table*, int>, std::set<std::size_t>> records;
  for (const std::size_t i : taken) {
    if (changes[i].source != nullptr) {
      records[{changes[i].source, changes[i].record}].insert(changes[i].fieldIndex);
    }
  }
  return records;
}

}  // namespace

std::vector<std::size_t> ChangesRevertedTogether(std::span<const Change> changes,
                                                 std::span<const std::size_t> picked,
                                                 std::span<const std::uint8_t> open,
                                                 std::span<const std::uint8_t> clean,
                                                 const TextCodec& text) {
  std::set<std::size_t> taken(picked.begin(), picked.end());
  Reverter reverter(open, clean, text);
  for (const auto& [record, fields] : FieldsByRecord(changes, taken)) {
    std::vector<std::size_t> staying;  // changes sharing bytes with the picked ones
    for (std::size_t i = 0; i < changes.size(); ++i) {
      const Change& other = changes[i];
      if (taken.contains(i) || other.source != record.first || other.record != record.second) {
        continue;
      }
      if (std::any_of(taken.begin(), taken.end(), [&](std::size_t t) {
            return SameRecord(changes[t], other) && ShareBytes(changes[t], other);
          })) {
        staying.push_back(i);
      }
    }
    if (!staying.empty() && !reverter.PutBack(*record.first, record.second, fields)) {
      taken.insert(staying.begin(), staying.end());
    }
  }
  return {taken.begin(), taken.end()};
}

void RevertChanges(RomFile& rom, std::span<const Change> changes,
                   std::span<const std::size_t> reverted, std::span<const std::uint8_t> open,
                   std::span<const std::uint8_t> clean, const TextCodec& text) {
  const std::set<std::size_t> taken(reverted.begin(), reverted.end());
  Reverter reverter(open, clean, text);
  for (const auto& [record, fields] : FieldsByRecord(changes, taken)) {
    reverter.PutBack(*record.first, record.second, fields);
  }
  // Each byte and the value it goes back to: from the writer where a changed
  // field that stays shares it, else from the clean ROM as it is.
  std::map<FileOffset, std::uint8_t> bytes;
  for (const std::size_t i : taken) {
    const Change& change = changes[i];
    bool shared = false;
    for (std::size_t j = 0; j < changes.size() && !shared; ++j) {
      shared =
          !taken.contains(j) && SameRecord(changes[j], change) && ShareBytes(changes[j], change);
    }
    const std::span<const std::uint8_t> source = shared ? reverter.Scratch() : clean;
    for (std::size_t at = change.offset; at < change.offset + change.length; ++at) {
      bytes[static_cast<FileOffset>(at)] = source[at];
    }
  }
  std::vector<std::uint8_t> run;
  for (auto byte = bytes.begin(); byte != bytes.end();) {
    const FileOffset start = byte->first;
    run.clear();
    for (; byte != bytes.end() && byte->first == start + run.size(); ++byte) {
      run.push_back(byte->second);
    }
    rom.WriteBytes(start, run);
  }
}

}  // namespace torvale
