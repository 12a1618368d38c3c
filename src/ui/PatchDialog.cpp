#include "ui/PatchDialog.h"

#include <QDir>
#include <array>

#include "patch/CreatePatch.h"
#include "patch/PatchError.h"
#include "rom/RomError.h"
#include "rom/RomFile.h"
#include "rom/RomImage.h"
#include "rom/Version.h"
#include "ui/Platform.h"

namespace torvale::ui {
namespace {

const QString kBps = QStringLiteral("BPS Patch (*.bps)");
const QString kIps = QStringLiteral("IPS Patch (*.ips)");
const QString kPatchFilter = kBps + QStringLiteral("|*.bps|") + kIps + QStringLiteral("|*.ips");
// Patches are shared between images without a copier header, as they are
// made here: the title says so where the file is named.
const QString kTitle =
    QStringLiteral("Create Patch (between the game images, without their 512-byte copier headers)");

QString Counted(std::uint64_t count, const char* thing) {
  return QStringLiteral("%1 %2%3").arg(count).arg(QLatin1String(thing),
                                                  count == 1 ? QString() : QStringLiteral("s"));
}

}  // namespace

QString CreatePatchWithDialog(Platform& platform, QWidget* parent, const RomFile& rom,
                              const CleanRom& clean, const QString& cleanPath) {
  QString type = kBps;
  const QString path = platform.AskSaveFileName(parent, kTitle, kPatchFilter, type);
  if (path.isEmpty()) return {};
  const PatchFormat format = type == kIps ? PatchFormat::kIps : PatchFormat::kBps;
  const std::array<std::filesystem::path, 2> romFiles = {rom.Path(), cleanPath.toStdString()};
  try {
    const PatchSummary summary =
        CreatePatch(clean.Image(), ReadRomImage(rom), format, path.toStdString(), romFiles);
    if (!summary.written) {
      return QStringLiteral("The open ROM does not differ from the clean ROM: no patch written.");
    }
    return QStringLiteral("Patch \"%1\" written: it changes %2 in %3.")
        .arg(QDir::toNativeSeparators(path), Counted(summary.changedBytes, "byte"),
             Counted(summary.runCount, "run"));
  } catch (const PatchNotDurableError& error) {
    platform.ShowMessage(parent, MessageIcon::kExclamation, QString::fromLatin1(kProgramName),
                         QString::fromLocal8Bit(error.what()));
    return QStringLiteral("Patch \"%1\" written, but not known to be on disk.")
        .arg(QDir::toNativeSeparators(path));
  } catch (const RomError& error) {
    platform.ShowMessage(
        parent, MessageIcon::kCritical, QString::fromLatin1(kProgramName),
        QString::fromLocal8Bit(error.what()) + QStringLiteral("\r\n\r\nNo patch was written."));
    return {};
  }
}

}  // namespace torvale::ui
