#include "ui/FieldBinder.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "ui/FieldValidators.h"
#include "ui/GameText.h"
#include "ui/ListControls.h"

namespace torvale::ui {
namespace {

bool IsText(const Field& field) {
  return field.encoding == Encoding::kText || field.encoding == Encoding::kBlankedText;
}

int EntryCount(const QWidget& list) {
  if (const auto* combo = qobject_cast<const QComboBox*>(&list)) return combo->count();
  return qobject_cast<const QListWidget*>(&list)->count();
}

// The entry a value stands for: its own, or the sentinel (or none) for no value.
int EntryOf(const Field& field, const QWidget& list, const Value& value) {
  const auto* number = std::get_if<std::int64_t>(&value);
  const int values = ValueCount(field.list);
  if (number != nullptr) {
    return *number >= 0 && *number < values && *number < EntryCount(list)
               ? static_cast<int>(*number)
               : -1;
  }
  return EntryCount(list) > values ? values : -1;
}

Value ValueOfEntry(const Field& field, int entry) {
  if (entry < 0 || entry >= ValueCount(field.list)) return {};
  return std::int64_t{entry};
}

}  // namespace

void BindBox(QLineEdit& box, const Field& field) {
  if (IsText(field)) {
    MakeNameBox(box, field.width);
  } else {
    MakeNumberBox(box, field.minimum, field.maximum);
  }
}

FieldBinder::FieldBinder(QWidget& window, const Table& table)
    : m_table(table), m_bindings(table.fields.size()) {
  for (std::size_t i = 0; i < table.fields.size(); ++i) {
    const Field& field = table.fields[i];
    auto* control = window.findChild<QWidget*>(QString::fromLatin1(field.name));
    if (control == nullptr) continue;
    Binding& binding = m_bindings[i];
    binding.control = control;
    if (auto* box = qobject_cast<QLineEdit*>(control)) BindBox(*box, field);
    if (auto* box = qobject_cast<QLineEdit*>(control); box != nullptr && IsText(field)) {
      binding.show = [box](const Value& value) {
        ShowText(*box, FromGameText(std::get<std::string>(value)));
      };
      binding.read = [box]() -> Value { return ToGameText(box->text()); };
    } else if (box != nullptr) {
      binding.show = [box](const Value& value) {
        if (const auto* number = std::get_if<std::int64_t>(&value)) {
          ShowText(*box, QString::number(*number));
        } else {
          EmptyNumberBox(*box);
        }
      };
      binding.read = [box]() -> Value {
        if (const auto number = NumberIn(*box)) return std::int64_t{*number};
        return {};
      };
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
      if (combo->count() == 0 && !ReadsRom(field.list))
        AddEntries(*combo, FixedEntries(field.list));
      binding.show = [combo, &field](const Value& value) {
        combo->setCurrentIndex(EntryOf(field, *combo, value));
      };
      binding.read = [combo, &field] { return ValueOfEntry(field, combo->currentIndex()); };
    } else if (auto* list = qobject_cast<QListWidget*>(control)) {
      if (list->count() == 0 && !ReadsRom(field.list)) AddEntries(*list, FixedEntries(field.list));
      binding.show = [list, &field](const Value& value) {
        list->setCurrentRow(EntryOf(field, *list, value));
      };
      binding.read = [list, &field] { return ValueOfEntry(field, SelectedRow(*list)); };
    } else if (auto* check = qobject_cast<QAbstractButton*>(control)) {
      binding.show = [check](const Value& value) {
        const auto* number = std::get_if<std::int64_t>(&value);
        check->setChecked(number != nullptr && *number != 0);
      };
      binding.read = [check]() -> Value { return std::int64_t{check->isChecked() ? 1 : 0}; };
    }
  }
}

void FieldBinder::BindCustom(std::string_view name, std::function<void(const Value&)> show,
                             std::function<Value()> read) {
  Binding& binding = m_bindings[FieldIndex(m_table, name)];
  binding.show = std::move(show);
  binding.read = std::move(read);
}

void FieldBinder::Show(const Record& values) {
  for (std::size_t i = 0; i < m_bindings.size(); ++i) {
    if (m_bindings[i].show) m_bindings[i].show(values[i]);
  }
}

void FieldBinder::Clear() {
  for (std::size_t i = 0; i < m_bindings.size(); ++i) {
    if (!m_bindings[i].show) continue;
    m_bindings[i].show(IsText(m_table.fields[i]) ? Value{std::string()} : Value{});
  }
}

Record FieldBinder::Collect() const {
  Record values(m_bindings.size());
  for (std::size_t i = 0; i < m_bindings.size(); ++i) {
    if (m_bindings[i].read) values[i] = m_bindings[i].read();
  }
  return values;
}

QList<QWidget*> FieldBinder::ListsOf(ListId list) const {
  QList<QWidget*> controls;
  for (std::size_t i = 0; i < m_bindings.size(); ++i) {
    if (m_table.fields[i].list == list && m_bindings[i].control != nullptr) {
      controls << m_bindings[i].control;
    }
  }
  return controls;
}

}  // namespace torvale::ui
