#pragma once

// The game's tables as the tests know them, written out once from the game's
// layout and never taken from the program's own descriptions: for every
// editor, the lists that pick a record, the fields a user can change, and,
// for each field, the bytes that stand for its value.

#include <functional>
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

struct FieldModel {
  const char* control;
  FieldKind kind;
  int min;  // the values a user may give; for a name, max is its length
  int max;
  // Puts into `file` the bytes that stand for `value` in record `record`:
  // what an Apply writes, or, for a field never written, what it shows.
  std::function<void(Bytes& file, int record, int value)> store;
  // The value the field shows for the bytes in `file` (-1 for none); empty
  // for a name.
  std::function<int(const Bytes& file, int record)> value = {};
  bool written = true;
  int picker = 0;  // which of the editor's pickers selects this field's record
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

// The name a field of `length` characters is given for `value`.
std::string NameFor(int value, int length);

}  // namespace torvale::testing
