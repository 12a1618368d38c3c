#pragma once

// Every editor window as the reliability suite drives it: the lists that
// pick a record, the fields a user can change, and, for each field, the
// bytes an Apply must leave in the file. The byte layouts are written out
// here from the game's tables, independently of the data modules.

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

#include "RomFixture.h"
#include "ui/EditorContext.h"

namespace torvale::testing {

// A list (or combo box) that picks which record the fields show.
struct RecordPicker {
  const char* control;
  int first;  // the records a user may pick: first .. first + count - 1
  int count;
};

enum class FieldKind { kNumber, kName, kChoice, kCheck, kCustom };

struct FieldModel {
  const char* control;
  FieldKind kind;
  int min;  // the values a user may choose; for a name, max is its length
  int max;
  // Puts into `model` what an Apply writes for `value` in record `record`.
  std::function<void(Bytes& model, int record, int value)> put;
  // What the field shows for the bytes in `model`, written back by an Apply
  // that did not change it; empty when an unchanged field keeps its bytes.
  std::function<int(const Bytes& model, int record)> shown = {};
  int picker = 0;  // which of the editor's pickers selects this field's record
  // For kCustom: sets `value` through the window's controls.
  std::function<void(QDialog& window, int value)> set = {};
};

struct EditorModel {
  const char* name;
  std::function<std::unique_ptr<QDialog>(const ui::EditorContext&)> open;
  std::vector<RecordPicker> pickers;
  std::vector<FieldModel> fields;
  // Brings the editor to the page these fields are on, once it is ready.
  std::function<void(QDialog& window)> turnToPage = {};
};

const std::vector<EditorModel>& EditorModels();
// The model of the editor called `name`; ends the program when there is none.
const EditorModel& EditorModelNamed(const QString& name);
// A test's data: one row for each editor, its name in the column "name".
void AddEditorRows();

// Shows the editor and waits until its lists are filled and a record shown.
bool WaitUntilReady(QDialog& window, const EditorModel& model);
void PickRecord(QDialog& window, const RecordPicker& picker, int record);
// Whether a user can change the field now: its control enabled and not read-only.
bool CanEdit(QDialog& window, const FieldModel& field);
// Changes the field through its control as a user would.
void SetField(QDialog& window, const FieldModel& field, int value);
// Picks the first record with each picker.
void PickFirstRecords(QDialog& window, const EditorModel& model);
// Sets every field a user can change to its lowest value, or its highest.
void SetEveryField(QDialog& window, const EditorModel& model, bool highest);
void ClickApply(QDialog& window);
// The name a field of `length` characters is given for `value`.
QString NameFor(int value, int length);

}  // namespace torvale::testing
