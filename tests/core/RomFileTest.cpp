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
#include "rom/RomChange.h"
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

// What a fault at the first write (or at every call from it on) leaves:
// the error's kind, how its message ends, and the bytes of the field.
TEST_F(RomFileTest, FailedWriteIsPutBackAndReadBackOrToldAsTorn) {
  using Fault = testing::FaultyRomIo::Fault;
  const Bytes name = {'N', 'E', 'W', 'N', 'A', 'M', 'E', '!'};
  const Bytes half = {name.begin(), name.begin() + 4};
  const char* torn =
      "the 8 bytes at file offset 0x000010 may hold neither their old nor their new value";
  const std::tuple<Fault, char, bool, const char*, const char*, Bytes> cases[] = {
      {Fault::kError, 'w', false, "io", "write failed: Input/output error", {}},
      {Fault::kShortWrite, 'w', false, "io", "write failed: No space left on device", {}},
      {Fault::kError, 's', false, "io", "could not be made durable: Input/output error", {}},
      {Fault::kError, 'w', true, "io", "write failed: Input/output error", {}},
      {Fault::kShortWrite, 'w', true, "torn", torn, half},
      {Fault::kError, 0, true, "torn", torn, {}},  // nothing can be read back either
      {Fault::kTruncate,
       'w',
       false,
       "changed",
       "changed the file's length while it was written",
       {}},
  };
  for (const auto& [fault, kind, persistent, error, ending, written] : cases) {
    testing::WriteRom(folder, original);
    testing::FaultyRomIo io;
    RomFile faulty(io);
    faulty.Open(path);
    // A fault of any kind comes after the field's old bytes were read.
    io.FaultAt(kind == 0 ? 2 : 1, fault, kind, persistent);
    std::string caught = "none", message;
    try {
      kind == 's' ? faulty.Sync() : faulty.WriteFixedText(16, "NEWNAME!", 8);
    } catch (const RomTornError& e) {
      caught = "torn", message = e.what();
    } catch (const RomChangedError& e) {
      caught = "changed", message = e.what();
    } catch (const RomIoError& e) {
      caught = "io", message = e.what();
    }
    SCOPED_TRACE(message);
    EXPECT_EQ(caught, error);
    EXPECT_TRUE(message.ends_with(ending));
    faulty.Close();
    const Bytes file = ReadFileBytes(path);
    if (fault == Fault::kTruncate) {
      EXPECT_EQ(file.size(), 24u);  // the other program's length, and the name written past it
    } else {
      EXPECT_EQ(DescribeDifferences(testing::Patched(original, 16, written), file), "");
    }
  }
}

// A change keeps the extent of each write: a step back or forward writes a
// field in one write, as the Apply did, and goes back whole when refused.
TEST_F(RomFileTest, ChangeRepeatsTheExtentsOfItsWritesAndGoesBackWholeOrTellsWhere) {
  testing::FaultyRomIo io;
  RomFile faulty(io);
  faulty.Open(path);
  RomChange change;
  Bytes edited = original;
  {
    ChangeRecording recording(faulty);
    const Bytes field = {0xA1, 0xA2, original[12], original[13], 0xA5, 0xA6};
    faulty.WriteBytes(10, field);
    faulty.WriteByte(11, 0xB1);                                       // within the field: one run
    faulty.WriteByte(30, original[30]);                               // changes nothing
    for (const FileOffset at : {40, 41}) faulty.WriteByte(at, 0xC0);  // two fields side by side
    edited = testing::Patched(testing::Patched(original, 10, field), 11, {0xB1});
    edited[40] = edited[41] = 0xC0;
    change = recording.Take();
  }
  ASSERT_EQ(change.Runs().size(), 3u);
  EXPECT_EQ(change.Runs()[0].offset, 10u);
  EXPECT_EQ(change.Runs()[0].before, Bytes(original.begin() + 10, original.begin() + 16));
  EXPECT_EQ(change.Runs()[0].after, Bytes(edited.begin() + 10, edited.begin() + 16));
  const std::size_t start = io.calls.size();
  change.Write(faulty, RomChange::Side::kBefore);
  std::vector<std::pair<std::int64_t, std::size_t>> writes;
  for (std::size_t i = start; i < io.calls.size(); ++i) {
    if (io.calls[i].kind == 'w') writes.emplace_back(io.calls[i].offset, io.calls[i].count);
  }
  EXPECT_EQ(writes, (std::vector<std::pair<std::int64_t, std::size_t>>{{10, 6}, {40, 1}, {41, 1}}));
  EXPECT_EQ(DescribeDifferences(original, ReadFileBytes(path)), "");
  change.Write(faulty, RomChange::Side::kAfter);
  EXPECT_EQ(DescribeDifferences(edited, ReadFileBytes(path)), "");
  // The second run refused: the first goes back, or cannot, and says where.
  for (const bool persistent : {false, true}) {
    io.FaultAt(2, testing::FaultyRomIo::Fault::kError, 'w', persistent);
    try {
      change.Write(faulty, RomChange::Side::kBefore);
      ADD_FAILURE() << "no error";
    } catch (const RomTornError& error) {
      EXPECT_TRUE(persistent);
      EXPECT_NE(std::string(error.what()).find("the 6 bytes at file offset 0x00000A may hold"),
                std::string::npos);
    } catch (const RomIoError&) {
      EXPECT_FALSE(persistent);
      EXPECT_EQ(DescribeDifferences(edited, ReadFileBytes(path)), "");
    }
  }
}

}  // namespace
}  // namespace torvale
