// The internal checksum: computed over the game image as if its check words
// held a consistent pair, judged against the stored words, and written back;
// and the image's CRC32.

#include <gtest/gtest.h>
#include <zlib.h>

#include <numeric>

#include "FaultyRomIo.h"
#include "TestRom.h"
#include "patch/ImageIdentity.h"
#include "rom/Checksum.h"

namespace torvale {
namespace {

TEST(Checksum, SumsAndStatesOfSmallImages) {
  // Size, fill of every byte but the check words, stored complement and checksum, state, and
  // the computed checksum: (size - 4) * fill + 0x1FE, modulo 0x10000, worked out by hand.
  const std::tuple<std::size_t, std::uint8_t, std::uint16_t, std::uint16_t, ChecksumState,
                   std::uint16_t>
      cases[] = {
          {0x8000, 0x00, 0x0000, 0x0000, ChecksumState::kWrong, 0x01FE},
          {0x8000, 0x01, 0x7E05, 0x81FA, ChecksumState::kCorrect, 0x81FA},   // 0x7FFC + 0x1FE
          {0x10000, 0xFF, 0x0000, 0xFE02, ChecksumState::kWrong, 0xFE02},    // 0xFEFC04 + 0x1FE
          {0x20000, 0x80, 0x0001, 0xFFFE, ChecksumState::kCorrect, 0xFFFE},  // 0xFFFE00 + 0x1FE
          {0x40000, 0x01, 0x0000, 0x0000, ChecksumState::kWrong, 0x01FA},    // 0x3FFFC + 0x1FE
          {0x8001, 0x00, 0xFE01, 0x01FE, ChecksumState::kUnknown, 0},        // not a power of two
          {0x4000, 0x00, 0, 0, ChecksumState::kUnknown, 0},                  // no internal header
      };
  for (const auto& [size, fill, complement, checksum, state, computed] : cases) {
    testing::Bytes file(0x200 + size, fill);  // a copier header, then the image
    if (size >= 0x8000) {
      romgen::PutWord(file, 0x81DC, complement);
      romgen::PutWord(file, 0x81DE, checksum);
    }
    testing::MemoryRom memory(file);
    testing::FaultyRomIo io(memory.file);  // counts what is read at a time
    RomFile rom(io);
    rom.Open(memory.file.path);
    const ChecksumStatus status = ReadChecksumStatus(rom);
    EXPECT_EQ(status.state, state) << size << " bytes of " << int{fill};
    EXPECT_EQ(status.computed, computed) << size << " bytes of " << int{fill};
    for (const auto& call : io.calls) EXPECT_LE(call.count, 0x10000u) << size;
  }
}

TEST(Checksum, WrittenInOneWriteAfterWhichTheImageSumsToIt) {
  testing::MemoryRom memory(testing::SampleWith({{0x81DC, {0x12, 0x34, 0x56, 0x78}}}));
  std::vector<std::pair<std::size_t, std::size_t>> writes;
  memory.rom.ObserveWrites(
      [&](FileOffset at, auto, auto after) { writes.emplace_back(at, after.size()); });
  const ChecksumStatus before = ReadChecksumStatus(memory.rom);
  ASSERT_EQ(before.state, ChecksumState::kWrong);
  WriteChecksum(memory.rom, before.computed);
  EXPECT_EQ(writes, (std::vector<std::pair<std::size_t, std::size_t>>{{0x81DC, 4}}));
  EXPECT_EQ(ReadChecksumStatus(memory.rom).state, ChecksumState::kCorrect);
  // The plain sum of the image as it is stored now, check words included.
  const auto& bytes = memory.file.bytes;
  EXPECT_EQ(std::accumulate(bytes.begin() + 0x200, bytes.end(), 0u) & 0xFFFF, before.computed);
}

// The CRC32 that patches and dump lists give: over the image without its
// copier header, read a block at a time, and the unedited dumps it names.
TEST(ImageIdentity, Crc32OfTheImageAloneNamesTheKnownDumps) {
  testing::MemoryRom memory;
  testing::FaultyRomIo io(memory.file);
  RomFile rom(io);
  rom.Open(memory.file.path);
  const auto& bytes = memory.file.bytes;
  EXPECT_EQ(ReadImageCrc32(rom), crc32_z(0, bytes.data() + 0x200, bytes.size() - 0x200));
  for (const auto& call : io.calls) EXPECT_LE(call.count, 0x10000u);
  const std::pair<std::uint32_t, std::optional<std::string_view>> dumps[] = {
      {0x65D0A825, "Final Fantasy II (US) 1.0"},
      {0x23084FCD, "Final Fantasy II (US) 1.1"},
      {0x65D0A826, std::nullopt}};
  for (const auto& [crc, name] : dumps) EXPECT_EQ(KnownDumpName(crc), name) << crc;
}

}  // namespace
}  // namespace torvale
