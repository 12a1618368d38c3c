#include "scripted/ScriptedPlatform.h"

#include <QDialog>

namespace torvale::tools {

QString ScriptedPlatform::AskOpenFileName(QWidget*, const QString& filter,
                                          const QString& selectedFilter) {
  askedFilters << filter;
  askedSelectedFilters << selectedFilter;
  return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

void ScriptedPlatform::ShowMessage(QWidget*, ui::MessageIcon icon, const QString& title,
                                   const QString& text) {
  messages.append({icon, title, text});
}

void ScriptedPlatform::ShowModal(QDialog& window) {
  modalWindows << window.windowTitle();
  if (whileModal) whileModal(window);
}

void ScriptedPlatform::OpenWebAddress(const QString& address) {
  webAddresses << address;
}

void ScriptedPlatform::EndProgram() {
  ++endProgramCalls;
}

QString ScriptedPlatform::ProgramFolder() const {
  return programFolder;
}

}  // namespace torvale::tools
