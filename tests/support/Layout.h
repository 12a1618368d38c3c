#pragma once

// The game's tables as the tests know them, written out once from the game's
// layout and never taken from the program's own descriptions: for every
// editor, the lists that pick a record, the fields a user can change, and
// where and how each field's value sits in the file.

#include <cstddef>
#include <string>
#include <vector>

#include "TestRom.h"

namespace torvale::testing {

// A list (or drop-down list) that picks which record the fields show.
struct RecordPicker {
  const char* control;
  int first;  // the records a user may pick: first .. first + count - 1
  int count;
};

// How a user gives the field its value. A custom field is made of several
// controls (a hand and a name index, a chest's kind and contents).
enum class FieldKind { kNumber, kName, kChoice, kCheck, kCustom };

// How the value sits in its bytes.
enum class Form {
  kByte,           // also a hand byte: 0x40, 0x80 or 0xC0 for the hand, plus the name index
  kWord,           // little-endian
  kLong,           // four bytes, little-endian
  kAmount,         // a price or GP amount: tens below 128, thousands from 128
  kName,           // game text of `max` characters
  kCharacterName,  // the same, in the name entry of a character slot
  kLowBits,        // bits 0-6 of a byte
  kHighBit,        // bit 7 of a byte
  kFirstOfTwins,   // two words that hold one value, the first shown
  kSecondOfTwins,  // the same, the second shown
  kChestGp,        // a chest: type 00 and the GP amount's byte
  kChestItem,      // type 80 and the item
  kGuardedChest,   // type 80 + formation and the item; the value formation * 256 + item
};

struct FieldModel {
  const char* control;
  FieldKind kind;
  int min;  // the values a user may give; for a name, max is its length
  int max;
  Form form;
  std::size_t table;  // record r's field lies at table + length * r + within
  std::size_t length;
  std::size_t within;
  bool written = true;  // an Apply writes it, or it is only shown
  int picker = 0;       // which of the editor's pickers selects its record
};

struct EditorModel {
  const char* name;
  const char* window;  // the registry's name of the window
  std::vector<RecordPicker> pickers;
  std::vector<FieldModel> fields;
  int page = 0;  // the tab the fields are on
};

const std::vector<EditorModel>& EditorModels();
const EditorModel& EditorModelNamed(const std::string& name);
const FieldModel& FieldNamed(const EditorModel& model, const std::string& control);

// Puts into `file` the bytes that stand for `value` in record `record`: what
// an Apply writes, or, for a field never written, what it shows.
void Store(const FieldModel& field, Bytes& file, int record, int value);
// The same, and where the field shows one of two words that hold one value,
// the other word holding another: the bytes a test plants to see that the
// right word is read.
void Plant(const FieldModel& field, Bytes& file, int record, int value);
// The value the field shows for the bytes in `file`; -1 for a chest of
// another kind. Not for a name.
int ValueOf(const FieldModel& field, const Bytes& file, int record);
// The name a field of `length` characters is given for `value`.
std::string NameFor(int value, int length);

}  // namespace torvale::testing
