#include "rom/RomFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "rom/RomError.h"

namespace torvale {
namespace {

std::string SystemReason(int error) {
  return std::strerror(error);
}

// Runs within this span have their old bytes read at once.
constexpr std::uint64_t kReadTogether = 0x10000;

std::string Describe(const std::filesystem::path& path, const std::string& what) {
  return "\"" + path.string() + "\": " + what;
}

}  // namespace

RomFile::RomFile(RomIo& io) : m_io(io) {}

RomFile::~RomFile() {
  Close();
}

void RomFile::Open(const std::filesystem::path& path) {
  Close();
  if (path.empty()) throw RomOpenError("no file name was given");
  const int fd = m_io.Open(path);
  if (fd < 0) throw RomOpenError(Describe(path, SystemReason(errno)));
  FileIdentity identity;
  if (m_io.Identify(fd, identity) != 0 || !identity.regular) {
    m_io.Close(fd);
    throw RomOpenError(Describe(path, "not a regular file"));
  }
  if (m_io.Lock(fd) != 0) {
    const int error = errno;
    m_io.Close(fd);
    throw RomOpenError(Describe(path, error == EWOULDBLOCK ? "the file is in use by another program"
                                                           : SystemReason(error)));
  }
  std::error_code ignored;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
  m_fd = fd;
  m_path = absolute.empty() ? path : absolute;
  m_size = identity.size;
  m_device = identity.device;
  m_inode = identity.inode;
}

void RomFile::Close() noexcept {
  if (m_fd >= 0) m_io.Close(m_fd);  // closing the descriptor also drops the lock
  m_fd = -1;
  m_path.clear();
  m_size = 0;
  m_device = 0;
  m_inode = 0;
}

void RomFile::RequireOpen() const {
  if (!IsOpen()) throw RomError("no ROM file is open");
}

void RomFile::RequireRange(FileOffset offset, std::size_t length) const {
  RequireOpen();
  if (std::uint64_t{offset} + length > m_size) {
    throw RomRangeError("offset " + std::to_string(offset) + " + " + std::to_string(length) +
                        " lies past the end of the file (" + std::to_string(m_size) + " bytes)");
  }
}

void RomFile::RequireSameFile() const {
  FileIdentity opened;
  if (m_io.Identify(m_fd, opened) != 0) throw RomIoError(Describe(m_path, SystemReason(errno)));
  if (opened.links == 0) throw RomChangedError(Describe(m_path, "the file was deleted"));
  if (opened.size != m_size) {
    throw RomChangedError(Describe(m_path, "another program changed the file's length"));
  }
  FileIdentity named;
  if (m_io.IdentifyPath(m_path, named) != 0 || named.device != m_device || named.inode != m_inode) {
    throw RomChangedError(Describe(m_path, "another program replaced or moved the file"));
  }
}

void RomFile::Read(FileOffset offset, std::span<std::uint8_t> bytes) const {
  RequireRange(offset, bytes.size());
  std::size_t done = 0;
  while (done < bytes.size()) {
    const long got = m_io.ReadAt(m_fd, bytes.data() + done, bytes.size() - done, offset + done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw RomIoError(Describe(m_path, "read failed: " + SystemReason(errno)));
    if (got == 0) throw RomChangedError(Describe(m_path, "the file ended early"));
    done += static_cast<std::size_t>(got);
  }
}

std::uint8_t RomFile::ReadByte(FileOffset offset) const {
  std::uint8_t value = 0;
  Read(offset, {&value, 1});
  return value;
}

std::uint16_t RomFile::ReadWord(FileOffset offset) const {
  std::uint8_t b[2];
  Read(offset, b);
  return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::int32_t RomFile::ReadLong(FileOffset offset) const {
  std::uint8_t b[4];
  Read(offset, b);
  const std::uint32_t value = std::uint32_t{b[0]} | (std::uint32_t{b[1]} << 8) |
                              (std::uint32_t{b[2]} << 16) | (std::uint32_t{b[3]} << 24);
  return static_cast<std::int32_t>(value);
}

std::vector<std::uint8_t> RomFile::ReadBytes(FileOffset offset, std::size_t length) const {
  std::vector<std::uint8_t> bytes(length);
  Read(offset, bytes);
  return bytes;
}

std::string RomFile::ReadFixedText(FileOffset offset, std::size_t length) const {
  const std::vector<std::uint8_t> bytes = ReadBytes(offset, length);
  return {bytes.begin(), bytes.end()};
}

void RomFile::WriteByte(FileOffset offset, std::uint8_t value) {
  WriteBytes(offset, {&value, 1});
}

void RomFile::WriteWord(FileOffset offset, std::uint16_t value) {
  const std::uint8_t b[2] = {static_cast<std::uint8_t>(value),
                             static_cast<std::uint8_t>(value >> 8)};
  WriteBytes(offset, b);
}

void RomFile::WriteLong(FileOffset offset, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  const std::uint8_t b[4] = {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                             static_cast<std::uint8_t>(bits >> 16),
                             static_cast<std::uint8_t>(bits >> 24)};
  WriteBytes(offset, b);
}

void RomFile::WriteFixedText(FileOffset offset, std::string_view text, std::size_t length) {
  std::string field(text.substr(0, length));
  field.resize(length, ' ');
  WriteText(offset, field);
}

void RomFile::WriteText(FileOffset offset, std::string_view text) {
  WriteBytes(offset, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

bool RomFile::WriteAll(FileOffset offset, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const long put = m_io.WriteAt(m_fd, bytes.data() + done, bytes.size() - done, offset + done);
    if (put < 0 && errno == EINTR) continue;
    if (put == 0) errno = EIO;  // no progress and no reason given: treat as a device error
    if (put <= 0) return false;
    done += static_cast<std::size_t>(put);
  }
  return true;
}

// Whether the file holds `bytes` at `offset`; a read that fails cannot tell, so no.
bool RomFile::Holds(FileOffset offset, std::span<const std::uint8_t> bytes) const {
  std::vector<std::uint8_t> found(bytes.size());
  std::size_t done = 0;
  while (done < found.size()) {
    const long got = m_io.ReadAt(m_fd, found.data() + done, found.size() - done, offset + done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    done += static_cast<std::size_t>(got);
  }
  return std::equal(found.begin(), found.end(), bytes.begin());
}

void RomFile::PutBack(FileOffset offset, std::span<const std::uint8_t> before,
                      const std::string& reason) {
  if (Holds(offset, before)) return;  // the failed write changed nothing
  WriteAll(offset, before);
  if (Holds(offset, before)) return;
  throw RomTornError(m_path.string(), offset, before.size(), reason);
}

void RomFile::RequireLengthKept() const {
  FileIdentity now;
  if (m_io.Identify(m_fd, now) != 0 || now.size != m_size) {
    throw RomChangedError(
        Describe(m_path, "another program changed the file's length while it was written"));
  }
}

void RomFile::WriteBytes(FileOffset offset, std::span<const std::uint8_t> bytes) {
  const Run run{offset, bytes};
  WriteRuns({&run, 1});
}

void RomFile::WriteRuns(std::span<const Run> runs) {
  if (runs.empty()) return;
  FileOffset first = runs.front().offset;
  std::uint64_t end = first;
  for (const Run& run : runs) {
    RequireRange(run.offset, run.bytes.size());
    first = std::min(first, run.offset);
    end = std::max<std::uint64_t>(end, run.offset + run.bytes.size());
  }
  RequireSameFile();
  // The old bytes of runs that lie close together come in one read.
  const bool together = end - first <= kReadTogether;
  const std::vector<std::uint8_t> span =
      together ? ReadBytes(first, end - first) : std::vector<std::uint8_t>();
  for (const Run& run : runs) {
    const std::vector<std::uint8_t> before =
        together ? std::vector<std::uint8_t>(span.begin() + (run.offset - first),
                                             span.begin() + (run.offset - first) +
                                                 static_cast<std::ptrdiff_t>(run.bytes.size()))
                 : ReadBytes(run.offset, run.bytes.size());
    if (!WriteAll(run.offset, run.bytes)) {
      const std::string reason = "write failed: " + SystemReason(errno);
      PutBack(run.offset, before, reason);
      throw RomIoError(Describe(m_path, reason));
    }
    if (m_observer) m_observer(run.offset, before, run.bytes);
  }
  // A program that truncated the file after the check above has seen it lengthened again.
  RequireLengthKept();
}

void RomFile::Sync() {
  RequireOpen();
  if (m_io.Sync(m_fd) != 0) {
    throw RomIoError(
        Describe(m_path, "the changes could not be made durable: " + SystemReason(errno)));
  }
}

}  // namespace torvale
