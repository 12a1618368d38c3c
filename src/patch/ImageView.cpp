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

ImageView::ImageView(std::span<const std::uint8_t> file) : m_io({}, 0, file) {
  m_rom.Open("memory");
}

ImageView::ImageView(std::span<const std::uint8_t> header, std::span<const std::uint8_t> image)
    : m_io(header.first(std::min<std::size_t>(header.size(), kCopierHeaderSize)), kCopierHeaderSize,
           image) {
  m_rom.Open("memory");
}

int ImageView::ViewIo::Open(const std::filesystem::path&) {
  return kViewFd;
}

int ImageView::ViewIo::Identify(int, FileIdentity& identity) {
  identity = {true, Size(), 1, 1, 1};
  return 0;
}

int ImageView::ViewIo::IdentifyPath(const std::filesystem::path&, FileIdentity& identity) {
  return Identify(kViewFd, identity);
}

long ImageView::ViewIo::ReadAt(int, void* buffer, std::size_t count, std::int64_t offset) {
  const auto start = std::min(static_cast<std::size_t>(offset), Size());
  count = std::min(count, Size() - start);
  auto* out = static_cast<std::uint8_t*>(buffer);
  for (std::size_t at = start; at < std::min(start + count, m_headerSize); ++at) {
    *out++ = at < m_header.size() ? m_header[at] : 0;
  }
  if (start + count > m_headerSize) {
    const std::size_t from = std::max(start, m_headerSize) - m_headerSize;
    std::copy_n(m_body.begin() + static_cast<std::ptrdiff_t>(from), start + count - m_headerSize - from,
                out);
  }
  return static_cast<long>(count);
}

long ImageView::ViewIo::WriteAt(int, const void*, std::size_t, std::int64_t) {
  errno = EROFS;
  return -1;
}

}  // namespace torvale
