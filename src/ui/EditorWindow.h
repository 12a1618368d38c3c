#pragma once

#include <QDialog>
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

  // Cancel closes the window; nothing is written.
  void BindCancel(QAbstractButton& cancel);
  // Apply: `write` puts the shown record into the file, which is then made
  // durable, and `reload` shows what the file now holds. A write the system
  // refuses is reported to the user, and nothing is reloaded; a reload the
  // system refuses is reported too.
  void Apply(const std::function<void()>& write, const std::function<void()>& reload);
  // Tells the user why Apply wrote nothing.
  void RefuseApply(const QString& reason);

  const EditorContext m_context;

 private:
  void Tell(MessageIcon icon, const QString& text);
};

}  // namespace torvale::ui
