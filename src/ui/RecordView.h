#pragma once

#include <QObject>

#include "rom/RomChange.h"
#include "ui/FieldBinder.h"

class QWidget;

namespace torvale::ui {

class EditorWindow;

// One table on show in an editor: the list (or drop-down list) that picks a
// record, and the binder of its fields. A record is read when it is picked
// and written by Apply; the window keeps nothing of it in between.
class RecordView : public QObject {
  Q_OBJECT

 public:
  RecordView(EditorWindow& window, const Table& table, QWidget& picker);

  FieldBinder& Binder() { return m_binder; }
  const Table& Fields() const { return m_binder.Fields(); }
  // The record picked, or -1.
  int Picked() const;
  // The picked record's entry in its list.
  QString PickedText() const;

  // Reads the picked record and shows it. A read that fails shows no value,
  // tells the user and keeps Apply off until a read succeeds: false then.
  bool Load();
  // The same, letting a RomError through once no value is shown; Apply's reload.
  void Reload();
  // Picks the first record `change` changed, unless it changed the one
  // picked or none of the table's.
  void PickChanged(const RomChange& change);
  // What a failed read leaves: no value shown, Apply off.
  void ShowFailure();
  // Whether the fields show what was last read.
  bool Shown() const { return !m_failed; }

  // The values to write: every value collected, or the reason Apply refuses.
  std::optional<Record> Collect(QString& refusal) const;
  void Write(const Record& values);

 private:
  void SetFailed(bool failed);

  EditorWindow& m_window;
  FieldBinder m_binder;
  QWidget& m_picker;
  bool m_failed = false;
};

}  // namespace torvale::ui
