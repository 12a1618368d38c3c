#pragma once

#include <cerrno>
#include <string>

#include "patch/OutputIo.h"

namespace torvale::testing {

// The system's output calls, recorded by name, with the nth call from now
// (counting from 1) failing with EIO.
class FaultyOutputIo final : public OutputIo {
 public:
  std::string calls;  // one letter per call: c w m s x r u o f

  void FaultAt(int nth) { m_callsLeft = nth; }

  int Create(const std::filesystem::path& path, mode_t mode) override {
    return Call('c') ? Failed() : m_base.Create(path, mode);
  }
  long Write(int fd, const void* buffer, std::size_t count) override {
    return Call('w') ? Failed() : m_base.Write(fd, buffer, count);
  }
  int SetMode(int fd, mode_t mode) override {
    return Call('m') ? Failed() : m_base.SetMode(fd, mode);
  }
  int Sync(int fd) override { return Call('s') ? Failed() : m_base.Sync(fd); }
  int Close(int fd) override {
    const int closed = m_base.Close(fd);  // a failed close still releases the descriptor
    return Call('x') ? Failed() : closed;
  }
  int Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    return Call('r') ? Failed() : m_base.Rename(from, to);
  }
  int Unlink(const std::filesystem::path& path) override {
    return Call('u') ? Failed() : m_base.Unlink(path);
  }
  int ModeOf(const std::filesystem::path& path, mode_t& mode) override {
    return Call('o') ? Failed() : m_base.ModeOf(path, mode);
  }
  int SyncFolder(const std::filesystem::path& folder) override {
    return Call('f') ? Failed() : m_base.SyncFolder(folder);
  }

 private:
  bool Call(char kind) {
    calls += kind;
    return m_callsLeft > 0 && --m_callsLeft == 0;
  }
  static int Failed() {
    errno = EIO;
    return -1;
  }

  OutputIo& m_base = SystemOutputIo();
  int m_callsLeft = 0;
};

}  // namespace torvale::testing
