#include "rom/RomIo.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace torvale {
namespace {

void Describe(const struct stat& info, FileIdentity& identity) {
  identity.regular = S_ISREG(info.st_mode);
  identity.size = static_cast<std::uint64_t>(info.st_size);
  identity.device = info.st_dev;
  identity.inode = info.st_ino;
  identity.links = info.st_nlink;
}

class SystemIo final : public RomIo {
 public:
  int Open(const std::filesystem::path& path) override {
    // O_NONBLOCK keeps a FIFO from hanging the open; RomFile refuses it next.
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd >= 0) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
  }
  void Close(int fd) override { ::close(fd); }
  // flock, not fcntl record locks: those vanish when any descriptor of the file closes.
  int Lock(int fd) override { return ::flock(fd, LOCK_EX | LOCK_NB); }
  int Identify(int fd, FileIdentity& identity) override {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return -1;
    Describe(info, identity);
    return 0;
  }
  int IdentifyPath(const std::filesystem::path& path, FileIdentity& identity) override {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return -1;
    Describe(info, identity);
    return 0;
  }
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
