#pragma once

#include <QDialog>

namespace torvale::ui {

// The credits, with a button to close the window.
class SpecialThanksWindow : public QDialog {
  Q_OBJECT

 public:
  explicit SpecialThanksWindow(QWidget* parent = nullptr);
};

}  // namespace torvale::ui
