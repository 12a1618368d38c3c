#include "patch/OutputIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace torvale {
namespace {

class SystemIo final : public OutputIo {
 public:
  int Create(const std::filesystem::path& path, mode_t mode) override {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
  }
  long Write(int fd, const void* buffer, std::size_t count) override {
    return ::write(fd, buffer, count);
  }
  int SetMode(int fd, mode_t mode) override { return ::fchmod(fd, mode); }
  int Sync(int fd) override { return ::fsync(fd); }
  int Close(int fd) override { return ::close(fd); }
  int Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    return ::rename(from.c_str(), to.c_str());
  }
  int Unlink(const std::filesystem::path& path) override { return ::unlink(path.c_str()); }
  int ModeOf(const std::filesystem::path& path, mode_t& mode) override {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return -1;
    mode = info.st_mode;
    return 0;
  }
  int SyncFolder(const std::filesystem::path& folder) override {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return -1;
    const int synced = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    errno = error;
    return synced;
  }
};

}  // namespace

OutputIo& SystemOutputIo() {
  static SystemIo io;
  return io;
}

}  // namespace torvale
