#include "ui/SpecialThanksWindow.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/Credits.h"

namespace torvale::ui {

SpecialThanksWindow::SpecialThanksWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("SpecialThanksWindow"));
  setWindowTitle(QStringLiteral("Special Thanks"));
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);  // the credits keep every line they wrap to
  auto* credits = new QLabel(
      QString::fromLatin1(kCredits).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), this);
  credits->setObjectName(QStringLiteral("CreditsLBL"));
  credits->setWordWrap(true);
  layout->addWidget(credits);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->setObjectName(QStringLiteral("CloseCMD"));
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

}  // namespace torvale::ui
