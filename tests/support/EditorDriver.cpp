#include "EditorDriver.h"

#include <algorithm>

#include "data/Table.h"

#include "WindowFixture.h"
#include "ui/EditorRegistry.h"

namespace torvale::testing {
namespace {

template <typename T>
T& In(QDialog& window, const char* name) {
  return *Control<T>(window, name);
}

// Gives a check box the wanted state by clicking it when it differs.
void CheckTo(QAbstractButton& box, bool checked) {
  if (box.isChecked() != checked) ClickButton(box);
}

// The custom fields: a character's byte 0 (its form a byte), made of a hand
// and a name index; a chest's GP, item, or item guarded by a formation.
void SetCustom(QDialog& window, const FieldModel& field, int value) {
  if (field.form == Form::kByte) {
    const int hand = value < 0x80 ? 0 : value < 0xC0 ? 1 : 2;
    return Drive(
        window,
        QStringLiteral("HandLST=%1 NameIndexTXT=%2").arg(hand).arg(value - 0x40 * (hand + 1)));
  }
  if (field.form == Form::kChestGp)
    return Drive(window, QStringLiteral("GPOPT GPTXT=%1").arg(value));
  Drive(window, QStringLiteral("ItemOPT"));
  CheckTo(In<QCheckBox>(window, "FormationCHK"), value >> 8 != 0);
  if (value >> 8 != 0) Drive(window, QStringLiteral("FormationLST=%1").arg(value >> 8));
  Drive(window, QStringLiteral("ItemLST=%1").arg(value & 0xFF));
}

int CustomValue(QDialog& window, const FieldModel& field) {
  const auto number = [&](const char* name) { return Shown(window, name).toInt(); };
  if (field.form == Form::kByte) return 0x40 * (number("HandLST") + 1) + number("NameIndexTXT");
  const bool gp = field.form == Form::kChestGp, guarded = field.form == Form::kGuardedChest;
  if (In<QRadioButton>(window, "GPOPT").isChecked() != gp ||
      In<QCheckBox>(window, "FormationCHK").isChecked() != guarded) {
    return -1;  // a chest of another kind
  }
  if (gp) return number("GPTXT");
  return (guarded ? number("FormationLST") : 0) << 8 | number("ItemLST");
}

}  // namespace

void AddEditorRows() {
  QTest::addColumn<QString>("name");
  for (const EditorModel& model : EditorModels()) {
    QTest::newRow(model.name) << QString::fromLatin1(model.name);
  }
}

const EditorModel& RowModel() {
  QFETCH(QString, name);
  return EditorModelNamed(name.toStdString());
}

std::unique_ptr<QDialog> OpenEditor(const EditorModel& model, const ui::EditorContext& context,
                                    bool ready) {
  auto window = ui::EditorNamed(model.window).create(context, nullptr);
  if (!ready) return window;
  if (!tools::ShowUntilFilled(*window)) qFatal("%s never became ready", model.name);
  if (model.page != 0) ClickTab(In<QTabBar>(*window, "tabs"), model.page);
  return window;
}

void PickRecord(QDialog& window, const RecordPicker& picker, int record) {
  Drive(window, QStringLiteral("%1=%2").arg(QLatin1String(picker.control)).arg(record));
}

bool CanEdit(QDialog& window, const FieldModel& field) {
  auto& control = In<QWidget>(window, field.control);
  const auto* box = qobject_cast<QLineEdit*>(&control);
  return field.written && control.isEnabled() && (box == nullptr || !box->isReadOnly());
}

void SetField(QDialog& window, const FieldModel& field, int value) {
  if (field.kind == FieldKind::kCustom) return SetCustom(window, field, value);
  if (field.kind == FieldKind::kCheck) {
    return CheckTo(In<QAbstractButton>(window, field.control), value != 0);
  }
  const QString text = field.kind == FieldKind::kName
                           ? QString::fromStdString(NameFor(value, field.max))
                           : QString::number(value);
  Drive(window, QStringLiteral("%1=%2").arg(QLatin1String(field.control), text));
}

int ShownValue(QDialog& window, const FieldModel& field) {
  switch (field.kind) {
    case FieldKind::kChoice:
      if (auto* combo = window.findChild<QComboBox*>(field.control)) return combo->currentIndex();
      return In<QListWidget>(window, field.control).currentRow();
    case FieldKind::kCheck:
      return In<QAbstractButton>(window, field.control).isChecked() ? 1 : 0;
    case FieldKind::kCustom:
      return CustomValue(window, field);
    default: {
      const QString text = In<QLineEdit>(window, field.control).text();
      return text.isEmpty() ? -1 : text.toInt();
    }
  }
}

void PickFirstRecords(QDialog& window, const EditorModel& model) {
  for (const RecordPicker& picker : model.pickers) PickRecord(window, picker, picker.first);
}

void SetEveryField(QDialog& window, const EditorModel& model, bool highest) {
  for (const FieldModel& field : model.fields) {
    if (CanEdit(window, field)) SetField(window, field, highest ? field.max : field.min);
  }
}

void ClickApply(QDialog& window) {
  Drive(window, "ApplyCMD");
}

std::vector<GridField> GridLayoutOf(const Table& table) {
  const auto columnOf = [](const FieldModel& field) -> std::string_view {
    if (field.form == Form::kChestGp) return "GPTXT";
    if (field.form == Form::kChestItem) return "ItemLST";
    return field.kind == FieldKind::kCustom ? "" : field.control;
  };
  std::vector<GridField> fields;
  const auto* editor = ui::EditorOfTable(table);
  for (const EditorModel& model : EditorModels()) {
    if (editor == nullptr || model.window != std::string_view(editor->window)) continue;
    for (const FieldModel& field : model.fields) {
      const std::string_view column = columnOf(field);
      if (std::any_of(table.fields.begin(), table.fields.end(),
                      [&](const auto& f) { return f.name == column; })) {
        fields.push_back({&field, model.pickers[static_cast<std::size_t>(field.picker)], column});
      }
    }
  }
  return fields;
}

}  // namespace torvale::testing
