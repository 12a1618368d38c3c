#include "ui/Emulator.h"

#include <QFileInfo>
#include <QSettings>
#include <QString>

#include "rom/Version.h"
#include "ui/Platform.h"

namespace torvale::ui {
namespace {

const QString kEmulatorKey = QStringLiteral("Emulator");

bool IsProgram(const QString& path) {
  const QFileInfo file(path);
  return file.isAbsolute() && file.isFile() && file.isExecutable();
}

void Refuse(Platform& platform, QWidget* parent, const QString& text) {
  platform.ShowMessage(parent, MessageIcon::kCritical, QString::fromLatin1(kProgramName), text);
}

// Keeps the program chosen, or an empty name for the desktop's program when
// the user cancelled. False, with a message, when the choice is no program.
bool AskEmulator(Platform& platform, QWidget* parent) {
  const QString chosen = platform.AskProgramFileName(
      parent, QStringLiteral("Choose the Emulator (Cancel: the Desktop's Program for ROM Files)"));
  if (!chosen.isEmpty() && !IsProgram(chosen)) {
    Refuse(platform, parent,
           QStringLiteral("\"%1\" is not a program that can be started.  Choose the emulator's "
                          "program file.")
               .arg(chosen));
    return false;
  }
  platform.Settings().setValue(kEmulatorKey, chosen);
  platform.Settings().sync();
  return true;
}

}  // namespace

void RunInEmulator(Platform& platform, QWidget* parent, const QString& romPath) {
  // A stored value that is no name, or names no program any more, is no choice.
  const QVariant stored = platform.Settings().value(kEmulatorKey);
  const bool chosen = stored.typeId() == QMetaType::QString &&
                      (stored.toString().isEmpty() || IsProgram(stored.toString()));
  if (!chosen && !AskEmulator(platform, parent)) return;
  const QString program = platform.Settings().value(kEmulatorKey).toString();
  if (program.isEmpty()) {
    if (!platform.OpenWithDesktopHandler(romPath)) {
      Refuse(platform, parent,
             QStringLiteral("The desktop has no program to open \"%1\".  Choose an emulator with "
                            "File > Choose Emulator.")
                 .arg(romPath));
    }
    return;
  }
  if (!platform.StartDetached(program, {romPath}, QFileInfo(romPath).absolutePath())) {
    Refuse(platform, parent,
           QStringLiteral("The emulator \"%1\" could not be started.").arg(program));
  }
}

void ChooseEmulator(Platform& platform, QWidget* parent) {
  AskEmulator(platform, parent);
}

}  // namespace torvale::ui
