#include "ui/EditorWindow.h"

#include <QAbstractButton>

#include "rom/RomError.h"
#include "rom/RomFile.h"
#include "rom/Version.h"
#include "text/TextCodec.h"
#include "ui/Platform.h"

namespace torvale::ui {

bool RunQuietly(const std::function<void()>& step) {
  try {
    step();
    return true;
  } catch (const RomError&) {
    return false;
  }
}

EditorWindow::EditorWindow(const EditorContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {}

void EditorWindow::BindCancel(QAbstractButton& cancel) {
  connect(&cancel, &QAbstractButton::clicked, this, &QDialog::reject);
}

void EditorWindow::Apply(const std::function<void()>& write, const std::function<void()>& reload) {
  try {
    write();
    m_context.rom.Sync();
  } catch (const DataFileMissingError&) {
    return;  // the program is ending
  } catch (const RomError& error) {
    m_context.platform.ShowMessage(
        this, MessageIcon::kCritical, QString::fromLatin1(kProgramName),
        QStringLiteral("The change could not be written to the ROM: %1.\r\n\r\nCheck the file; "
                       "fields written before this error are in it.")
            .arg(QString::fromLocal8Bit(error.what())));
    return;
  }
  RunQuietly(reload);
}

void EditorWindow::RefuseApply(const QString& reason) {
  m_context.platform.ShowMessage(this, MessageIcon::kExclamation, QString::fromLatin1(kProgramName),
                                 reason + QStringLiteral("\r\n\r\nNothing was written."));
}

}  // namespace torvale::ui
