#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "FaultyRomIo.h"
#include "TestRom.h"
#include "rom/RomError.h"
#include "rom/RomFile.h"

namespace torvale {
namespace {

using testing::Bytes;
using testing::DescribeDifferences;
using testing::Patched;

constexpr std::size_t kSmallRomSize = 64;

Bytes CountingBytes(std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
  return bytes;
}

// Runs `body` in a child process and returns its exit code.
int InChildProcess(const std::function<int()>& body) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(body());
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class RomFileTest : public ::testing::Test {
 protected:
  testing::TempFolder folder;
  Bytes original = CountingBytes(kSmallRomSize);
  std::filesystem::path path = testing::WriteRom(folder, original);
};

TEST_F(RomFileTest, ReadsLittleEndianValuesAndFixedText) {
  RomFile rom;
  rom.Open(path);
  EXPECT_EQ(rom.Size(), kSmallRomSize);
  EXPECT_EQ(rom.ReadByte(5), original[5]);
  EXPECT_EQ(rom.ReadWord(10), original[10] | (original[11] << 8));
  const std::uint32_t expectedLong = original[20] | (original[21] << 8) | (original[22] << 16) |
                                     (std::uint32_t{original[23]} << 24);
  EXPECT_EQ(rom.ReadLong(20), static_cast<std::int32_t>(expectedLong));
  EXPECT_EQ(rom.ReadFixedText(30, 4), std::string(original.begin() + 30, original.begin() + 34));
}

TEST_F(RomFileTest, EachWriteChangesExactlyItsBytes) {
  struct Case {
    const char* name;
    std::function<void(RomFile&)> write;
    std::size_t offset;
    Bytes bytes;
  };
  const Case cases[] = {
      {"byte", [](RomFile& r) { r.WriteByte(3, 0xAB); }, 3, {0xAB}},
      {"word", [](RomFile& r) { r.WriteWord(8, 0x1234); }, 8, {0x34, 0x12}},
      {"long", [](RomFile& r) { r.WriteLong(12, -2); }, 12, {0xFE, 0xFF, 0xFF, 0xFF}},
      {"fixed text padded",
       [](RomFile& r) { r.WriteFixedText(40, "Ab", 5); },
       40,
       {'A', 'b', ' ', ' ', ' '}},
      {"fixed text cut",
       [](RomFile& r) { r.WriteFixedText(40, "abcdefg", 3); },
       40,
       {'a', 'b', 'c'}},
      {"text", [](RomFile& r) { r.WriteText(60, "xyz"); }, 60, {'x', 'y', 'z'}},
      {"last byte", [](RomFile& r) { r.WriteByte(kSmallRomSize - 1, 0); }, kSmallRomSize - 1, {0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::WriteRom(folder, original);
    RomFile rom;
    rom.Open(path);
    c.write(rom);
    rom.Sync();
    EXPECT_EQ(
        DescribeDifferences(Patched(original, c.offset, c.bytes), testing::ReadFileBytes(path)),
        "");
  }
}

TEST_F(RomFileTest, RefusesReadsAndWritesPastTheEndWithoutChangingTheFile) {
  RomFile rom;
  rom.Open(path);
  EXPECT_THROW(rom.ReadByte(kSmallRomSize), RomRangeError);
  EXPECT_THROW(rom.ReadLong(kSmallRomSize - 3), RomRangeError);
  EXPECT_THROW(rom.WriteWord(kSmallRomSize - 1, 0), RomRangeError);
  EXPECT_THROW(rom.WriteFixedText(kSmallRomSize - 2, "abc", 3), RomRangeError);
  rom.Close();
  EXPECT_EQ(DescribeDifferences(original, testing::ReadFileBytes(path)), "");
}

TEST_F(RomFileTest, RefusesWhatIsNotAnExistingRegularFileAndCreatesNothing) {
  const std::filesystem::path fifo = folder.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::filesystem::path missing = folder.File("missing.smc");
  for (const std::filesystem::path& refused :
       {missing, folder.Path(), fifo, std::filesystem::path("/dev/null"),
        std::filesystem::path()}) {
    SCOPED_TRACE(refused.string());
    RomFile rom;
    EXPECT_THROW(rom.Open(refused), RomOpenError);
    EXPECT_FALSE(rom.IsOpen());
  }
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_F(RomFileTest, LockKeepsAnotherProcessOutUntilClosed) {
  RomFile rom;
  rom.Open(path);
  const auto openElsewhere = [&] {
    RomFile other;
    try {
      other.Open(path);
      return 0;
    } catch (const RomOpenError&) {
      return 1;
    }
  };
  EXPECT_EQ(InChildProcess(openElsewhere), 1);
  rom.Close();
  EXPECT_EQ(InChildProcess(openElsewhere), 0);
}

TEST_F(RomFileTest, ReadOnlyFileIsRefusedForAnOrdinaryUser) {
  ::chmod(folder.Path().c_str(), 0755);
  ::chmod(path.c_str(), 0444);
  const int result = InChildProcess([&] {
    if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 2;
    RomFile rom;
    try {
      rom.Open(path);
      return 0;
    } catch (const RomOpenError&) {
      return 1;
    }
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(DescribeDifferences(original, testing::ReadFileBytes(path)), "");
}

TEST_F(RomFileTest, WriteIsRefusedOnceAnotherProgramChangedTheFile) {
  const std::filesystem::path replacement = folder.File("replacement.smc");
  testing::WriteRom(folder, original, "replacement.smc");
  struct Case {
    const char* name;
    std::function<void()> change;
  };
  const Case cases[] = {
      {"truncated", [&] { std::filesystem::resize_file(path, kSmallRomSize / 2); }},
      {"extended", [&] { std::filesystem::resize_file(path, kSmallRomSize * 2); }},
      {"replaced",
       [&] {
         std::filesystem::copy_file(replacement, folder.File("new.smc"));
         std::filesystem::rename(folder.File("new.smc"), path);
       }},
      {"deleted", [&] { std::filesystem::remove(path); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::WriteRom(folder, original);
    RomFile rom;
    rom.Open(path);
    c.change();
    EXPECT_THROW(rom.WriteByte(0, 0xEE), RomChangedError);
    rom.Close();
    if (std::filesystem::exists(path)) {
      EXPECT_NE(testing::ReadFileBytes(path).front(), 0xEE);
    }
  }
}

TEST_F(RomFileTest, FailedWritesLeaveTheFieldAsItWas) {
  for (const bool shortWrite : {false, true}) {
    SCOPED_TRACE(shortWrite ? "short write, then failure" : "failure");
    testing::WriteRom(folder, original);
    testing::FaultyRomIo io;
    io.FaultAt(
        1,
        shortWrite ? testing::FaultyRomIo::Fault::kShortWrite : testing::FaultyRomIo::Fault::kError,
        'w');
    RomFile rom(io);
    rom.Open(path);
    EXPECT_THROW(rom.WriteFixedText(16, "NEWNAME!", 8), RomIoError);
    rom.Close();
    EXPECT_EQ(DescribeDifferences(original, testing::ReadFileBytes(path)), "");
  }
}

TEST_F(RomFileTest, FailedSyncIsThrown) {
  testing::FaultyRomIo io;
  io.FaultAt(1, testing::FaultyRomIo::Fault::kError, 's');
  RomFile rom(io);
  rom.Open(path);
  EXPECT_THROW(rom.Sync(), RomIoError);
}

}  // namespace
}  // namespace torvale
