#pragma once

#include <QDialog>

#include "frontend/PatchMetadata.h"

class QLineEdit;
class QPlainTextEdit;

namespace torvale::ui {

// Asks what a BPS patch says of itself: its title, its author and a
// description, each of which may stay empty.
class PatchDetailsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PatchDetailsDialog(QWidget* parent);

  frontend::PatchInfo Info() const;

 private:
  QLineEdit* m_title;
  QLineEdit* m_author;
  QPlainTextEdit* m_description;
};

// The release block of a patch just written, to paste where it is shared,
// with a button that copies it.
class ReleaseBlockWindow : public QDialog {
  Q_OBJECT

 public:
  ReleaseBlockWindow(const QString& block, QWidget* parent);
};

}  // namespace torvale::ui
