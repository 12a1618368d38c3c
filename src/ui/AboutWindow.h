#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class AboutWindow;
}

namespace torvale::ui {

class Platform;

// Set when the program is built (TORVALE_HOMEPAGE); empty when it has none.
inline constexpr auto kProgramWebAddress = TORVALE_HOMEPAGE;

// The program's name, its version and a link to its web page when it has one.
class AboutWindow : public QDialog {
  Q_OBJECT

 public:
  AboutWindow(Platform& platform, QWidget* parent = nullptr,
              const QString& webAddress = QString::fromUtf8(kProgramWebAddress));
  ~AboutWindow() override;

 private:
  std::unique_ptr<Ui::AboutWindow> m_ui;
};

}  // namespace torvale::ui
