#include "EditorDriver.h"

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

QListWidget* ListNamed(QDialog& window, const char* name) {
  return window.findChild<QListWidget*>(QString::fromLatin1(name));
}

// The custom fields: a character's byte 0 (its form a byte), made of a hand
// and a name index; a chest's GP, item, or item guarded by a formation.
void SetCustom(QDialog& window, const FieldModel& field, int value) {
  if (field.form == Form::kByte) {
    const int hand = value < 0x80 ? 0 : value < 0xC0 ? 1 : 2;
    ClickRow(In<QListWidget>(window, "HandLST"), hand);
    ReplaceText(In<QLineEdit>(window, "NameIndexTXT"), QString::number(value - 0x40 * (hand + 1)));
    return;
  }
  if (field.form == Form::kChestGp) {
    ClickButton(In<QRadioButton>(window, "GPOPT"));
    ReplaceText(In<QLineEdit>(window, "GPTXT"), QString::number(value));
    return;
  }
  ClickButton(In<QRadioButton>(window, "ItemOPT"));
  CheckTo(In<QCheckBox>(window, "FormationCHK"), value >> 8 != 0);
  if (value >> 8 != 0) ClickRow(In<QListWidget>(window, "FormationLST"), value >> 8);
  ClickRow(In<QListWidget>(window, "ItemLST"), value & 0xFF);
}

int CustomValue(QDialog& window, const FieldModel& field) {
  if (field.form == Form::kByte) {
    return 0x40 * (In<QListWidget>(window, "HandLST").currentRow() + 1) +
           In<QLineEdit>(window, "NameIndexTXT").text().toInt();
  }
  const bool gp = field.form == Form::kChestGp, guarded = field.form == Form::kGuardedChest;
  if (In<QRadioButton>(window, "GPOPT").isChecked() != gp ||
      In<QCheckBox>(window, "FormationCHK").isChecked() != guarded) {
    return -1;  // a chest of another kind
  }
  if (gp) return In<QLineEdit>(window, "GPTXT").text().toInt();
  const int formation = guarded ? In<QListWidget>(window, "FormationLST").currentRow() : 0;
  return formation << 8 | In<QListWidget>(window, "ItemLST").currentRow();
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
  if (model.page != 0) {
    auto& tabs = In<QTabBar>(*window, "tabs");
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(model.page).center());
  }
  return window;
}

void PickRecord(QDialog& window, const RecordPicker& picker, int record) {
  if (QListWidget* list = ListNamed(window, picker.control)) {
    ClickRow(*list, record);
  } else {
    In<QComboBox>(window, picker.control).setCurrentIndex(record);
  }
}

bool CanEdit(QDialog& window, const FieldModel& field) {
  auto& control = In<QWidget>(window, field.control);
  const auto* box = qobject_cast<QLineEdit*>(&control);
  return field.written && control.isEnabled() && (box == nullptr || !box->isReadOnly());
}

void SetField(QDialog& window, const FieldModel& field, int value) {
  switch (field.kind) {
    case FieldKind::kNumber:
    case FieldKind::kName:
      ReplaceText(In<QLineEdit>(window, field.control),
                  field.kind == FieldKind::kName ? QString::fromStdString(NameFor(value, field.max))
                                                 : QString::number(value));
      return;
    case FieldKind::kChoice:
      PickRecord(window, {field.control, 0, 0}, value);
      return;
    case FieldKind::kCheck:
      CheckTo(In<QAbstractButton>(window, field.control), value != 0);
      return;
    case FieldKind::kCustom:
      SetCustom(window, field, value);
      return;
  }
}

int ShownValue(QDialog& window, const FieldModel& field) {
  switch (field.kind) {
    case FieldKind::kChoice:
      if (QListWidget* list = ListNamed(window, field.control)) return list->currentRow();
      return In<QComboBox>(window, field.control).currentIndex();
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
  ClickButton(In<QPushButton>(window, "ApplyCMD"));
}

}  // namespace torvale::testing
