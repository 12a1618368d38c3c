#include "patch/OutputFile.h"

#include <sys/stat.h>

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
constexpr mode_t kNewFileMode = 0666;  // less what the user's umask takes away

std::string SystemReason() {
  return std::strerror(errno);
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ignored;
  return std::filesystem::absolute(a, ignored).lexically_normal() ==
             std::filesystem::absolute(b, ignored).lexically_normal() ||
         std::filesystem::equivalent(a, b, ignored);
}

// ".torvale-0123456789abcdef.tmp": the same length whatever the destination
// is called, so that any name the folder takes is taken.
std::filesystem::path TemporaryName(const std::filesystem::path& folder, std::mt19937_64& random) {
  char name[32];
  std::snprintf(name, sizeof name, ".torvale-%016llx.tmp",
                static_cast<unsigned long long>(random()));
  return folder / name;
}

// A new file beside the destination, removed again unless it was put in place.
class TemporaryFile {
 public:
  TemporaryFile(const std::filesystem::path& destination, std::string_view what, OutputIo& io)
      : m_destination(destination), m_what(what), m_io(io) {
    const std::filesystem::path folder =
        destination.has_parent_path() ? destination.parent_path() : ".";
    std::mt19937_64 random(std::random_device{}());
    for (int attempt = 0; attempt < kNameAttempts && m_fd < 0; ++attempt) {
      m_path = TemporaryName(folder, random);
      m_fd = m_io.Create(m_path, kNewFileMode);
      if (m_fd < 0 && errno != EEXIST) break;
    }
    if (m_fd < 0) Fail("no file can be created in its folder");
  }
  ~TemporaryFile() {
    if (m_fd >= 0) m_io.Close(m_fd);
    if (!m_placed) m_io.Unlink(m_path);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // A file replaced keeps its permissions.
  void TakePermissionsOfDestination() {
    mode_t mode = 0;
    if (m_io.ModeOf(m_destination, mode) != 0) {
      if (errno == ENOENT) return;  // a new file
      Fail("the file it would replace could not be looked at");
    }
    if (S_ISREG(mode) && m_io.SetMode(m_fd, mode & 07777) != 0) {
      Fail("the permissions of the file it replaces could not be kept");
    }
  }

  void Write(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
      const long put = m_io.Write(m_fd, bytes.data(), bytes.size());
      if (put < 0 && errno == EINTR) continue;
      if (put == 0) errno = EIO;  // no progress and no reason given
      if (put <= 0) Fail("the write failed");
      bytes = bytes.subspan(static_cast<std::size_t>(put));
    }
  }

  // Durable first, then renamed: a crash leaves either the old file or the
  // whole patch. The rename itself is made durable last.
  void PlaceAsDestination() {
    if (m_io.Sync(m_fd) != 0) Fail("it could not be made durable");
    const int fd = std::exchange(m_fd, -1);
    if (m_io.Close(fd) != 0) Fail("it could not be made durable");
    if (m_io.Rename(m_path, m_destination) != 0) Fail("it could not be put in place");
    m_placed = true;
    if (m_io.SyncFolder(m_path.parent_path()) != 0) {
      throw PatchNotDurableError("The " + m_what + " \"" + m_destination.string() +
                                 "\" was written, but is not known to be on disk: its folder "
                                 "could not be made durable (" +
                                 SystemReason() + ").");
    }
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw PatchError("The " + m_what + " \"" + m_destination.string() +
                     "\" was not written: " + what + " (" + SystemReason() + ").");
  }

  std::filesystem::path m_destination;
  std::string m_what;
  OutputIo& m_io;
  std::filesystem::path m_path;
  int m_fd = -1;
  bool m_placed = false;
};

}  // namespace

void WriteOutputFile(const std::filesystem::path& destination, std::span<const std::uint8_t> bytes,
                     std::span<const std::filesystem::path> protectedFiles, std::string_view what,
                     OutputIo& io) {
  for (const std::filesystem::path& file : protectedFiles) {
    if (SameFile(destination, file)) {
      throw PatchError("The " + std::string(what) + " \"" + destination.string() +
                       "\" was not written: that file is one of the ROM files the " +
                       std::string(what) + " is made from, and it has not been changed.");
    }
  }
  TemporaryFile file(destination, what, io);
  file.TakePermissionsOfDestination();
  file.Write(bytes);
  file.PlaceAsDestination();
}

}  // namespace torvale
