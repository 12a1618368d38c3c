#include "scripted/ScriptedPlatform.h"

#include <QDialog>
#include <QFileInfo>

#include "ui/QtPlatform.h"

namespace torvale::tools {

// The folder is a member declared after the public ones, so it exists only in the body.
ScriptedPlatform::ScriptedPlatform() {
  settingsFile = m_settingsFolder.filePath(QStringLiteral("Torvale.conf"));
}

QString ScriptedPlatform::AskOpenFileName(QWidget*, const QString& filter,
                                          const QString& selectedFilter) {
  askedFilters << filter;
  askedSelectedFilters << selectedFilter;
  return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

QString ScriptedPlatform::AskSaveFileName(QWidget*, const QString& title, const QString& filter,
                                          QString& selectedFilter) {
  askedSaveTitles << title;
  askedFilters << filter;
  askedSelectedFilters << selectedFilter;
  if (!saveFilterAnswers.isEmpty()) selectedFilter = saveFilterAnswers.takeFirst();
  QString answer = fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
  const QString suffix = ui::FilterSuffix(filter, selectedFilter);
  if (!answer.isEmpty() && QFileInfo(answer).suffix().isEmpty() && !suffix.isEmpty()) {
    answer += u'.' + suffix;  // as the dialog does
  }
  return answer;
}

QString ScriptedPlatform::AskProgramFileName(QWidget*, const QString& title) {
  askedProgramTitles << title;
  return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

void ScriptedPlatform::ShowMessage(QWidget*, ui::MessageIcon icon, const QString& title,
                                   const QString& text) {
  messages.append({icon, title, text});
}

ui::PendingChoice ScriptedPlatform::AskAboutPendingChanges(QWidget*, const QString&,
                                                           const QString& text) {
  askedQuestions << text;
  return pendingAnswers.isEmpty() ? ui::PendingChoice::kCancel : pendingAnswers.takeFirst();
}

void ScriptedPlatform::ShowModal(QDialog& window) {
  modalWindows << window.windowTitle();
  if (whileModal) whileModal(window);
}

void ScriptedPlatform::OpenWebAddress(const QString& address) {
  webAddresses << address;
}

bool ScriptedPlatform::OpenWithDesktopHandler(const QString& path) {
  desktopOpenedFiles << path;
  return desktopHandlerSucceeds;
}

bool ScriptedPlatform::StartDetached(const QString& program, const QStringList& arguments,
                                     const QString& workingFolder) {
  startedPrograms.append({program, arguments, workingFolder});
  return startSucceeds;
}

QSettings& ScriptedPlatform::Settings() {
  if (!m_settings) m_settings = std::make_unique<QSettings>(settingsFile, QSettings::IniFormat);
  return *m_settings;
}

void ScriptedPlatform::EndProgram() {
  ++endProgramCalls;
}

QString ScriptedPlatform::ProgramFolder() const {
  return programFolder;
}

}  // namespace torvale::tools
