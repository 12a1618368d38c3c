#pragma once

#include <QDialog>

namespace torvale::ui {

class History;

// The ROM's history as a list, oldest first, below the ROM as it was opened:
// clicking an entry goes back or forward to it, through the same checks as
// Undo and Redo.
class HistoryWindow : public QDialog {
  Q_OBJECT

 public:
  HistoryWindow(History& history, QWidget* parent);
};

}  // namespace torvale::ui
