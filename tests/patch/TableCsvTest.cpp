// Tables as CSV: every table written from the sample ROM reads back without a
// change; cells edited as in a spreadsheet read back as exactly those edits;
// a file with anything that cannot be taken is refused by line, column and
// reason, and gives no edit at all.

#include <gtest/gtest.h>

#include "TestRom.h"
#include "data/Items.h"
#include "data/Magic.h"
#include "data/RomHeaders.h"
#include "data/Shops.h"
#include "data/Tables.h"
#include "data/Treasure.h"
#include "patch/TableCsv.h"

namespace torvale {

void PrintTo(const CsvRefusal& refusal, std::ostream* out) {
  *out << "line " << refusal.line << " [" << refusal.column << "] \"" << refusal.text << "\" "
       << refusal.why;
}
void PrintTo(const CsvEdit& edit, std::ostream* out) {
  *out << "record " << edit.record << " field " << edit.field << " = "
       << ::testing::PrintToString(edit.value);
}

namespace {

using Edits = std::vector<std::tuple<int, const char*, Value>>;  // record, field name, value

class TableCsv : public ::testing::Test {
 protected:
  std::vector<Record> Current(const Table& table) {
    std::vector<Record> records;
    for (int record = 0; record < table.count; ++record) {
      records.push_back(ReadRecord(table, m_memory.text, m_memory.rom, record));
    }
    return records;
  }
  CsvReading Read(const Table& table, std::string_view csv) {
    return ReadTableCsv(table, csv, Current(table), m_lists);
  }
  static std::vector<CsvEdit> EditsOf(const Table& table, const Edits& edits) {
    std::vector<CsvEdit> named;
    for (const auto& [record, name, value] : edits) {
      named.push_back({record, FieldIndex(table, name), value});
    }
    return named;
  }

  testing::MemoryRom m_memory;
  ListEntries m_lists{m_memory.text, m_memory.rom};
};

TEST_F(TableCsv, EveryTableReadsBackUnchanged) {
  for (const Table* table : AllTables()) {
    if (table == &RomHeaderTable()) continue;
    const std::vector<Record> current = Current(*table);
    const std::string csv = WriteTableCsv(*table, current, m_lists);
    std::string header;
    for (const std::string& title : CsvColumns(*table)) header += title + ",";
    header.back() = '\r';
    EXPECT_TRUE(csv.starts_with(header + "\n0,")) << table->name;
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), table->count + 1) << table->name;
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\r'), table->count + 1) << table->name;
    const CsvReading reading = ReadTableCsv(*table, csv, current, m_lists);
    EXPECT_EQ(reading.edits, std::vector<CsvEdit>()) << table->name;
    EXPECT_EQ(reading.refusals, std::vector<CsvRefusal>()) << table->name;
  }
}

// An entry holding quotes and commas is quoted with its quotes doubled, and
// reads back as itself; against the value the ROM holds it is one edit.
TEST_F(TableCsv, QuotedCellsReadBackAsWritten) {
  const Table& spells = SpellTable();
  std::vector<Record> values = Current(spells);
  const std::size_t effect = FieldIndex(spells, "SpellEffectCBO");
  values[1][effect] = std::int64_t{0x29};
  const std::string csv = WriteTableCsv(spells, values, m_lists);
  EXPECT_NE(csv.find("\r\n1,Flaon,9,\"\"\"summon\"\" a monster (Alert, Call)\",41,Flaon,10,"),
            std::string::npos);
  EXPECT_EQ(ReadTableCsv(spells, csv, values, m_lists).refusals, std::vector<CsvRefusal>());
  EXPECT_EQ(ReadTableCsv(spells, csv, values, m_lists).edits, std::vector<CsvEdit>());
  EXPECT_EQ(Read(spells, csv).edits,
            (std::vector<CsvEdit>{{1, effect, Value{std::int64_t{0x29}}}}));
}

TEST_F(TableCsv, EditedCellsReadAsTheirEdits) {
  const std::tuple<const Table& (*)(), const char*, Edits> cases[] = {
      {ItemTable, "#,Price\r\n1,1270\r\n", {{1, "PriceTXT", std::int64_t{1270}}}},
      {ItemTable, "\xEF\xBB\xBF#,Price\n1,1270", {{1, "PriceTXT", std::int64_t{1270}}}},
      {ItemTable, "Price,#\r\n\r\n1270,1\r\n,\r\n", {{1, "PriceTXT", std::int64_t{1270}}}},
      {ItemTable, "#,Entry,Price\r\n1,Other name,1170\r\n", {}},
      {ItemTable, "#,Price\r\n", {}},
      {ItemTable, "#,Name\r\n3, Ab-c\r\n", {{3, "NameTXT", std::string(" Ab-c")}}},
      {ItemTable, "#,Magic Block %\r\n200,\r\n", {}},  // a record without the field
      {ShopTable, "#,Slot 1\r\n0,Heldax\r\n", {{0, "Slot1CBO", std::int64_t{97}}}},
      {ShopTable, "#,Slot 1 #\r\n0,97\r\n", {{0, "Slot1CBO", std::int64_t{97}}}},
      {ShopTable, "#,Slot 1,Slot 1 #\r\n0,Eskwen,97\r\n", {{0, "Slot1CBO", std::int64_t{97}}}},
      {ShopTable, "#,Slot 1,Slot 1 #\r\n0,Heldax,63\r\n", {{0, "Slot1CBO", std::int64_t{97}}}},
      {ItemTable,  // "None" is the entry of several values: the number says which
       "#,Who can equip,Who can equip #\r\n0,None,90\r\n",
       {{0, "EquipLST", std::int64_t{90}}}},
      {SpellTable,
       "#,Ignore Wall,Casting Time\r\n0,1,15\r\n2,0,1\r\n",
       {{0, "IgnoreWallCHK", std::int64_t{1}}, {2, "IgnoreWallCHK", std::int64_t{0}}}},
      {ChestTable,
       "#,Kind,GP\r\n0,GP,1000\r\n",
       {{0, "Frame2", std::int64_t{0}}, {0, "GPTXT", std::int64_t{1000}}}},
  };
  for (const auto& [table, csv, edits] : cases) {
    const CsvReading reading = Read(table(), csv);
    EXPECT_EQ(reading.refusals, std::vector<CsvRefusal>()) << csv;
    EXPECT_EQ(reading.edits, EditsOf(table(), edits)) << csv;
  }
}

