#pragma once

// Drives an editor window through its controls as a user would, field by
// field of its model in Layout.h.

#include <QDialog>
#include <memory>

#include "Layout.h"
#include "ui/EditorContext.h"

namespace torvale {
struct Table;
}

namespace torvale::testing {

// A test's data: one row for each editor model, its name in the column
// "name"; and the model of the row a test runs.
void AddEditorRows();
const EditorModel& RowModel();

// Opens the editor; unless told not to, shows it, waits until its lists are
// filled and a record shown (ending the program when that never happens),
// and turns to the page of the model's fields.
std::unique_ptr<QDialog> OpenEditor(const EditorModel& model, const ui::EditorContext& context,
                                    bool ready = true);
void PickRecord(QDialog& window, const RecordPicker& picker, int record);
// Whether a user can change the field now: written, its control enabled and
// not read-only.
bool CanEdit(QDialog& window, const FieldModel& field);
// Changes the field through its controls as a user would.
void SetField(QDialog& window, const FieldModel& field, int value);
// The value the field's controls show, as the model counts values: -1 for none.
int ShownValue(QDialog& window, const FieldModel& field);
void PickFirstRecords(QDialog& window, const EditorModel& model);
// Sets every field a user can change to its lowest value, or its highest.
void SetEveryField(QDialog& window, const EditorModel& model, bool highest);
void ClickApply(QDialog& window);

// A field of the game's layout that a table's grid shows, the records a user
// may pick for it, and the name of the table's field that the grid's column
// shows (a GP chest's amount is the grid's "GPTXT").
struct GridField {
  const FieldModel* field;
  RecordPicker records;
  std::string_view column;
};
std::vector<GridField> GridLayoutOf(const Table& table);

}  // namespace torvale::testing
