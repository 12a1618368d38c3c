#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "ui/Platform.h"

namespace torvale::tools {

struct ShownMessage {
  ui::MessageIcon icon;
  QString title;
  QString text;
};

// The platform seam where no one sits at the screen (the window tests and the
// picture tool): answers file dialogs from a script and records every
// message, modal window, web address and end of the program.
class ScriptedPlatform final : public ui::Platform {
 public:
  QStringList fileAnswers;  // taken in order; an empty answer or none left is a cancel
  QString programFolder;
  // Runs while a modal window is "open"; without it the window closes at once.
  std::function<void(QDialog&)> whileModal;

  QStringList askedFilters;
  QStringList askedSelectedFilters;
  QList<ShownMessage> messages;
  QStringList modalWindows;  // window titles, in order shown
  QStringList webAddresses;
  int endProgramCalls = 0;

  QString AskOpenFileName(QWidget* parent, const QString& filter,
                          const QString& selectedFilter) override;
  void ShowMessage(QWidget* parent, ui::MessageIcon icon, const QString& title,
                   const QString& text) override;
  void ShowModal(QDialog& window) override;
  void OpenWebAddress(const QString& address) override;
  void EndProgram() override;
  QString ProgramFolder() const override;
};

}  // namespace torvale::tools
