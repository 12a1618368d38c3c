#pragma once

#include <QString>

#include "patch/CleanRom.h"

class QWidget;

namespace torvale {
class RomFile;
class TextCodec;
}

namespace torvale::ui {

class Platform;

// Asks where to write the patch that turns the clean ROM into the open one
// (BPS or IPS, by the type chosen in the dialog) and, for BPS, what the patch
// says of itself; writes it, shows its release block, and returns
// what the status line says of it: the bytes and runs it changes, or that
// the ROMs do not differ and no file was written. A failure is told to the
// user; cancelled or failed, it returns an empty text.
QString CreatePatchWithDialog(Platform& platform, QWidget* parent, const RomFile& rom,
                              const CleanRom& clean, const QString& cleanPath);

// Asks where to write the change set of the open ROM against the clean ROM
// (YAML) and writes it as a patch is written, never over either ROM. Returns
// what the status line says of it; a failure is told to the user, and
// cancelled or failed, it returns an empty text.
QString ExportChangesWithDialog(Platform& platform, QWidget* parent, const RomFile& rom,
                                const TextCodec& text, const CleanRom& clean,
                                const QString& cleanPath);

}  // namespace torvale::ui
