#include "FakePlatform.h"

#include <QDialog>

namespace torvale::testing {

QString FakePlatform::AskOpenFileName(QWidget*, const QString& filter,
                                      const QString& selectedFilter) {
  askedFilters << filter;
  askedSelectedFilters << selectedFilter;
  return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

void FakePlatform::ShowMessage(QWidget*, ui::MessageIcon icon, const QString& title,
                               const QString& text) {
  messages.append({icon, title, text});
}

void FakePlatform::ShowModal(QDialog& window) {
  modalWindows << window.windowTitle();
  if (whileModal) whileModal(window);
}

void FakePlatform::OpenWebAddress(const QString& address) {
  webAddresses << address;
}

void FakePlatform::EndProgram() {
  ++endProgramCalls;
}

QString FakePlatform::ProgramFolder() const {
  return programFolder;
}

}  // namespace torvale::testing
