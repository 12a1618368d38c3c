// A table's CSV read back from any bytes.
//
// The input's first byte picks a table of the sample image; the rest is the
// file. Whatever it holds, the reading is whole or nothing (edits or
// refusals, never both), every refusal names a line of the file, and every
// edit gives a written field that its record has a value other than the one
// it holds, once, leaving a record that can be written. A file taken is
// written again with its edits: against them it reads back unchanged, against
// the sample as the same edits.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>

#include "FuzzRom.h"
#include "data/CellText.h"
#include "data/Tables.h"
#include "patch/TableCsv.h"

namespace torvale::fuzz {
namespace {

// The sample's records of each table, read once: the image is never changed here.
const std::vector<Record>& RecordsOf(const Table& table, FuzzRom& file) {
  static std::map<const Table*, std::vector<Record>> read;
  auto [found, added] = read.try_emplace(&table);
  for (int record = 0; added && record < table.count; ++record) {
    found->second.push_back(ReadRecord(table, file.Text(), file.Rom(), record));
  }
  return found->second;
}

void CheckEdits(const Table& table, const std::vector<CsvEdit>& edits,
                const std::vector<Record>& current, ListEntries& lists) {
  std::vector<Record> records = current;
  std::set<std::pair<int, std::size_t>> edited;
  for (const CsvEdit& edit : edits) {
    Require(edit.record >= 0 && edit.record < table.count && edit.field < table.fields.size(),
            "an edit names a record and a field of the table");
    const Field& field = table.fields[edit.field];
    Require(field.access == Access::kWritten && HasField(field, edit.record),
            "an edit is of a written field that its record has");
    Value& value = records[static_cast<std::size_t>(edit.record)][edit.field];
    Require(edit.value != value, "an edit changes the value");
    Require(edited.emplace(edit.record, edit.field).second, "a field is edited once");
    value = edit.value;
  }
  for (const auto& [record, field] : edited) {
    Require(!RefusalOf(table, records[static_cast<std::size_t>(record)]),
            "a record with its edits can be written");
  }
  if (edits.empty()) return;
  const std::string csv = WriteTableCsv(table, records, lists);
  const CsvReading again = ReadTableCsv(table, csv, records, lists);
  Require(again.edits.empty() && again.refusals.empty(),
          "a table written with its edits reads back unchanged");
  // Rows come in the order of the records, the file's in any.
  const auto order = [](const CsvEdit& a, const CsvEdit& b) {
    return std::pair(a.record, a.field) < std::pair(b.record, b.field);
  };
  std::vector<CsvEdit> sorted = edits;
  std::sort(sorted.begin(), sorted.end(), order);
  Require(ReadTableCsv(table, csv, current, lists).edits == sorted,
          "a table written with its edits reads as those edits");
}

}  // namespace
}  // namespace torvale::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace torvale;
  using namespace torvale::fuzz;
  FuzzInput input(data, size);
  FuzzRom& file = FuzzRom::Start(romgen::kSampleRomSize);
  static ListEntries lists(file.Text(), file.Rom());
  const auto tables = AllTables();
  const Table& table = *tables[input.Byte() % tables.size()];
  const std::vector<Record>& records = RecordsOf(table, file);
  const auto bytes = input.Rest();
  const std::string_view csv(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  const CsvReading reading = ReadTableCsv(table, csv, records, lists);
  Require(reading.edits.empty() || reading.refusals.empty(), "a file is taken whole or not at all");
  Require(reading.refusals.size() <= kMostCsvRefusals, "the refusals listed are the first few");
  const auto lines = static_cast<std::size_t>(1 + std::count(csv.begin(), csv.end(), '\n') +
                                              std::count(csv.begin(), csv.end(), '\r'));
  for (const CsvRefusal& refusal : reading.refusals) {
    Require(refusal.line >= 1 && refusal.line <= lines, "a refusal names a line of the file");
  }
  CheckEdits(table, reading.edits, records, lists);
  return 0;
}
