#pragma once

#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "rom/RomIo.h"

namespace torvale::testing {

// Another RomIo (the system's unless told), recording every read, write and
// sync, with one chosen fault: a read, write or sync that fails, a write that
// moves half its bytes and leaves the disk full for the next one, or a write
// that another program's truncation of the file comes just before.
class FaultyRomIo final : public RomIo {
 public:
  enum class Fault { kError, kShortWrite, kTruncate };

  explicit FaultyRomIo(RomIo& base = SystemRomIo()) : m_base(base) {}

  struct IoCall {
    char kind;  // 'r', 'w' or 's'
    std::int64_t offset;
    std::size_t count;
  };
  std::string kinds;          // the kind of each read, write and sync so far, in order
  std::vector<IoCall> calls;  // the same calls, with what they moved

  // Puts `fault` on the `nth` call from now (counting from 1) of `kind`, or
  // of any kind when `kind` is 0; when `persistent`, on every such call from
  // the nth on, which then all fail.
  void FaultAt(int nth, Fault fault = Fault::kError, char kind = 0, bool persistent = false) {
    m_callsLeft = nth;
    m_fault = fault;
    m_kind = kind;
    m_persistent = persistent;
    m_movedShort = false;
  }

  int Open(const std::filesystem::path& path) override { return m_base.Open(path); }
  void Close(int fd) override { m_base.Close(fd); }
  int Lock(int fd) override { return m_base.Lock(fd); }
  int Identify(int fd, FileIdentity& identity) override { return m_base.Identify(fd, identity); }
  int IdentifyPath(const std::filesystem::path& path, FileIdentity& identity) override {
    return m_base.IdentifyPath(path, identity);
  }
  long ReadAt(int fd, void* buffer, std::size_t count, std::int64_t offset) override {
    if (Call('r', offset, count)) return Failed(EIO);
    return m_base.ReadAt(fd, buffer, count, offset);
  }
  long WriteAt(int fd, const void* buffer, std::size_t count, std::int64_t offset) override {
    if (m_diskFull) {
      m_diskFull = false;
      Call('w', offset, count);
      return Failed(ENOSPC);
    }
    if (Call('w', offset, count)) {
      if (m_fault == Fault::kTruncate) {
        if (::ftruncate(fd, offset) != 0) return -1;
      } else if (m_fault == Fault::kError || count < 2 || m_movedShort) {
        return Failed(EIO);
      } else {
        m_movedShort = m_diskFull = true;
        count /= 2;
      }
    }
    return m_base.WriteAt(fd, buffer, count, offset);
  }
  int Sync(int fd) override {
    if (Call('s', 0, 0)) return static_cast<int>(Failed(EIO));
    return m_base.Sync(fd);
  }

 private:
  // Counts the call; true when it is the one to fail.
  bool Call(char kind, std::int64_t offset, std::size_t count) {
    kinds += kind;
    calls.push_back({kind, offset, count});
    if (m_callsLeft <= 0 || (m_kind != 0 && m_kind != kind)) return false;
    if (m_callsLeft > 1) return --m_callsLeft, false;
    if (!m_persistent) m_callsLeft = 0;
    return true;
  }
  static long Failed(int error) {
    errno = error;
    return -1;
  }

  RomIo& m_base;
  int m_callsLeft = 0;
  Fault m_fault = Fault::kError;
  char m_kind = 0;
  bool m_persistent = false;
  bool m_diskFull = false;
  bool m_movedShort = false;  // a persistent short write moves half its bytes once
};

}  // namespace torvale::testing
