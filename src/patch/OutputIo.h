#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>

namespace torvale {

// The file-system calls that put a new file in place beside its final name.
// Each has the contract of the POSIX call it stands for: a result, or -1 with
// errno set. Tests substitute calls that fail on a chosen one.
class OutputIo {
 public:
  virtual ~OutputIo() = default;
  // open(2) for writing, creating the file, which must not exist yet.
  virtual int Create(const std::filesystem::path& path, mode_t mode) = 0;
  virtual long Write(int fd, const void* buffer, std::size_t count) = 0;
  virtual int SetMode(int fd, mode_t mode) = 0;  // fchmod(2)
  virtual int Sync(int fd) = 0;                  // fsync(2)
  virtual int Close(int fd) = 0;
  virtual int Rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
  virtual int Unlink(const std::filesystem::path& path) = 0;
  // The permissions of an existing file: stat(2).
  virtual int ModeOf(const std::filesystem::path& path, mode_t& mode) = 0;
  // Makes the folder's entries durable: open(2) of the folder, fsync(2), close(2).
  virtual int SyncFolder(const std::filesystem::path& folder) = 0;
};

// The operating system's calls.
OutputIo& SystemOutputIo();

}  // namespace torvale
