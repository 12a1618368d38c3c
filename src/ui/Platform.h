#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace torvale::ui {

enum class MessageIcon { kCritical, kExclamation, kInformation };

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
  // A message box with an OK button; returns once it is dismissed.
  virtual void ShowMessage(QWidget* parent, MessageIcon icon, const QString& title,
                           const QString& text) = 0;
  // Shows the window modally and returns once it is closed.
  virtual void ShowModal(QDialog& window) = 0;
  virtual void OpenWebAddress(const QString& address) = 0;
  // Ends the program at once. Callers stop their step after calling it.
  virtual void EndProgram() = 0;
  // The program's own folder, where its data files are looked for first.
  virtual QString ProgramFolder() const = 0;
};

}  // namespace torvale::ui
