#pragma once

// Input as a user gives it, for the picture tool and the window tests: keys
// typed, rows and buttons clicked, controls found by name.

#include <QObject>
#include <QString>

class QAbstractButton;
class QLineEdit;
class QListWidget;
class QTreeWidget;
class QWidget;

namespace torvale::tools {

// Types `text` into `widget` key by key, characters outside printable ASCII included.
void TypeText(QWidget* widget, const QString& text);
// Selects everything in the box and types `text` over it.
void ReplaceText(QLineEdit& box, const QString& text);
void ClickRow(QListWidget& list, int row);
// Clicks the node with this text; of two, the one further down.
void ClickNode(QTreeWidget& tree, const QString& text);
// Near the left edge: a stretched option button takes clicks on its face only.
void ClickButton(QAbstractButton& button);
// Shows the window and waits until its deferred fill, if it has one, is done;
// false when it was never done.
bool ShowUntilFilled(QWidget& window);

// The control (or action) named `name` below `root`; ends the program when
// there is none.
template <typename T>
T* Control(const QObject& root, const char* name) {
  T* control = root.findChild<T*>(QString::fromLatin1(name));
  if (control == nullptr) qFatal("no control named %s", name);
  return control;
}

}  // namespace torvale::tools
