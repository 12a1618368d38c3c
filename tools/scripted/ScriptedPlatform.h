#pragma once

#include <QList>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "ui/Platform.h"

namespace torvale::tools {

struct ShownMessage {
  ui::MessageIcon icon;
  QString title;
  QString text;
};

struct StartedProgram {
  QString program;
  QStringList arguments;
  QString workingFolder;
};

// The platform seam where no one sits at the screen (the window tests and the
// picture tool): answers file dialogs from a script and records every
// message, modal window, web address, program started, file handed to the
// desktop and end of the program. Nothing is started and nothing is opened.
class ScriptedPlatform final : public ui::Platform {
 public:
  QStringList fileAnswers;  // taken in order; an empty answer or none left is a cancel
  // The answers to questions about changes not applied, in order; none left is Cancel.
  QList<ui::PendingChoice> pendingAnswers;
  QString programFolder;
  // The settings file, in a folder of this platform's own unless set before
  // Settings() is first called; never the user's own settings.
  QString settingsFile;
  bool startSucceeds = true;
  bool desktopHandlerSucceeds = true;
  // Runs while a modal window is "open"; without it the window closes at once.
  std::function<void(QDialog&)> whileModal;

  QStringList askedFilters;
  QStringList askedSelectedFilters;
  QList<ShownMessage> messages;
  QStringList modalWindows;  // window titles, in order shown
  QStringList webAddresses;
  QStringList askedProgramTitles;
  QStringList askedSaveTitles;
  QStringList askedQuestions;  // the text of each question about changes not applied
  // The file types chosen in save dialogs, in order; none left keeps the one shown.
  QStringList saveFilterAnswers;
  QList<StartedProgram> startedPrograms;
  QStringList desktopOpenedFiles;
  int endProgramCalls = 0;

  ScriptedPlatform();

  QString AskOpenFileName(QWidget* parent, const QString& filter,
                          const QString& selectedFilter) override;
  QString AskSaveFileName(QWidget* parent, const QString& title, const QString& filter,
                          QString& selectedFilter) override;
  QString AskProgramFileName(QWidget* parent, const QString& title) override;
  void ShowMessage(QWidget* parent, ui::MessageIcon icon, const QString& title,
                   const QString& text) override;
  ui::PendingChoice AskAboutPendingChanges(QWidget* parent, const QString& title,
                                           const QString& text) override;
  void ShowModal(QDialog& window) override;
  void OpenWebAddress(const QString& address) override;
  bool OpenWithDesktopHandler(const QString& path) override;
  bool StartDetached(const QString& program, const QStringList& arguments,
                     const QString& workingFolder) override;
  QSettings& Settings() override;
  void EndProgram() override;
  QString ProgramFolder() const override;

 private:
  QTemporaryDir m_settingsFolder;
  std::unique_ptr<QSettings> m_settings;
};

}  // namespace torvale::tools
