#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/Table.h"

namespace torvale {

class ListEntries;
class TextCodec;

// A field of a record.
struct FieldOfRecord {
  const Table* table;
  int record;
  std::size_t field;
};

// Whether a field's values name the records of `table` (a shop slot names an
// item): its list is the one that names the table's records, or a variant of
// it. Only the item, spell and monster tables are named so.
bool NamesRecordsOf(const Field& field, const Table& table);
// Whether any field of any table names the records of `table`.
bool IsNamedElsewhere(const Table& table);

// Every field of every table (AllTables) whose value names record `record`
// of `table`, in the tables' order. Throws RomError.
std::vector<FieldOfRecord> WhereUsed(const Table& table, int record, const TextCodec& text,
                                     const RomFile& rom);

// A place where text was found: a record's entry name (no field), or one of
// its text fields; and the text found there.
struct TextHit {
  const Table* table;
  int record;
  std::optional<std::size_t> field;
  std::string value;
};
// Every name that a record's entry shows (an item's, a monster's; not "Map
// #3") and every text field of every table (AllTables, the ROM's header
// fields aside) that holds `wanted`, case-insensitively. Throws RomError.
std::vector<TextHit> FindText(std::string_view wanted, const TextCodec& text, const RomFile& rom,
                              ListEntries& lists);

}  // namespace torvale
