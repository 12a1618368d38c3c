#pragma once

#include <QDialog>

namespace torvale::ui {

// A picture alone in a window; a click anywhere on it closes the window.
class PictureWindow : public QDialog {
  Q_OBJECT

 public:
  explicit PictureWindow(QWidget* parent = nullptr);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace torvale::ui
