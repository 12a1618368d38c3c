#pragma once

#include <QString>
#include <vector>

#include "cli/Request.h"
#include "frontend/RomImageFile.h"
#include "patch/ImageView.h"

namespace torvale::cli {

// A ROM file the command reads, and a view of its image behind a copier
// header (its own, or one of zeros) for the table readers.
class Image {
 public:
  explicit Image(const QString& path);
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  const frontend::RomImageFile file;
  const RomFile& Rom() const { return m_view.Rom(); }
  // Its copier header: 512 bytes, or none.
  std::span<const std::uint8_t> Header() const { return std::span(file.bytes).first(file.header); }
  // The image behind `other`'s copier header, so that only the images differ.
  std::vector<std::uint8_t> LaidOutLike(const Image& other) const;

 private:
  ImageView m_view;
};

// Refused (PatchError) when the two images are not of one size.
void RequireSameSize(const Image& a, const Image& b);
// Refused when the command has no -o.
void RequireOutput(const Request& request);

}  // namespace torvale::cli
