#include "rom/RomIo.h"

#include <unistd.h>

namespace torvale {
namespace {

class SystemIo final : public RomIo {
 public:
  long ReadAt(int fd, void* buffer, std::size_t count, std::int64_t offset) override {
    return ::pread(fd, buffer, count, static_cast<off_t>(offset));
  }
  long WriteAt(int fd, const void* buffer, std::size_t count, std::int64_t offset) override {
    return ::pwrite(fd, buffer, count, static_cast<off_t>(offset));
  }
  int Sync(int fd) override { return ::fdatasync(fd); }
};

}  // namespace

RomIo& SystemRomIo() {
  static SystemIo io;
  return io;
}

}  // namespace torvale
