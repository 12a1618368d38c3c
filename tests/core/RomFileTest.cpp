// The one door to the ROM file: little-endian values and text at their
// offsets, refusals past the end and of what is not a regular file, the
// lock, and writes refused or failed without a torn field.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "FaultyRomIo.h"
#include "TestRom.h"
#include "rom/RomError.h"

namespace torvale {
namespace {

using testing::Bytes;
using testing::DescribeDifferences;
using testing::ReadFileBytes;

constexpr std::size_t kSmallRomSize = 64;

// Whether a child process, as the user nobody when asked, could open the file.
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
  RomFile rom;
};

TEST_F(RomFileTest, ReadsAndWritesExactlyTheBytesOfEachValueAndNothingPastTheEnd) {
  rom.Open(path);
  EXPECT_EQ(rom.ReadByte(5), original[5]);
  EXPECT_EQ(rom.ReadWord(10), original[10] | (original[11] << 8));
  EXPECT_EQ(rom.ReadLong(20), static_cast<std::int32_t>(0xA49D968F));  // bytes 8F 96 9D A4
  EXPECT_EQ(rom.ReadFixedText(30, 4), std::string(original.begin() + 30, original.begin() + 34));
  const std::tuple<std::function<void()>, std::size_t, Bytes> writes[] = {
      {[&] { rom.WriteByte(3, 0xAB); }, 3, {0xAB}},
      {[&] { rom.WriteWord(8, 0x1234); }, 8, {0x34, 0x12}},
      {[&] { rom.WriteLong(12, -2); }, 12, {0xFE, 0xFF, 0xFF, 0xFF}},
      {[&] { rom.WriteFixedText(40, "Ab", 5); }, 40, {'A', 'b', ' ', ' ', ' '}},
      {[&] { rom.WriteFixedText(40, "abcdefg", 3); }, 40, {'a', 'b', 'c'}},
      {[&] { rom.WriteText(60, "xyz"); }, 60, {'x', 'y', 'z'}},
      {[&] { rom.WriteByte(kSmallRomSize - 1, 0); }, kSmallRomSize - 1, {0}},
  };
  Bytes expected = original;
  for (const auto& [write, offset, bytes] : writes) {
    write();
    rom.Sync();
    expected = testing::Patched(expected, offset, bytes);
    EXPECT_EQ(DescribeDifferences(expected, ReadFileBytes(path)), "") << offset;
  }
  EXPECT_THROW(rom.ReadByte(kSmallRomSize), RomRangeError);
  EXPECT_THROW(rom.ReadLong(kSmallRomSize - 3), RomRangeError);
  EXPECT_THROW(rom.WriteWord(kSmallRomSize - 1, 0), RomRangeError);
  EXPECT_THROW(rom.WriteFixedText(kSmallRomSize - 2, "abc", 3), RomRangeError);
  rom.Close();
  EXPECT_EQ(DescribeDifferences(expected, ReadFileBytes(path)), "");
}

TEST_F(RomFileTest, OpensOnlyARegularWritableFileNoOtherProgramHolds) {
  const std::filesystem::path fifo = folder.File("pipe"), missing = folder.File("missing.smc");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::filesystem::path& refused :
       {missing, folder.Path(), fifo, std::filesystem::path("/dev/null"), {}}) {
    EXPECT_THROW(rom.Open(refused), RomOpenError) << refused;
    EXPECT_FALSE(rom.IsOpen());
  }
  EXPECT_FALSE(std::filesystem::exists(missing));
  rom.Open(path);
  EXPECT_FALSE(OpensInChildProcess(path));
  rom.Close();
  EXPECT_TRUE(OpensInChildProcess(path));
  ::chmod(folder.Path().c_str(), 0755);
  ::chmod(path.c_str(), 0444);
  EXPECT_FALSE(OpensInChildProcess(path, true));
  EXPECT_EQ(DescribeDifferences(original, ReadFileBytes(path)), "");
}

TEST_F(RomFileTest, WriteIsRefusedOnceAnotherProgramChangedTheFile) {
  const auto replacement = testing::WriteRom(folder, original, "replacement.smc");
  const std::function<void()> changes[] = {
      [&] { std::filesystem::resize_file(path, kSmallRomSize / 2); },
      [&] { std::filesystem::resize_file(path, kSmallRomSize * 2); },
      [&] { std::filesystem::rename(replacement, path); },
      [&] { std::filesystem::remove(path); },
  };
  for (const auto& change : changes) {
    testing::WriteRom(folder, original);
    rom.Open(path);
    change();
    EXPECT_THROW(rom.WriteByte(0, 0xEE), RomChangedError);
    rom.Close();
    EXPECT_TRUE(!std::filesystem::exists(path) || ReadFileBytes(path).front() != 0xEE);
  }
}

TEST_F(RomFileTest, FailedWritesLeaveTheFieldAsItWasAndAFailedSyncIsThrown) {
  using Fault = testing::FaultyRomIo::Fault;
  for (const auto& [fault, kind] :
       {std::pair{Fault::kError, 'w'}, {Fault::kShortWrite, 'w'}, {Fault::kError, 's'}}) {
    testing::FaultyRomIo io;
    io.FaultAt(1, fault, kind);
    RomFile faulty(io);
    faulty.Open(path);
    EXPECT_THROW(kind == 's' ? faulty.Sync() : faulty.WriteFixedText(16, "NEWNAME!", 8),
                 RomIoError);
    faulty.Close();
    EXPECT_EQ(DescribeDifferences(original, ReadFileBytes(path)), "");
  }
}

}  // namespace
}  // namespace torvale
