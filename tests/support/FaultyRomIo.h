#pragma once

#include <cerrno>
#include <string>

#include "rom/RomIo.h"

namespace torvale::testing {

// The system's I/O, recording every call, with one chosen fault: a read,
// write or sync that fails, or a write that moves half its bytes and leaves
// the disk full for the next one.
class FaultyRomIo final : public RomIo {
 public:
  enum class Fault { kError, kShortWrite };

  std::string kinds;  // 'r', 'w' or 's' for each call so far, in order

  // Puts `fault` on the `nth` call from now (counting from 1) of `kind`, or
  // of any kind when `kind` is 0.
  void FaultAt(int nth, Fault fault = Fault::kError, char kind = 0) {
    m_callsLeft = nth;
    m_fault = fault;
    m_kind = kind;
  }

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
      if (m_fault == Fault::kError || count < 2) return Failed(EIO);
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
  // Counts the call; true when it is the one to fail.
  bool Call(char kind) {
    kinds += kind;
    return m_callsLeft > 0 && (m_kind == 0 || m_kind == kind) && --m_callsLeft == 0;
  }
  static long Failed(int error) {
    errno = error;
    return -1;
  }

  int m_callsLeft = 0;
  Fault m_fault = Fault::kError;
  char m_kind = 0;
  bool m_diskFull = false;
};

}  // namespace torvale::testing
