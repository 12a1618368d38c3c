#include "ui/EditorWindow.h"

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

void EditorWindow::BindDefaultAndCancel(QPushButton& apply, QAbstractButton& cancel) {
  apply.setDefault(true);
  connect(&cancel, &QAbstractButton::clicked, this, &QDialog::reject);
}

void EditorWindow::Apply(const std::function<void()>& write, const std::function<void()>& reload) {
  const auto notWritten = [](const RomError& error) {
    return QStringLiteral("The change could not be written to the ROM: %1.\r\n\r\n")
        .arg(QString::fromLocal8Bit(error.what()));
  };
  try {
    write();
  } catch (const DataFileMissingError&) {
    return;  // the program is ending
  } catch (const RomError& error) {
    Tell(MessageIcon::kCritical,
         notWritten(error) + QStringLiteral("Check the file; fields written before this error "
                                            "are in it."));
    return;
  }
  try {
    m_context.rom.Sync();
  } catch (const RomError& error) {
    // After a failed sync nothing tells what the disk holds: the ROM is not
    // trusted further, and is closed with this window.
    m_context.rom.Close();
    Tell(MessageIcon::kCritical,
         notWritten(error) + QStringLiteral("The ROM has been closed; open it again to check it."));
    reject();
    return;
  }
  try {
    reload();
  } catch (const DataFileMissingError&) {
    return;
  } catch (const RomError& error) {
    // The change is in the file; only the fields may not show it.
    Tell(MessageIcon::kExclamation,
         QStringLiteral("The change was written to the ROM, but could not be read back: %1.")
             .arg(QString::fromLocal8Bit(error.what())));
  }
}

void EditorWindow::RefuseApply(const QString& reason) {
  Tell(MessageIcon::kExclamation, reason + QStringLiteral("\r\n\r\nNothing was written."));
}

void EditorWindow::Tell(MessageIcon icon, const QString& text) {
  m_context.platform.ShowMessage(this, icon, QString::fromLatin1(kProgramName), text);
}

}  // namespace torvale::ui
