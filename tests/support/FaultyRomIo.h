#pragma once

#include <cerrno>

#include "rom/RomIo.h"

namespace torvale::testing {

// The system's I/O with one chosen fault: the Nth write fails outright, the
// Nth write moves only part of its bytes (and the write after it fails), or
// every sync fails. Counting starts at 1; 0 means no fault.
class FaultyRomIo final : public RomIo {
 public:
  int failWrite = 0;
  int shortWrite = 0;
  bool failSync = false;
  int writes = 0;

  long ReadAt(int fd, void* buffer, std::size_t count, std::int64_t offset) override {
    return SystemRomIo().ReadAt(fd, buffer, count, offset);
  }
  long WriteAt(int fd, const void* buffer, std::size_t count, std::int64_t offset) override {
    ++writes;
    if (writes == failWrite || (shortWrite != 0 && writes == shortWrite + 1)) {
      errno = ENOSPC;
      return -1;
    }
    if (writes == shortWrite && count > 1) count /= 2;
    return SystemRomIo().WriteAt(fd, buffer, count, offset);
  }
  int Sync(int fd) override {
    if (!failSync) return SystemRomIo().Sync(fd);
    errno = EIO;
    return -1;
  }
};

}  // namespace torvale::testing
