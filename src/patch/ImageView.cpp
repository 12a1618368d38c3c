#include "patch/ImageView.h"

#include <algorithm>
#include <cerrno>

#include "rom/RomImage.h"

namespace torvale {
namespace {

constexpr int kViewFd = 3;

}  // namespace

std::vector<std::uint8_t> LaidOutImage(std::span<const std::uint8_t> image,
                                       std::span<const std::uint8_t> header) {
  std::vector<std::uint8_t> file(kCopierHeaderSize, 0);
  std::copy_n(header.begin(), std::min<std::size_t>(header.size(), kCopierHeaderSize), file.begin());
  file.insert(file.end(), image.begin(), image.end());
  return file;
}

ImageView::ImageView(std::span<const std::uint8_t> bytes) : m_io(bytes) {
  m_rom.Open("memory");
}

int ImageView::ViewIo::Open(const std::filesystem::path&) {
  return kViewFd;
}

int ImageView::ViewIo::Identify(int, FileIdentity& identity) {
  identity = {true, m_bytes.size(), 1, 1, 1};
  return 0;
}

int ImageView::ViewIo::IdentifyPath(const std::filesystem::path&, FileIdentity& identity) {
  return Identify(kViewFd, identity);
}

long ImageView::ViewIo::ReadAt(int, void* buffer, std::size_t count, std::int64_t offset) {
  const auto start = std::min(static_cast<std::size_t>(offset), m_bytes.size());
  count = std::min(count, m_bytes.size() - start);
  std::copy_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(start), count,
              static_cast<std::uint8_t*>(buffer));
  return static_cast<long>(count);
}

long ImageView::ViewIo::WriteAt(int, const void*, std::size_t, std::int64_t) {
  errno = EROFS;
  return -1;
}

}  // namespace torvale
