#include "ui/PictureWindow.h"

#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace torvale::ui {

PictureWindow::PictureWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("PictureWindow"));
  setWindowTitle(QStringLiteral("Torvale"));
  setToolTip(QStringLiteral("Click to close."));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("PictureIMG"));
  picture->setPixmap(QPixmap(QStringLiteral(":/pictures/picture.png")));
  // Clicks on the picture reach the window, which closes.
  picture->setAttribute(Qt::WA_TransparentForMouseEvents);
  layout->addWidget(picture);
}

void PictureWindow::mousePressEvent(QMouseEvent* event) {
  event->accept();
  close();
}

}  // namespace torvale::ui
