#pragma once

#include <cerrno>
#include <string>

#include "rom/RomIo.h"

namespace torvale::testing {

// The system's I/O, counting every call, with one fault at a chosen call:
// a read, write or sync that fails, or a write that moves half its bytes
// and leaves the disk full for the next one. Calls count from 1; 0 means no fault.
class CallFaultIo final : public RomIo {
 public:
  enum class Fault { kError, kShortWrite };

  int calls = 0;
  std::string kinds;  // 'r', 'w' or 's' for each call, in order
  int faultAt = 0;
  Fault fault = Fault::kError;

  long ReadAt(int fd, void* buffer, std::size_t count, std::int64_t offset) override {
    if (Call('r')) return Failed(EIO);
    return SystemRomIo().ReadAt(fd, buffer, count, offset);
  }
  long WriteAt(int fd, const void* buffer, std::size_t count, std::int64_t offset) override {
    if (m_diskFull) {
      m_diskFull = false;
      Call('w');
      return Failed(ENOSPC);
    }
    if (Call('w')) {
      if (fault == Fault::kError || count < 2) return Failed(EIO);
      m_diskFull = true;
      count /= 2;
    }
    return SystemRomIo().WriteAt(fd, buffer, count, offset);
  }
  int Sync(int fd) override {
    if (Call('s')) return static_cast<int>(Failed(EIO));
    return SystemRomIo().Sync(fd);
  }

 private:
  bool Call(char kind) {
    kinds += kind;
    return ++calls == faultAt;
  }
  static long Failed(int error) {
    errno = error;
    return -1;
  }

  bool m_diskFull = false;
};

}  // namespace torvale::testing
