#pragma once

#include <QString>
#include <optional>

#include "patch/CleanRom.h"

class QWidget;

namespace torvale {
class RomFile;
}

namespace torvale::ui {

class Platform;

// The clean, unedited ROM that the open one is compared with and patched
// against. Torvale remembers it for the open ROM's path.
class CleanRomChoice {
 public:
  CleanRomChoice(Platform& platform, QWidget* parent, const RomFile& rom);

  // Reads the remembered clean ROM, or asks for one when none is remembered
  // or `choose` is set. A file that is refused is not remembered, and the
  // user is told why. Nothing when cancelled or refused.
  std::optional<CleanRom> Read(bool choose);
  // The clean ROM last read.
  QString Path() const { return m_path; }

 private:
  QString Remembered() const;
  void Remember(const QString& cleanPath);
  void Tell(const QString& text);

  Platform& m_platform;
  QWidget* m_parent;
  const RomFile& m_rom;
  QString m_path;
};

}  // namespace torvale::ui
