#include "ui/PatchDetailsDialog.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace torvale::ui {
namespace {

template <typename Control>
Control* Named(Control* control, const char* name) {
  control->setObjectName(QLatin1String(name));
  return control;
}

QPushButton* AddButton(QDialogButtonBox* buttons, const QString& text,
                       QDialogButtonBox::ButtonRole role, const char* name) {
  return Named(buttons->addButton(text, role), name);
}

}  // namespace

PatchDetailsDialog::PatchDetailsDialog(QWidget* parent)
    : QDialog(parent),
      m_title(Named(new QLineEdit(this), "TitleTXT")),
      m_author(Named(new QLineEdit(this), "AuthorTXT")),
      m_description(Named(new QPlainTextEdit(this), "DescriptionTXT")) {
  setObjectName(QStringLiteral("PatchDetailsDialog"));
  setWindowTitle(QStringLiteral("Patch Details"));
  m_description->setTabChangesFocus(true);
  auto* form = new QFormLayout;
  const auto add = [&](const QString& label, QWidget* field) {
    auto* caption = new QLabel(label, this);
    caption->setBuddy(field);
    form->addRow(caption, field);
  };
  add(QStringLiteral("&Title:"), m_title);
  add(QStringLiteral("&Author:"), m_author);
  add(QStringLiteral("&Description:"), m_description);
  auto* buttons = new QDialogButtonBox(this);
  AddButton(buttons, QStringLiteral("&Write Patch"), QDialogButtonBox::AcceptRole, "WriteCMD")
      ->setDefault(true);
  AddButton(buttons, QStringLiteral("Cancel"), QDialogButtonBox::RejectRole, "CancelCMD");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(
      QStringLiteral("Written into the BPS patch, with the clean image's CRC32 and SHA-1."), this));
  layout->addLayout(form);
  layout->addWidget(buttons);
  resize(440, 280);
}

frontend::PatchInfo PatchDetailsDialog::Info() const {
  return {m_title->text(), m_author->text(), m_description->toPlainText()};
}

ReleaseBlockWindow::ReleaseBlockWindow(const QString& block, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ReleaseBlockWindow"));
  setWindowTitle(QStringLiteral("Release Block"));
  auto* text = Named(new QPlainTextEdit(block, this), "ReleaseTXT");
  text->setReadOnly(true);
  text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto* buttons = new QDialogButtonBox(this);
  connect(AddButton(buttons, QStringLiteral("C&opy"), QDialogButtonBox::ActionRole, "CopyCMD"),
          &QPushButton::clicked, this, [block] { QGuiApplication::clipboard()->setText(block); });
  AddButton(buttons, QStringLiteral("&Close"), QDialogButtonBox::RejectRole, "CloseCMD");
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      new QLabel(QStringLiteral("The images the patch is made for and makes, without their "
                                "copier headers:"),
                 this));
  layout->addWidget(text);
  layout->addWidget(buttons);
  resize(640, 300);
}

}  // namespace torvale::ui
