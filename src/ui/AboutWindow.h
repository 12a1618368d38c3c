#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class AboutWindow;
}

namespace torvale::ui {

class Platform;

inline constexpr auto kProgramWebAddress = "https://torvale.example.org/";

// The program's name, its version and a link to its web page.
class AboutWindow : public QDialog {
  Q_OBJECT

 public:
  AboutWindow(Platform& platform, QWidget* parent = nullptr);
  ~AboutWindow() override;

 private:
  std::unique_ptr<Ui::AboutWindow> m_ui;
};

}  // namespace torvale::ui
