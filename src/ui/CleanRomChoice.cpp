#include "ui/CleanRomChoice.h"

#include <QFileInfo>
#include <QSettings>
#include <QVariantMap>

#include "rom/RomError.h"
#include "rom/RomImage.h"
#include "rom/Version.h"
#include "ui/Platform.h"

namespace torvale::ui {
namespace {

// Open ROM path -> clean ROM path.
const QString kCleanRomsKey = QStringLiteral("CleanRoms");

const QString kAllRomFiles = QStringLiteral("All SNES ROM Files (*.swc, *.smc, *.fig, *.sfc)");
const QString kRomFileFilter =
    kAllRomFiles + QStringLiteral("|*.smc;*.swc;*.fig;*.sfc|All Files (*.*)|*.*");

}  // namespace

CleanRomChoice::CleanRomChoice(Platform& platform, QWidget* parent, const RomFile& rom)
    : m_platform(platform), m_parent(parent), m_rom(rom) {}

QString CleanRomChoice::Remembered() const {
  const QVariant stored = m_platform.Settings().value(kCleanRomsKey);
  return stored.toMap().value(QString::fromStdString(m_rom.Path().string())).toString();
}

void CleanRomChoice::Remember(const QString& cleanPath) {
  QVariantMap stored = m_platform.Settings().value(kCleanRomsKey).toMap();
  const QString romPath = QString::fromStdString(m_rom.Path().string());
  if (cleanPath.isEmpty()) {
    stored.remove(romPath);
  } else {
    stored.insert(romPath, cleanPath);
  }
  m_platform.Settings().setValue(kCleanRomsKey, stored);
}

std::optional<CleanRom> CleanRomChoice::Read(bool choose) {
  std::vector<std::uint8_t> openImage;
  try {
    openImage = ReadRomImage(m_rom);
  } catch (const RomError& error) {
    Tell(QStringLiteral("The open ROM could not be read: %1.")
             .arg(QString::fromLocal8Bit(error.what())));
    return std::nullopt;
  }
  QString path = choose ? QString() : Remembered();
  if (path.isEmpty()) path = m_platform.AskOpenFileName(m_parent, kRomFileFilter, kAllRomFiles);
  if (path.isEmpty()) return std::nullopt;
  try {
    CleanRom clean = ReadCleanRom(path.toStdString(), openImage);
    m_path = path;
    Remember(path);
    return clean;
  } catch (const RomError& error) {
    if (path == Remembered()) Remember({});
    Tell(QString::fromLocal8Bit(error.what()) +
         QStringLiteral("\r\n\r\nChoose the unedited ROM of this game."));
    return std::nullopt;
  }
}

void CleanRomChoice::Tell(const QString& text) {
  m_platform.ShowMessage(m_parent, MessageIcon::kCritical, QString::fromLatin1(kProgramName), text);
}

}  // namespace torvale::ui
