#pragma once

#include <QStringList>

#include "ui/Platform.h"

namespace torvale::ui {

// The platform seam on Qt's own dialogs and the operating system's shell.
class QtPlatform final : public Platform {
 public:
  QString AskOpenFileName(QWidget* parent, const QString& filter,
                          const QString& selectedFilter) override;
  void ShowMessage(QWidget* parent, MessageIcon icon, const QString& title,
                   const QString& text) override;
  void ShowModal(QDialog& window) override;
  void OpenWebAddress(const QString& address) override;
  void EndProgram() override;
  QString ProgramFolder() const override;
};

// Turns "description|pattern|..." into Qt's name filters, "description (patterns)".
QStringList QtNameFilters(const QString& filter);

}  // namespace torvale::ui
