#include "ui/PatchDialog.h"

#include <QDir>
#include <algorithm>
#include <array>

#include "frontend/ImageFacts.h"
#include "data/CellText.h"
#include "patch/ChangeSet.h"
#include "patch/ChangeSetYaml.h"
#include "patch/CreatePatch.h"
#include "patch/OutputFile.h"
#include "patch/PatchError.h"
#include "rom/RomError.h"
#include "rom/RomFile.h"
#include "rom/RomImage.h"
#include "rom/Version.h"
#include "ui/PatchDetailsDialog.h"
#include "ui/Platform.h"

namespace torvale::ui {
namespace {

const QString kBps = QStringLiteral("BPS Patch (*.bps)");
const QString kIps = QStringLiteral("IPS Patch (*.ips)");
const QString kChangeSet = QStringLiteral("Change Set (*.yaml)");
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
    const std::vector<std::uint8_t> edited = ReadRomImage(rom);
    if (std::ranges::equal(edited, clean.Image())) {
      return QStringLiteral("The open ROM does not differ from the clean ROM: no patch written.");
    }
    const frontend::ImageHashes cleanHashes = frontend::HashesOf(clean.Image());
    std::string metadata;
    if (format == PatchFormat::kBps) {
      PatchDetailsDialog details(parent);
      platform.ShowModal(details);
      if (details.result() != QDialog::Accepted) return {};
      metadata = frontend::PatchMetadataXml(details.Info(), frontend::CleanFactsOf(cleanHashes));
    }
    const PatchSummary summary =
        CreatePatch(clean.Image(), edited, format, path.toStdString(), romFiles, metadata);
    ReleaseBlockWindow release(
        frontend::ReleaseBlock(cleanHashes, frontend::HashesOf(edited)),
        parent);
    platform.ShowModal(release);
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

QString ExportChangesWithDialog(Platform& platform, QWidget* parent, const RomFile& rom,
                                const TextCodec& text, const CleanRom& clean,
                                const QString& cleanPath) {
  QString type = kChangeSet;
  const QString path = platform.AskSaveFileName(
      parent, QStringLiteral("Export Changes"), kChangeSet + QStringLiteral("|*.yaml"), type);
  if (path.isEmpty()) return {};
  const std::array<std::filesystem::path, 2> romFiles = {rom.Path(), cleanPath.toStdString()};
  const auto fail = [&](const RomError& error, const QString& outcome) {
    platform.ShowMessage(parent, MessageIcon::kCritical, QString::fromLatin1(kProgramName),
                         QString::fromLocal8Bit(error.what()) + QStringLiteral("\r\n\r\n") +
                             outcome);
  };
  try {
    ChangeSet changes = ChangeSetOf(clean.Image(), ReadRomImage(rom), text);
    changes.clean = frontend::CleanFactsOf(clean.Image());
    changes.program = std::string(kProgramName) + " " + VersionText();
    ListEntries lists(text, rom);
    const std::string yaml = WriteChangeSetYaml(changes, lists);
    WriteOutputFile(path.toStdString(),
                    {reinterpret_cast<const std::uint8_t*>(yaml.data()), yaml.size()}, romFiles,
                    "change set");
    return QStringLiteral("Change set \"%1\" written: %2 and %3.")
        .arg(QDir::toNativeSeparators(path), Counted(changes.fields.size(), "changed field"),
             Counted(changes.runs.size(), "other run"));
  } catch (const PatchNotDurableError& error) {
    fail(error, QStringLiteral("The change set is written, but not known to be on disk."));
    return QStringLiteral("Change set \"%1\" written, but not known to be on disk.")
        .arg(QDir::toNativeSeparators(path));
  } catch (const RomError& error) {
    fail(error, QStringLiteral("No change set was written."));
    return {};
  }
}

}  // namespace torvale::ui
