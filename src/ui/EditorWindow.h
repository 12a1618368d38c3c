#pragma once

#include <QDialog>
#include <QPushButton>
#include <functional>
#include <initializer_list>

#include "rom/RomChange.h"
#include "ui/EditorContext.h"
#include "ui/History.h"
#include "ui/HistoryKeys.h"
#include "ui/Platform.h"

class QAbstractButton;
class QKeyEvent;
class QLabel;
class QLineEdit;

namespace torvale {
class RomError;
}

namespace torvale::ui {

class RecordView;

// Runs one step that reads or writes the ROM. A RomError ends the step
// quietly: the controls keep what they showed. Returns whether it completed.
bool RunQuietly(const std::function<void()>& step);

// The base of every editor window: modal over the open ROM, closed by its
// Cancel button without writing.
class EditorWindow : public QDialog {
  Q_OBJECT

 protected:
  EditorWindow(const EditorContext& context, QWidget* parent);

  // The window's two buttons. Apply runs `save`; it is the default button, so
  // Enter runs it from a box or a closed drop-down list (in a list, Enter
  // picks the entry). Cancel closes the window without writing, as do Escape
  // and the close box: all three reject the dialog.
  template <typename Window>
  void BindButtons(QPushButton& apply, void (Window::*save)(), QAbstractButton& cancel) {
    connect(&apply, &QPushButton::clicked, static_cast<Window*>(this), save);
    BindDefaultAndCancel(apply, cancel);
  }

  // Apply of the records on show: every value is collected, and one that is
  // missing, or out of its field's reach, refuses the Apply with a message
  // naming the field; then each record is written, the writes are made
  // durable, and `reload` runs (by default each record is shown again).
  void ApplyRecords(std::initializer_list<RecordView*> views,
                    const std::function<void()>& reload = {}, StepMerge merge = StepMerge::kNever);
  // Apply: `write` puts what is shown into the file, as one step of the
  // ROM's history named `change`; the file is then made durable, and
  // `reload` shows what the file now holds. A write the system
  // refuses is reported to the user, and nothing is reloaded; a reload the
  // system refuses is reported too. A failed sync, or a file that another
  // program truncated, replaced or deleted, is reported, and closes the ROM
  // and the window.
  void Apply(const QString& change, const std::function<void()>& write,
             const std::function<void()>& reload, StepMerge merge = StepMerge::kNever);
  // How the history names this window's changes: "Item Editor: <entry>".
  QString ChangeName(const QString& entry) const;
  // Runs a step that only reads the ROM; a RomError is told to the user.
  // Returns whether it completed.
  bool ReadOrTell(const std::function<void()>& read);
  // Tells the user why Apply wrote nothing.
  void RefuseApply(const QString& reason);
  void Tell(MessageIcon icon, const QString& text);
  // Opens another editor over the same ROM; should it close the ROM, this
  // window closes too, and false is returned.
  bool OpenEditor(QDialog& editor);

  // After a step back or forward through the history: shows what the file
  // now holds, by default each record on show, read again.
  virtual void ShowRecordsAgain();
  // Any step back or forward, from this window or another: the window names
  // it, turns each list to a record the step changed (when it changed none
  // on show) and shows the records again.
  void ShowStepTaken(const QString& step, RomChange::Side side, const RomChange& change);

  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  const EditorContext m_context;

 private:
  friend class RecordView;

  void BindDefaultAndCancel(QPushButton& apply, QAbstractButton& cancel);
  // One step back or forward through the ROM's history; the window closes if
  // the ROM had to be closed.
  void StepThroughHistory(HistoryKey key);
  // Apply is on while every record view shows what it last read.
  void UpdateApply();

  QPushButton* m_apply = nullptr;
  QLabel* m_stepTaken = nullptr;  // "Undone: ..." beside the buttons
  QList<QLineEdit*> m_boxes;      // the window's text boxes
  QList<RecordView*> m_views;
};

}  // namespace torvale::ui
