#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <string>

#include "patch/ChangeSet.h"

namespace torvale::frontend {

// What a patch says of itself, written into a BPS patch's metadata.
struct PatchInfo {
  QString title;
  QString author;
  QString description;
};

// The BPS metadata: a small UTF-8 XML document with the patch's title,
// author and description, the clean image's CRC32 and SHA-1 and the program.
std::string PatchMetadataXml(const PatchInfo& info, const CleanImageFacts& clean);

// A patch's metadata as name and text pairs, to show; a document that is not
// such XML shows whole, as its text.
QList<QPair<QString, QString>> ReadPatchMetadata(const std::string& metadata);

}  // namespace torvale::frontend
