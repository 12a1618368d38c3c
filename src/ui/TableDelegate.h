#pragma once

#include <QStyledItemDelegate>
#include <map>
#include <string_view>

namespace torvale {
struct Table;
}

namespace torvale::ui {

class TableModel;

// Edits a grid's cells with the controls and rules of the form that edits the
// same fields: a drop-down list of the field's entries, or a box with the
// binder's validator (BindBox) and the length the form's box takes.
class TableDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  // `typedLengths`: the length each field's box in the form takes, by name.
  TableDelegate(TableModel& model, std::map<std::string_view, int> typedLengths, QObject* parent);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;

 private:
  TableModel& m_model;
  std::map<std::string_view, int> m_typedLengths;
};

// The length each field's text box takes in the form that edits the table.
std::map<std::string_view, int> TypedLengthsOf(const Table& table);

}  // namespace torvale::ui
