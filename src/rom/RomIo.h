#pragma once

#include <cstddef>
#include <cstdint>

namespace torvale {

// The positioned I/O beneath RomFile. Each call has the contract of the POSIX
// call it is named after: a count of bytes moved (or 0), or -1 with errno set.
// Tests substitute an implementation that fails on a chosen call.
class RomIo {
 public:
  virtual ~RomIo() = default;
  virtual long ReadAt(int fd, void* buffer, std::size_t count, std::int64_t offset) = 0;
  virtual long WriteAt(int fd, const void* buffer, std::size_t count, std::int64_t offset) = 0;
  virtual int Sync(int fd) = 0;
};

// pread, pwrite and fdatasync.
RomIo& SystemRomIo();

}  // namespace torvale
