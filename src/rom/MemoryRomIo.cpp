#include "rom/MemoryRomIo.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace torvale {
namespace {

constexpr int kMemoryFd = 3;

}  // namespace

int MemoryRomIo::Open(const std::filesystem::path& name) {
  if (name == path) return kMemoryFd;
  errno = ENOENT;
  return -1;
}

int MemoryRomIo::Identify(int, FileIdentity& identity) {
  identity = {true, length, 1, 1, 1};
  return 0;
}

int MemoryRomIo::IdentifyPath(const std::filesystem::path& name, FileIdentity& identity) {
  if (name != path) {
    errno = ENOENT;
    return -1;
  }
  return Identify(kMemoryFd, identity);
}

long MemoryRomIo::ReadAt(int, void* buffer, std::size_t count, std::int64_t offset) {
  const auto start = static_cast<std::size_t>(offset);
  if (start >= length) return 0;
  count = std::min(count, length - start);
  std::memcpy(buffer, bytes.data() + start, count);
  return static_cast<long>(count);
}

long MemoryRomIo::WriteAt(int, const void* buffer, std::size_t count, std::int64_t offset) {
  const auto start = static_cast<std::size_t>(offset);
  if (start + count > length) {
    errno = EFBIG;  // a file in memory never grows
    return -1;
  }
  std::memcpy(bytes.data() + start, buffer, count);
  return static_cast<long>(count);
}

}  // namespace torvale
