#pragma once

#include <QString>
#include <QStringList>

class QDialog;
class QSettings;
class QWidget;

namespace torvale::ui {

enum class MessageIcon { kCritical, kExclamation, kInformation };
// The answers to a window closed with changes not applied.
enum class PendingChoice { kApply, kDiscard, kCancel };

// Everything that talks to the user outside a window's own controls. The
// program runs on QtPlatform; tests run on a scripted fake.
class Platform {
 public:
  virtual ~Platform() = default;

  // The file-open dialog. `filter` is pairs of description and pattern, all
  // separated by "|"; `selectedFilter` is the description shown at first.
  // Returns the chosen path, or an empty string when the user cancelled.
  virtual QString AskOpenFileName(QWidget* parent, const QString& filter,
                                  const QString& selectedFilter) = 0;
  // The file-save dialog: `title` says what is saved, `filter` is as for
  // AskOpenFileName, and `selectedFilter` is the description of the type
  // shown at first and, once answered, of the type the user chose. Returns
  // the chosen path, or an empty string when the user cancelled.
  virtual QString AskSaveFileName(QWidget* parent, const QString& title, const QString& filter,
                                  QString& selectedFilter) = 0;
  // The file-open dialog for a program to run; `title` says what it is for.
  // Returns the chosen path, or an empty string when the user cancelled.
  virtual QString AskProgramFileName(QWidget* parent, const QString& title) = 0;
  // A message box with an OK button; returns once it is dismissed.
  virtual void ShowMessage(QWidget* parent, MessageIcon icon, const QString& title,
                           const QString& text) = 0;
  // Asks what becomes of changes not applied: Apply, Discard or Cancel.
  virtual PendingChoice AskAboutPendingChanges(QWidget* parent, const QString& title,
                                               const QString& text) = 0;
  // Shows the window modally and returns once it is closed.
  virtual void ShowModal(QDialog& window) = 0;
  virtual void OpenWebAddress(const QString& address) = 0;
  // Opens the file with the program the desktop has for its type; false when
  // none could be asked.
  virtual bool OpenWithDesktopHandler(const QString& path) = 0;
  // Starts the program in `workingFolder` and lets it run on its own; false
  // when it could not be started.
  virtual bool StartDetached(const QString& program, const QStringList& arguments,
                             const QString& workingFolder) = 0;
  // What the program keeps between runs (recent files, the chosen emulator).
  // Whoever writes calls sync(), so that a change outlives an abrupt end.
  virtual QSettings& Settings() = 0;
  // Ends the program at once. Callers stop their step after calling it.
  virtual void EndProgram() = 0;
  // The program's own folder, where its data files are looked for first.
  virtual QString ProgramFolder() const = 0;
};

}  // namespace torvale::ui
