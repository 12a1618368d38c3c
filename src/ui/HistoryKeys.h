#pragma once

#include <QKeySequence>
#include <QList>

class QKeyEvent;

namespace torvale::ui {

// The keys that step through the ROM's history: the desktop's own for Undo
// and Redo, and for Redo both Ctrl+Shift+Z and Ctrl+Y whatever the desktop has.
QList<QKeySequence> UndoKeys();
QList<QKeySequence> RedoKeys();

enum class HistoryKey { kNone, kUndo, kRedo };
HistoryKey HistoryKeyOf(const QKeyEvent& key);

}  // namespace torvale::ui
