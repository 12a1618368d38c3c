#pragma once

#include <QString>

#include "patch/CleanRom.h"

class QWidget;

namespace torvale {
class RomFile;
}

namespace torvale::ui {

class Platform;

// Asks where to write the patch that turns the clean ROM into the open one
// (BPS or IPS, by the type chosen in the dialog), writes it, and returns
// what the status line says of it: the bytes and runs it changes, or that
// the ROMs do not differ and no file was written. A failure is told to the
// user; cancelled or failed, it returns an empty text.
QString CreatePatchWithDialog(Platform& platform, QWidget* parent, const RomFile& rom,
                              const CleanRom& clean, const QString& cleanPath);

}  // namespace torvale::ui
