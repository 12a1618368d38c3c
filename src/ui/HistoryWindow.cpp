#include "ui/HistoryWindow.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QUndoView>
#include <QVBoxLayout>

#include "ui/History.h"

namespace torvale::ui {

HistoryWindow::HistoryWindow(History& history, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("HistoryWindow"));
  setWindowTitle(QStringLiteral("History"));
  auto* list = new QUndoView(&history.Steps(), this);
  list->setObjectName(QStringLiteral("HistoryLST"));
  list->setEmptyLabel(QStringLiteral("<ROM as opened>"));
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* close = buttons->addButton(QStringLiteral("&Close"), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("CloseCMD"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // The ROM closed because its file could no longer be trusted: nothing to show.
  connect(&history, &History::Untrusted, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list);
  layout->addWidget(buttons);
  resize(420, 360);
}

}  // namespace torvale::ui
