#pragma once

#include <QDialog>
#include <QPushButton>
#include <functional>

#include "ui/EditorContext.h"
#include "ui/Platform.h"

class QAbstractButton;

namespace torvale::ui {

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
  // Enter runs it too wherever the focused control leaves the key alone (a
  // box, a closed drop-down list, a list). Cancel closes the window without
  // writing, as do Escape and the close box: all three reject the dialog.
  template <typename Window>
  void BindButtons(QPushButton& apply, void (Window::*save)(), QAbstractButton& cancel) {
    connect(&apply, &QPushButton::clicked, static_cast<Window*>(this), save);
    BindDefaultAndCancel(apply, cancel);
  }
  // Apply: `write` puts the shown record into the file, which is then made
  // durable, and `reload` shows what the file now holds. A write the system
  // refuses is reported to the user, and nothing is reloaded; a reload the
  // system refuses is reported too. A failed sync is reported, and closes the
  // ROM and the window.
  void Apply(const std::function<void()>& write, const std::function<void()>& reload);
  // Tells the user why Apply wrote nothing.
  void RefuseApply(const QString& reason);

  const EditorContext m_context;

 private:
  void BindDefaultAndCancel(QPushButton& apply, QAbstractButton& cancel);
  void Tell(MessageIcon icon, const QString& text);
};

}  // namespace torvale::ui
