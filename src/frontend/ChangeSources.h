#pragma once

#include <QString>
#include <span>
#include <string>
#include <vector>

#include "patch/ChangeSet.h"

namespace torvale {
class TextCodec;
}

namespace torvale::frontend {

// A file's changes, as a change set against the clean image, and what the
// file says of itself (a BPS patch's metadata).
struct ChangeSource {
  ChangeSet changes;
  std::string metadata;
};

// Reads a file of changes against `clean` (a game image without copier
// header), by its suffix: a change set (.yaml, .yml); a BPS patch, which
// must have been made for the clean image; an IPS patch; a table's CSV, its
// table named by the file's name ("Items.csv"); or a ROM file compared with
// the clean image. Refused (PatchError) with the file's name and why.
ChangeSource ReadChangeSource(const QString& path, std::span<const std::uint8_t> clean,
                              const TextCodec& text);

// A change set's file (.yaml) read as it stands, not checked against any
// clean image. Refused (PatchError) with the file's name and why.
ChangeSet ReadChangeSetFile(const QString& path);

// A file of changes read whole; refused (PatchError) when it cannot be read
// or is far larger than any such file.
std::vector<std::uint8_t> ReadChangeFile(const QString& path);

// Whether the file's suffix is one ReadChangeSource reads.
bool IsChangeSource(const QString& path);

}  // namespace torvale::frontend
