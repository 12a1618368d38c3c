#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "data/Lists.h"
#include "rom/RomChange.h"
#include "rom/RomFile.h"

namespace torvale {

class TextCodec;

// How the bytes of a field stand for the value a user sees and gives.
enum class Encoding : std::uint8_t {
  kByte,                   // one unsigned byte
  kWord,                   // an unsigned 16-bit little-endian word
  kLong,                   // a signed 32-bit little-endian number
  kAmount,                 // a price or an amount of GP in one byte (Amounts.h)
  kText,                   // game text; a character without a byte keeps the byte stored
  kBlankedText,            // game text; a character without a byte leaves a space
  kLowSevenBits,           // bits 0-6 of a byte
  kHighBit,                // bit 7 of a byte, 0 or 1
  kWordPairShowingFirst,   // two words that hold one value; the first is read
  kWordPairShowingSecond,  // two words that hold one value; the second is read
  kHand,                   // the hand of a hand-and-index byte (0 left, 1 right, 2 both)
  kNameIndex,              // the name index of a hand-and-index byte
  kChestKind,              // a chest's kind, from its type byte (ChestKind)
  kChestGp,                // a GP chest's amount, from its value byte
  kChestItem,              // an item chest's item, from its value byte
  kChestFormation,         // a guarded chest's monster formation, from its type byte
  kMagicIcon,              // a spell's icon byte (MagicIcon)
  kPlainText,              // bytes shown as they are, one character each
  kCopierHeaderType,       // the copier header's type, from its two signature fields
  kCountry,                // the country code: its caption, or the number of an unknown one
  kVersion,                // the version byte's caption
};

// Whether Apply writes a field, or only shows it.
enum class Access : std::uint8_t { kWritten, kShown };

// One value of a record: where its bytes lie, how they stand for it, and
// what a user may give.
struct Field {
  std::string_view name;                     // the objectName of the control that shows it
  std::string_view label;                    // what the field is called where changes are listed
  FileOffset (*part)(int record) = nullptr;  // where the part of the record that holds it begins
  FileOffset within = 0;                     // its first byte in that part
  std::uint16_t width = 1;                   // its length in bytes
  Encoding encoding = Encoding::kByte;
  std::int64_t minimum = 0;
  std::int64_t maximum = 0;
  ListId list = ListId::kNone;  // the list whose entry n shows the value n
  Access access = Access::kWritten;
  int records = 0;                // when not 0, only the records below it have the field
  std::string_view missing = {};  // why Apply refuses while the field holds no value
};

// A table of the game: its records and the fields of each, listed in the
// order Apply writes them.
struct Table {
  std::string_view name;
  int count;
  ListId entries;  // the list that names the records
  std::span<const Field> fields;
};

// A field's value as a user sees it: a number, a text, or nothing, for a
// field that a record of its kind does not use (an item chest's GP).
using Value = std::variant<std::monostate, std::int64_t, std::string>;
// The values of a record's fields, in the order of the table's fields.
using Record = std::vector<Value>;

FileOffset FieldOffset(const Field& field, int record);
// Whether record `record` has the field at all.
bool HasField(const Field& field, int record);
// The field of that name; std::invalid_argument when the table has none, as
// only a mistyped name in the program's own code asks for one.
const Field& FieldNamed(const Table& table, std::string_view name);
std::size_t FieldIndex(const Table& table, std::string_view name);
// Whether a written field may hold no value: a chest uses only the parts of its kind.
bool MayHoldNothing(const Field& field);
// Whether the record's other values make use of field `field`: a chest's
// part that its kind does not use is of no use.
bool IsUsed(const Table& table, const Record& values, std::size_t field);

// The records of the table that hold a byte of the change, in order.
std::vector<int> RecordsChanged(const Table& table, const RomChange& change);

// The value that `bytes`, the field's stored bytes, stand for.
Value DecodeField(const Field& field, std::span<const std::uint8_t> bytes);

// Reads every field of the record. Throws RomError.
Record ReadRecord(const Table& table, const TextCodec& text, const RomFile& rom, int record);
// Why `values` cannot be written, or nothing: a written field without a
// value, a name index that its hand's byte cannot hold, a guarded chest
// without a formation that can guard it.
std::optional<std::string> RefusalOf(const Table& table, const Record& values);
// Writes every written field in the table's order. Fields that share bytes
// go in one write, and so do fields whose bytes follow one another. The
// values must pass RefusalOf. Throws RomError.
void WriteRecord(const Table& table, RomFile& rom, int record, const Record& values);
// The same for several records at once, the file checked once for all.
struct NumberedRecord {
  int record;
  const Record* values;
};
void WriteRecords(const Table& table, RomFile& rom, std::span<const NumberedRecord> records);

}  // namespace torvale
