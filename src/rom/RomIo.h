#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace torvale {

// What RomFile needs to know of a file: that it is a regular file, its length,
// and which file it is (device, inode and links), so that a file replaced or
// deleted behind its back is told apart.
struct FileIdentity {
  bool regular = false;
  std::uint64_t size = 0;
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t links = 0;
};

// The file access beneath RomFile. Each call has the contract of the POSIX
// call it stands for: a result, or -1 with errno set. Tests substitute a file
// held in memory, or one that fails on a chosen call.
class RomIo {
 public:
  virtual ~RomIo() = default;
  // open(2) for reading and writing, never creating, without waiting for a FIFO.
  virtual int Open(const std::filesystem::path& path) = 0;
  virtual void Close(int fd) = 0;
  // flock(2), exclusive and without waiting.
  virtual int Lock(int fd) = 0;
  virtual int Identify(int fd, FileIdentity& identity) = 0;  // fstat(2)
  virtual int IdentifyPath(const std::filesystem::path& path,
                           FileIdentity& identity) = 0;  // stat(2)
  virtual long ReadAt(int fd, void* buffer, std::size_t count, std::int64_t offset) = 0;
  virtual long WriteAt(int fd, const void* buffer, std::size_t count, std::int64_t offset) = 0;
  virtual int Sync(int fd) = 0;
};

// The operating system's calls: open, close, flock, fstat, stat, pread,
// pwrite and fdatasync.
RomIo& SystemRomIo();

}  // namespace torvale
