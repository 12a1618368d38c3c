#include "cli/Images.h"

#include <QDir>

#include "patch/PatchError.h"
#include "rom/RomImage.h"

namespace torvale::cli {
Image::Image(const QString& path)
    : file(frontend::ReadRomImageFile(path)),
      m_view(Header(), file.Image()) {}

std::vector<std::uint8_t> Image::LaidOutLike(const Image& other) const {
  return LaidOutImage(file.Image(), other.Header());
}

void RequireSameSize(const Image& a, const Image& b) {
  if (a.file.Image().size() == b.file.Image().size()) return;
  throw PatchError("\"" + QDir::toNativeSeparators(a.file.path).toStdString() + "\" and \"" +
                   QDir::toNativeSeparators(b.file.path).toStdString() +
                   "\" hold images of different sizes (" + std::to_string(a.file.Image().size()) +
                   " and " + std::to_string(b.file.Image().size()) + " bytes)");
}

void RequireOutput(const Request& request) {
  if (request.output.isEmpty()) throw PatchError("name the file to write with -o");
}

}  // namespace torvale::cli
