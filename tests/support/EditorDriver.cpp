#include "EditorDriver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QtTest>

#include "WindowFixture.h"
#include "ui/EditorRegistry.h"

namespace torvale::testing {
namespace {

template <typename T>
T& In(QDialog& window, const char* name) {
  return *Control<T>(window, name);
}

// Near the left edge: a stretched option button takes clicks on its face only.
void Click(QAbstractButton& button) {
  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(6, button.height() / 2));
}

// Gives a check box the wanted state by clicking it when it differs.
void CheckTo(QAbstractButton& box, bool checked) {
  if (box.isChecked() != checked) Click(box);
}

bool IsList(QDialog& window, const char* name) {
  return window.findChild<QListWidget*>(QString::fromLatin1(name)) != nullptr;
}

// The custom fields: a character's hand and name index, which make up its
// byte 0; a chest's GP, item, or item guarded by a formation.
void SetCustom(QDialog& window, const FieldModel& field, int value) {
  const QString control = QString::fromLatin1(field.control);
  if (control == QLatin1String("HandLST")) {
    const int hand = value < 0x80 ? 0 : value < 0xC0 ? 1 : 2;
    ClickRow(In<QListWidget>(window, "HandLST"), hand);
    ReplaceText(In<QLineEdit>(window, "NameIndexTXT"), QString::number(value - 0x40 * (hand + 1)));
    return;
  }
  if (control == QLatin1String("GPOPT")) {
    Click(In<QRadioButton>(window, "GPOPT"));
    ReplaceText(In<QLineEdit>(window, "GPTXT"), QString::number(value));
    return;
  }
  Click(In<QRadioButton>(window, "ItemOPT"));
  const int formation = value >> 8;
  CheckTo(In<QCheckBox>(window, "FormationCHK"), formation != 0);
  if (formation != 0) ClickRow(In<QListWidget>(window, "FormationLST"), formation);
  ClickRow(In<QListWidget>(window, "ItemLST"), value & 0xFF);
}

int CustomValue(QDialog& window, const FieldModel& field) {
  const QString control = QString::fromLatin1(field.control);
  if (control == QLatin1String("HandLST")) {
    return 0x40 * (In<QListWidget>(window, "HandLST").currentRow() + 1) +
           In<QLineEdit>(window, "NameIndexTXT").text().toInt();
  }
  const bool gp = control == QLatin1String("GPOPT");
  const bool guarded = control == QLatin1String("FormationCHK");
  if (In<QRadioButton>(window, "GPOPT").isChecked() != gp ||
      In<QCheckBox>(window, "FormationCHK").isChecked() != guarded) {
    return -1;  // a chest of another kind
  }
  if (gp) return In<QLineEdit>(window, "GPTXT").text().toInt();
  const int formation = guarded ? In<QListWidget>(window, "FormationLST").currentRow() : 0;
  return formation << 8 | In<QListWidget>(window, "ItemLST").currentRow();
}

// The entries of a list or a drop-down list.
int Entries(QDialog& window, const char* name) {
  if (auto* list = window.findChild<QListWidget*>(QString::fromLatin1(name))) return list->count();
  return In<QComboBox>(window, name).count();
}

}  // namespace

void AddEditorRows() {
  QTest::addColumn<QString>("name");
  for (const EditorModel& model : EditorModels()) {
    QTest::newRow(model.name) << QString::fromLatin1(model.name);
  }
}

std::unique_ptr<QDialog> OpenEditor(const EditorModel& model, const ui::EditorContext& context) {
  return ui::EditorNamed(model.window).create(context, nullptr);
}

bool WaitUntilReady(QDialog& window, const EditorModel& model) {
  window.show();
  const auto ready = [&] {
    for (const RecordPicker& picker : model.pickers) {
      auto* control = Control<QWidget>(window, picker.control);
      if (!control->isEnabled() || Entries(window, picker.control) < picker.first + picker.count) {
        return false;
      }
    }
    for (const FieldModel& field : model.fields) {
      if (auto* list = window.findChild<QComboBox*>(QString::fromLatin1(field.control))) {
        if (list->count() <= field.max) return false;
      }
    }
    return true;
  };
  if (!QTest::qWaitFor(ready, 10000)) return false;
  if (model.page != 0) {
    auto& tabs = In<QTabBar>(window, "tabs");
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(model.page).center());
  }
  return true;
}

void PickRecord(QDialog& window, const RecordPicker& picker, int record) {
  if (auto* list = window.findChild<QListWidget*>(QString::fromLatin1(picker.control))) {
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
      ReplaceText(In<QLineEdit>(window, field.control), QString::number(value));
      return;
    case FieldKind::kName:
      ReplaceText(In<QLineEdit>(window, field.control),
                  QString::fromStdString(NameFor(value, field.max)));
      return;
    case FieldKind::kChoice:
      if (auto* list = window.findChild<QListWidget*>(QString::fromLatin1(field.control))) {
        ClickRow(*list, value);
      } else {
        In<QComboBox>(window, field.control).setCurrentIndex(value);
      }
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
    case FieldKind::kNumber: {
      const QString text = In<QLineEdit>(window, field.control).text();
      return text.isEmpty() ? -1 : text.toInt();
    }
    case FieldKind::kChoice:
      if (IsList(window, field.control)) return In<QListWidget>(window, field.control).currentRow();
      return In<QComboBox>(window, field.control).currentIndex();
    case FieldKind::kCheck:
      return In<QAbstractButton>(window, field.control).isChecked() ? 1 : 0;
    case FieldKind::kCustom:
      return CustomValue(window, field);
    case FieldKind::kName:
      break;
  }
  qFatal("a name has no value as a number");
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
  Click(In<QPushButton>(window, "ApplyCMD"));
}

}  // namespace torvale::testing
