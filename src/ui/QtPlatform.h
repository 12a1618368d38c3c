#pragma once

#include <QSettings>
#include <QStringList>

#include "ui/Platform.h"

namespace torvale::ui {

// The platform seam on Qt's own dialogs and the operating system's shell.
class QtPlatform final : public Platform {
 public:
  QString AskOpenFileName(QWidget* parent, const QString& filter,
                          const QString& selectedFilter) override;
  QString AskSaveFileName(QWidget* parent, const QString& title, const QString& filter,
                          QString& selectedFilter) override;
  QString AskProgramFileName(QWidget* parent, const QString& title) override;
  void ShowMessage(QWidget* parent, MessageIcon icon, const QString& title,
                   const QString& text) override;
  PendingChoice AskAboutPendingChanges(QWidget* parent, const QString& title,
                                       const QString& text) override;
  void ShowModal(QDialog& window) override;
  void OpenWebAddress(const QString& address) override;
  bool OpenWithDesktopHandler(const QString& path) override;
  bool StartDetached(const QString& program, const QStringList& arguments,
                     const QString& workingFolder) override;
  QSettings& Settings() override { return m_settings; }
  void EndProgram() override;
  QString ProgramFolder() const override;

 private:
  // On Linux, ~/.config/Torvale/Torvale.conf.
  QSettings m_settings{QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Torvale"),
                       QStringLiteral("Torvale")};
};

// Turns "description|pattern|..." into Qt's name filters, "description (patterns)".
QStringList QtNameFilters(const QString& filter);
// The suffix a save dialog adds for the type `description` of `filter`:
// "ips" for "IPS Patch (*.ips)|*.ips"; empty for "*.*".
QString FilterSuffix(const QString& filter, const QString& description);

}  // namespace torvale::ui
