// The one door to the ROM file: little-endian values and text at their
// offsets, refusals past the end and of what is not a regular file, the
// lock, and writes refused or failed without a torn field.

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

// Runs `body` in a child process: whether it could open the file.
bool OpensInChildProcess(const std::filesystem::path& path, bool asNobody = false) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (asNobody && ::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
    try {
      RomFile rom;
      rom.Open(path);
      ::_exit(0);
    } catch (const RomOpenError&) {
      ::_exit(1);
    }
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class RomFileTest : public ::testing::Test {
 protected:
  RomFileTest() {
    for (std::size_t i = 0; i < kSmallRomSize; ++i)
      original[i] = static_cast<std::uint8_t>(i * 7 + 3);
    testing::WriteRom(folder, original);
  }
  testing::TempFolder folder;
  Bytes original = Bytes(kSmallRomSize);
  std::filesystem::path path = folder.File("test.smc");
};

TEST_F(RomFileTest, ReadsAndWritesExactlyTheBytesOfEachValue) {
  RomFile reader;
  reader.Open(path);
  EXPECT_EQ(reader.ReadByte(5), original[5]);
  EXPECT_EQ(reader.ReadWord(10), original[10] | (original[11] << 8));
  EXPECT_EQ(reader.ReadLong(20), static_cast<std::int32_t>(0xA49D968F));  // bytes 8F 96 9D A4
  EXPECT_EQ(reader.ReadFixedText(30, 4), std::string(original.begin() + 30, original.begin() + 34));
  reader.Close();
  const std::tuple<std::function<void(RomFile&)>, std::size_t, Bytes> cases[] = {
      {[](RomFile& r) { r.WriteByte(3, 0xAB); }, 3, {0xAB}},
      {[](RomFile& r) { r.WriteWord(8, 0x1234); }, 8, {0x34, 0x12}},
      {[](RomFile& r) { r.WriteLong(12, -2); }, 12, {0xFE, 0xFF, 0xFF, 0xFF}},
      {[](RomFile& r) { r.WriteFixedText(40, "Ab", 5); }, 40, {'A', 'b', ' ', ' ', ' '}},
      {[](RomFile& r) { r.WriteFixedText(40, "abcdefg", 3); }, 40, {'a', 'b', 'c'}},
      {[](RomFile& r) { r.WriteText(60, "xyz"); }, 60, {'x', 'y', 'z'}},
      {[](RomFile& r) { r.WriteByte(kSmallRomSize - 1, 0); }, kSmallRomSize - 1, {0}},
  };
  for (const auto& [write, offset, bytes] : cases) {
    testing::WriteRom(folder, original);
    RomFile rom;
    rom.Open(path);
    write(rom);
    rom.Sync();
    EXPECT_EQ(DescribeDifferences(Patched(original, offset, bytes), testing::ReadFileBytes(path)),
              "")
        << offset;
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

TEST_F(RomFileTest, OpensOnlyARegularWritableFileNoOtherProgramHolds) {
  const std::filesystem::path fifo = folder.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::filesystem::path missing = folder.File("missing.smc");
  for (const std::filesystem::path& refused :
       {missing, folder.Path(), fifo, std::filesystem::path("/dev/null"),
        std::filesystem::path()}) {
    RomFile rom;
    EXPECT_THROW(rom.Open(refused), RomOpenError) << refused;
    EXPECT_FALSE(rom.IsOpen());
  }
  EXPECT_FALSE(std::filesystem::exists(missing));
  RomFile rom;
  rom.Open(path);
  EXPECT_FALSE(OpensInChildProcess(path));
  rom.Close();
  EXPECT_TRUE(OpensInChildProcess(path));
  ::chmod(folder.Path().c_str(), 0755);
  ::chmod(path.c_str(), 0444);
  EXPECT_FALSE(OpensInChildProcess(path, true));
  EXPECT_EQ(DescribeDifferences(original, testing::ReadFileBytes(path)), "");
}

TEST_F(RomFileTest, WriteIsRefusedOnceAnotherProgramChangedTheFile) {
  testing::WriteRom(folder, original, "replacement.smc");
  const std::function<void()> changes[] = {
      [&] { std::filesystem::resize_file(path, kSmallRomSize / 2); },
      [&] { std::filesystem::resize_file(path, kSmallRomSize * 2); },
      [&] {
        std::filesystem::copy_file(folder.File("replacement.smc"), folder.File("new.smc"));
        std::filesystem::rename(folder.File("new.smc"), path);
      },
      [&] { std::filesystem::remove(path); },
  };
  for (const auto& change : changes) {
    testing::WriteRom(folder, original);
    RomFile rom;
    rom.Open(path);
    change();
    EXPECT_THROW(rom.WriteByte(0, 0xEE), RomChangedError);
    rom.Close();
    if (std::filesystem::exists(path)) {
      EXPECT_NE(testing::ReadFileBytes(path).front(), 0xEE);
    }
  }
}

TEST_F(RomFileTest, FailedWritesLeaveTheFieldAsItWasAndAFailedSyncIsThrown) {
  using Fault = testing::FaultyRomIo::Fault;
  for (const Fault fault : {Fault::kError, Fault::kShortWrite}) {
    testing::FaultyRomIo io;
    io.FaultAt(1, fault, 'w');
    RomFile rom(io);
    rom.Open(path);
    EXPECT_THROW(rom.WriteFixedText(16, "NEWNAME!", 8), RomIoError);
    rom.Close();
    EXPECT_EQ(DescribeDifferences(original, testing::ReadFileBytes(path)), "");
  }
  testing::FaultyRomIo io;
  io.FaultAt(1, Fault::kError, 's');
  RomFile rom(io);
  rom.Open(path);
  EXPECT_THROW(rom.Sync(), RomIoError);
}

}  // namespace
}  // namespace torvale
