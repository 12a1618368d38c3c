// The record readers over arbitrary ROM bytes.
//
// The input gives the file's length (three bytes, up to the sample image's)
// and a table; the sample image fills the file and the rest of the input is
// laid over the table's first record on. The records the input's bytes
// reach, and the table's last, are then read, and every value must lie
// within its field's limits, as the windows' controls take them. On a file long enough for the
// editors every read must succeed; on a shorter one a read may only be refused with RomRangeError.
// Besides the tables: the lists read from the ROM, the Asura check, and a
// text field anywhere in or just past the file.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "FuzzRom.h"
#include "data/Lists.h"
#include "data/Magic.h"
#include "data/Tables.h"
#include "text/NameLists.h"

namespace torvale::fuzz {
namespace {

// How far past the end of the file a text field may start.
constexpr std::uint64_t kPastTheEnd = 256;

constexpr ListId kRomLists[] = {
    ListId::kItemNames,   ListId::kItemNamesEmptyLast,   ListId::kItemNamesNothingAfter,
    ListId::kSpellNames,  ListId::kCharacterNames,       ListId::kMonsterNames,
    ListId::kTextEntries, ListId::kAttackDefenseEntries, ListId::kSpeedEntries};

// Whether a field of the record has a byte from `start` to `end`.
bool Touches(const Table& table, int record, std::size_t start, std::size_t end) {
  return std::any_of(table.fields.begin(), table.fields.end(), [&](const Field& field) {
    const std::size_t offset = FieldOffset(field, record);
    return HasField(field, record) && offset < end && offset + field.width > start;
  });
}

// The records the input's bytes lie in, and the last one, which reaches
// furthest into the file; the rest hold the sample's bytes, read by every
// other input. Records lie in the order of their offsets: past the first one
// the file cannot hold, none is read.
void ReadRecords(const Table& table, FuzzRom& file, std::size_t start, std::size_t end) {
  bool read = true;
  for (int record = 0; read && record < table.count; ++record) {
    if (record + 1 < table.count && !Touches(table, record, start, end)) continue;
    read = Reading(file.Rom(), [&] {
      const Record values = ReadRecord(table, file.Text(), file.Rom(), record);
      for (std::size_t i = 0; i < values.size(); ++i) {
        const Field& field = table.fields[i];
        if (const auto* number = std::get_if<std::int64_t>(&values[i])) {
          // A value past its list (a song byte past the songs) shows no entry.
          const bool pastList = field.list != ListId::kNone && *number >= ValueCount(field.list);
          Require((*number >= field.minimum && *number <= field.maximum) || pastList,
                  "every value read lies within its field's limits, or past its list");
        } else {
          Require(!std::holds_alternative<std::monostate>(values[i]) || MayHoldNothing(field),
                  "only a chest's parts may hold nothing");
        }
      }
    });
  }
}

void ReadLists(FuzzRom& file) {
  for (const ListId list : kRomLists) {
    Reading(file.Rom(), [&] {
      const auto entries = ReadEntries(list, file.Text(), file.Rom());
      Require(static_cast<int>(entries.size()) >= ValueCount(list),
              "a list holds an entry for every value");
    });
  }
  Reading(file.Rom(), [&] { CheckAsura(file.Rom()); });
}

// One text field anywhere in or just past the file: read exactly when it
// lies inside. Fields up to 255 bytes take both of the codec's buffers.
void ReadAnyText(FuzzInput& input, FuzzRom& file) {
  const RomFile& rom = file.Rom();
  const auto offset = static_cast<FileOffset>(input.Number(3) % (rom.Size() + kPastTheEnd));
  const std::uint16_t length = input.Byte();
  bool read = true;
  try {
    file.Text().ReadText(rom, offset, length);
  } catch (const RomRangeError&) {
    read = false;
  }
  Require(read == (std::uint64_t{offset} + length <= rom.Size()),
          "a text field is read exactly when it lies inside the file");
}

}  // namespace
}  // namespace torvale::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace torvale;
  using namespace torvale::fuzz;
  FuzzInput input(data, size);
  FuzzRom& file = FuzzRom::Start(input.Number(3) % (romgen::kSampleRomSize + 1));
  const auto tables = AllTables();
  const int choice = input.Below(static_cast<int>(tables.size()) + 2);
  if (choice == static_cast<int>(tables.size())) {
    ReadAnyText(input, file);
  } else if (choice > static_cast<int>(tables.size())) {
    file.Overlay(kItemNameTable, input.Rest());  // the item names, then the spell names
    ReadLists(file);
  } else {
    const Table& table = *tables[static_cast<std::size_t>(choice)];
    const std::size_t start = FieldOffset(table.fields.front(), 0);
    const auto bytes = input.Rest();
    file.Overlay(start, bytes);
    ReadRecords(table, file, start, start + bytes.size());
  }
  return 0;
}
