#pragma once

#include <QDir>
#include <QStringList>

#include "ui/Platform.h"

class QWidget;

namespace torvale::tools {

// The platform seam of the screenshot tool: file dialogs are answered from a
// list, and every modal window is photographed once it is ready, then closed
// as Cancel closes it. Messages are printed: none is expected.
class ScreenshotPlatform final : public ui::Platform {
 public:
  ScreenshotPlatform(const QDir& pictures, QStringList fileAnswers);

  // Saves `window` as `name`.png once its lists are filled and its first
  // record shown.
  void Photograph(QWidget& window, const QString& name);
  // A window went unphotographed, a picture was not saved or a message came up.
  bool Failed() const { return m_failed; }

  QString AskOpenFileName(QWidget* parent, const QString& filter,
                          const QString& selectedFilter) override;
  void ShowMessage(QWidget* parent, ui::MessageIcon icon, const QString& title,
                   const QString& text) override;
  void ShowModal(QDialog& window) override;
  void OpenWebAddress(const QString& address) override;
  void EndProgram() override;
  QString ProgramFolder() const override;

 private:
  void Fail(const QString& why);

  QDir m_pictures;
  QStringList m_fileAnswers;
  bool m_failed = false;
};

}  // namespace torvale::tools
