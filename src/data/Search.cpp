#include "data/Search.h"

#include <algorithm>
#include <cctype>

#include "data/CellText.h"
#include "data/RomHeaders.h"
#include "data/Tables.h"

namespace torvale {
namespace {

// The list that names the records of the table a list names: the item-name
// lists with their closing entries name items as the plain one does.
ListId BaseList(ListId list) {
  switch (list) {
    case ListId::kItemNamesEmptyLast:
    case ListId::kItemNamesNothingAfter:
      return ListId::kItemNames;
    default:
      return list;
  }
}

bool IsNamedList(ListId list) {
  return list == ListId::kItemNames || list == ListId::kSpellNames || list == ListId::kMonsterNames;
}

bool Contains(std::string_view text, std::string_view wanted) {
  return std::search(text.begin(), text.end(), wanted.begin(), wanted.end(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) ==
                  std::tolower(static_cast<unsigned char>(b));
         }) != text.end();
}

}  // namespace

bool NamesRecordsOf(const Field& field, const Table& table) {
  return IsNamedList(table.entries) && BaseList(field.list) == table.entries;
}

bool IsNamedElsewhere(const Table& table) {
  return std::any_of(AllTables().begin(), AllTables().end(), [&](const Table* other) {
    return std::any_of(other->fields.begin(), other->fields.end(),
                       [&](const Field& field) { return NamesRecordsOf(field, table); });
  });
}

std::vector<FieldOfRecord> WhereUsed(const Table& table, int record, const TextCodec& text,
                                     const RomFile& rom) {
  std::vector<FieldOfRecord> uses;
  for (const Table* other : AllTables()) {
    std::vector<std::size_t> naming;
    for (std::size_t i = 0; i < other->fields.size(); ++i) {
      if (NamesRecordsOf(other->fields[i], table)) naming.push_back(i);
    }
    if (naming.empty()) continue;
    for (int r = 0; r < other->count; ++r) {
      const Record values = ReadRecord(*other, text, rom, r);
      for (const std::size_t i : naming) {
        if (HasField(other->fields[i], r) && values[i] == Value{std::int64_t{record}}) {
          uses.push_back({other, r, i});
        }
      }
    }
  }
  return uses;
}

std::vector<TextHit> FindText(std::string_view wanted, const TextCodec& text, const RomFile& rom,
                              ListEntries& lists) {
  std::vector<TextHit> hits;
  for (const Table* table : AllTables()) {
    if (table == &RomHeaderTable()) continue;
    std::vector<std::size_t> texts;
    for (std::size_t i = 0; i < table->fields.size(); ++i) {
      const Encoding encoding = table->fields[i].encoding;
      if (encoding == Encoding::kText || encoding == Encoding::kBlankedText) texts.push_back(i);
    }
    for (int record = 0; record < table->count; ++record) {
      const std::size_t found = hits.size();
      if (!texts.empty()) {
        const Record values = ReadRecord(*table, text, rom, record);
        for (const std::size_t i : texts) {
          const auto& value = std::get<std::string>(values[i]);
          if (Contains(value, wanted)) hits.push_back({table, record, i, value});
        }
      }
      if (!IsNameList(table->entries)) continue;  // "Map #3" names no record
      // An entry that is the record's own name is found as that field already.
      const std::string entry = lists.Entry(table->entries, record);
      const bool named = std::any_of(hits.begin() + static_cast<std::ptrdiff_t>(found), hits.end(),
                                     [&](const TextHit& hit) { return hit.value == entry; });
      if (!named && Contains(entry, wanted)) hits.push_back({table, record, std::nullopt, entry});
    }
  }
  return hits;
}

}  // namespace torvale