TEST_F(TableCsv, FilesWithAnythingThatCannotBeTakenAreRefusedWhole) {
  const std::string missing = "is missing: rows are matched to records by it";
  const std::string unshown = "has a character the game cannot show";
  const std::string broken = "breaks the quoting rules of CSV";
  const std::tuple<const Table& (*)(), std::string, std::vector<CsvRefusal>> cases[] = {
      {ItemTable,
       "#,Price\r\n1,127001",
       {{2, "Price", "127001", "takes a value from 0 to 127000"}}},
      {ShopTable,
       "#,Slot 1\r\n0,No such",
       {{2, "Slot 1", "No such", "is not an entry of its list"}}},
      {ItemTable,
       "#,Name\r\n1,Ninechars",
       {{2, "Name", "Ninechars", "is longer than 8 characters"}}},
      {ItemTable, "#,Name\r\n1,Q&W", {{2, "Name", "Q&W", unshown}}},
      {ItemTable,
       "#,Prize\r\n1,5",
       {{1, "Prize", "Prize", "no column of this table has this title"}}},
      {ItemTable,
       "#,Price,Price",
       {{1, "Price", "Price", "is the title of an earlier column too"}}},
      {ItemTable, "Price\r\n5", {{1, "#", "", missing}}},
      {ItemTable, "", {{1, "#", "", missing}}},
      {ItemTable,
       "#,Price\r\n256,5\r\nx,5",
       {{2, "#", "256", "no record has this number"}, {3, "#", "x", "no record has this number"}}},
      {ItemTable,
       "#,Price\r\n1,1270\r\n1,1270",
       {{3, "#", "1", "is the number of the row on line 2 too"}}},
      {ItemTable,
       "#,Price\r\n1,1270,5",
       {{2, "#", "1", "starts a row of 3 cells where the header has 2"}}},
      {SpellTable,
       "#,Casting Time\r\n0,16",
       {{2, "Casting Time", "16", "is only shown and cannot be changed"}}},
      {ItemTable,
       "#,Magic Block %\r\n200,0",
       {{2, "Magic Block %", "0", "must be empty: this record has no such field"}}},
      {ShopTable,
       "#,Slot 1,Slot 1 #\r\n0,Heldax,51",
       {{2, "Slot 1 #", "51", "names another value than the column \"Slot 1\""}}},
      {ChestTable, "#,Kind\r\n0,GP", {{2, "#", "0", "\"GP\" has no value."}}},
      {ItemTable,
       "#,Name\r\n1,\"Ab\r\ncd\"\n2,Q&W",
       {{2, "Name", "Ab\r\ncd", unshown}, {4, "Name", "Q&W", unshown}}},
      {ItemTable, "#,Name\r\n1,\"Ab\"c\r\n", {{2, "Name", "", broken}}},
      {ItemTable, "#,Name\r\n\r\n1,\"Abc", {{3, "Name", "", broken}}},
      {ItemTable,
       std::string("#,Name\r\n1,\0\xFF\x01", 13),
       {{2, "Name", std::string("\0\xFF\x01", 3), unshown}}},
      {ItemTable, "\x01\xFE\"\x80", {{1, "", "", broken}, {1, "#", "", missing}}},
  };
  for (const auto& [table, csv, refusals] : cases) {
    const CsvReading reading = Read(table(), csv);
    EXPECT_EQ(reading.refusals, refusals) << csv;
    EXPECT_EQ(reading.edits, std::vector<CsvEdit>()) << csv;
  }
}

// A long file is refused as far as the first refusals, soon.
TEST_F(TableCsv, AHundredThousandRowsAreRefusedRowByRow) {
  std::string csv = "#,Price\n";
  for (int row = 0; row < 100'000; ++row) csv += std::to_string(row) + ",0\n";
  const CsvReading reading = Read(ItemTable(), csv);
  ASSERT_EQ(reading.refusals.size(), kMostCsvRefusals);
  EXPECT_EQ(reading.refusals.front(), (CsvRefusal{258, "#", "256", "no record has this number"}));
  EXPECT_EQ(reading.refusals.back().line, 258 + kMostCsvRefusals - 1);
  EXPECT_EQ(reading.edits, std::vector<CsvEdit>());
}

}  // namespace
}  // namespace torvale
