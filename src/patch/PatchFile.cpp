#include "patch/PatchFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <utility>

#include "patch/PatchError.h"

namespace torvale {
namespace {

constexpr int kNameAttempts = 16;

std::string SystemReason() {
  return std::strerror(errno);
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ignored;
  return std::filesystem::absolute(a, ignored).lexically_normal() ==
             std::filesystem::absolute(b, ignored).lexically_normal() ||
         std::filesystem::equivalent(a, b, ignored);
}

// A new file beside the destination, removed again unless it was put in place.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::filesystem::path& destination) : m_destination(destination) {
    const std::filesystem::path folder =
        destination.has_parent_path() ? destination.parent_path() : ".";
    std::random_device random;
    for (int attempt = 0; attempt < kNameAttempts && m_fd < 0; ++attempt) {
      m_path = folder /
               ("." + destination.filename().string() + "." + std::to_string(random()) + ".tmp");
      m_fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
      if (m_fd < 0 && errno != EEXIST) break;
    }
    if (m_fd < 0) Fail("no file can be created in its folder");
  }
  ~TemporaryFile() {
    if (m_fd >= 0) ::close(m_fd);
    if (!m_placed) ::unlink(m_path.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  void Write(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
      const ssize_t put = ::write(m_fd, bytes.data(), bytes.size());
      if (put < 0 && errno == EINTR) continue;
      if (put == 0) errno = EIO;  // no progress and no reason given
      if (put <= 0) Fail("the write failed");
      bytes = bytes.subspan(static_cast<std::size_t>(put));
    }
  }

  // Durable first, then renamed: a crash leaves either the old file or the whole patch.
  void PlaceAsDestination() {
    if (::fsync(m_fd) != 0) Fail("it could not be made durable");
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0) Fail("it could not be made durable");
    if (::rename(m_path.c_str(), m_destination.c_str()) != 0) Fail("it could not be put in place");
    m_placed = true;
    // The patch is whole under its name now; making the rename itself durable is best effort.
    const int folder = ::open(m_path.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
      ::fsync(folder);
      ::close(folder);
    }
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw PatchError("The patch \"" + m_destination.string() + "\" was not written: " + what +
                     " (" + SystemReason() + ").");
  }

  std::filesystem::path m_destination;
  std::filesystem::path m_path;
  int m_fd = -1;
  bool m_placed = false;
};

}  // namespace

void WritePatchFile(const std::filesystem::path& destination, std::span<const std::uint8_t> bytes,
                    std::span<const std::filesystem::path> protectedFiles) {
  for (const std::filesystem::path& file : protectedFiles) {
    if (SameFile(destination, file)) {
      throw PatchError("The patch \"" + destination.string() +
                       "\" was not written: that file is one of the ROM files the patch is made "
                       "from, and it has not been changed.");
    }
  }
  TemporaryFile file(destination);
  file.Write(bytes);
  file.PlaceAsDestination();
}

}  // namespace torvale
