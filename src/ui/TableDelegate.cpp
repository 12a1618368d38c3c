#include "ui/TableDelegate.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>

#include "data/Lists.h"
#include "data/Table.h"
#include "ui/EditorRegistry.h"
#include "ui/FieldBinder.h"
#include "ui/ListControls.h"
#include "ui/TableModel.h"

namespace torvale::ui {

std::map<std::string_view, int> TypedLengthsOf(const Table& table) {
  std::map<std::string_view, int> lengths;
  const EditorEntry* editor = EditorOfTable(table);
  if (editor == nullptr) return lengths;
  // The form alone: its controls as laid out, nothing read.
  const std::unique_ptr<QDialog> controls = editor->form(nullptr);
  for (const Field& field : table.fields) {
    if (const auto* box = controls->findChild<QLineEdit*>(
            QString::fromLatin1(field.name.data(), static_cast<qsizetype>(field.name.size())))) {
      lengths[field.name] = box->maxLength();
    }
  }
  return lengths;
}

TableDelegate::TableDelegate(TableModel& model, std::map<std::string_view, int> typedLengths,
                             QObject* parent)
    : QStyledItemDelegate(parent), m_model(model), m_typedLengths(std::move(typedLengths)) {}

QWidget* TableDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
  const Field* field = m_model.FieldAt(index.column());
  if (field == nullptr) return QStyledItemDelegate::createEditor(parent, option, index);
  if (field->list != ListId::kNone) {
    auto* list = new QComboBox(parent);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    AddEntries(*list, m_model.Lists().Of(field->list));
    return list;
  }
  auto* box = new QLineEdit(parent);
  if (const auto length = m_typedLengths.find(field->name); length != m_typedLengths.end()) {
    box->setMaxLength(length->second);
  }
  BindBox(*box, *field);
  return box;
}

void TableDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  if (auto* list = qobject_cast<QComboBox*>(editor)) {
    const QVariant value = index.data(TableModel::kValueRole);
    // No value shows the list's closing entry, where it has one.
    list->setCurrentIndex(value.isValid() ? value.toInt() : list->count() - 1);
    return;
  }
  if (auto* box = qobject_cast<QLineEdit*>(editor)) {
    box->setText(index.data(Qt::EditRole).toString());
    return;
  }
  QStyledItemDelegate::setEditorData(editor, index);
}

void TableDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                 const QModelIndex& index) const {
  if (m_model.FieldAt(index.column()) == nullptr) return;
  if (auto* list = qobject_cast<QComboBox*>(editor)) {
    model->setData(index, list->currentIndex(), TableModel::kValueRole);
    return;
  }
  if (auto* box = qobject_cast<QLineEdit*>(editor)) {
    model->setData(index, box->text(), Qt::EditRole);
    return;
  }
  QStyledItemDelegate::setModelData(editor, model, index);
}

}  // namespace torvale::ui
