#include "ui/HistoryKeys.h"

#include <QKeyEvent>

namespace torvale::ui {

QList<QKeySequence> UndoKeys() {
  return QKeySequence::keyBindings(QKeySequence::Undo);
}

QList<QKeySequence> RedoKeys() {
  QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Redo);
  for (const QKeySequence& key :
       {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}) {
    if (!keys.contains(key)) keys << key;
  }
  return keys;
}

HistoryKey HistoryKeyOf(const QKeyEvent& key) {
  const QKeySequence pressed(key.keyCombination());
  if (UndoKeys().contains(pressed)) return HistoryKey::kUndo;
  if (RedoKeys().contains(pressed)) return HistoryKey::kRedo;
  return HistoryKey::kNone;
}

}  // namespace torvale::ui
