#include "ui/AboutWindow.h"

#include <QFont>
#include <QPushButton>

#include "rom/Version.h"
#include "ui/Platform.h"
#include "ui_AboutWindow.h"

namespace torvale::ui {

AboutWindow::AboutWindow(Platform& platform, QWidget* parent, const QString& webAddress)
    : QDialog(parent), m_ui(std::make_unique<Ui::AboutWindow>()) {
  m_ui->setupUi(this);
  QFont title = m_ui->ProgramLBL->font();
  title.setPointSizeF(title.pointSizeF() * 1.6);
  title.setBold(true);
  m_ui->ProgramLBL->setFont(title);
  m_ui->VersionLBL->setText(QStringLiteral("Version ") + QString::fromStdString(VersionText()));
  m_ui->WebLinkLBL->setVisible(!webAddress.isEmpty());
  m_ui->WebLinkLBL->setText(
      QStringLiteral("<a href=\"%1\">%1</a>").arg(webAddress.toHtmlEscaped()));
  // The address goes to the operating system's browser, not to Qt's own handling.
  m_ui->WebLinkLBL->setOpenExternalLinks(false);
  connect(m_ui->WebLinkLBL, &QLabel::linkActivated, this,
          [&platform](const QString& link) { platform.OpenWebAddress(link); });
  connect(m_ui->OKCMD, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

AboutWindow::~AboutWindow() = default;

}  // namespace torvale::ui
