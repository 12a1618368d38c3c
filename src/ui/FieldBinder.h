#pragma once

#include <QList>
#include <functional>
#include <string_view>
#include <vector>

#include "data/Table.h"

class QLineEdit;
class QWidget;

namespace torvale::ui {

// The binder's rules for a text box that edits the field: a name box takes
// the field's length and the characters the game can show, a number box the
// field's range; what the box may be typed to is the length it was given.
void BindBox(QLineEdit& box, const Field& field);

// Ties a window's controls to the fields of a table, each control found by
// its field's name. A number box takes its field's range, a name box its
// field's length; a list the same for every ROM is filled when it is still
// empty. A list entry n stands for the value n; a list's sentinel entry, or
// no entry picked, for no value.
class FieldBinder {
 public:
  // Fields without a control of their name are the window's to show and
  // read (BindCustom), or are not shown at all.
  FieldBinder(QWidget& window, const Table& table);

  const Table& Fields() const { return m_table; }

  // A field the window shows its own way, such as a chest's kind in two
  // option buttons.
  void BindCustom(std::string_view name, std::function<void(const Value&)> show,
                  std::function<Value()> read = {});

  void Show(const Record& values);
  // Shows no value in any control: what a failed read leaves.
  void Clear();
  // The controls' values; a control that holds none gives nothing, which
  // RefusalOf names.
  Record Collect() const;

  // The controls whose entries are read from the ROM, for the list `list`.
  QList<QWidget*> ListsOf(ListId list) const;

 private:
  struct Binding {
    QWidget* control = nullptr;
    std::function<void(const Value&)> show;
    std::function<Value()> read;
  };

  const Table& m_table;
  std::vector<Binding> m_bindings;  // one per field, in the table's order
};

}  // namespace torvale::ui
