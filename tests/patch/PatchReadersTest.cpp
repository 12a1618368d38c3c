// Patches read back: BPS metadata as written, the actions and records that
// Torvale's writers never write (in patches made here by hand from the
// published formats), and every refusal, each naming where the patch is wrong.
// The round trips of the writers through the readers are in PatchTest.

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <random>

#include "TestRom.h"
#include "patch/BpsPatch.h"
#include "patch/CreatePatch.h"
#include "patch/IpsPatch.h"
#include "patch/PatchError.h"

namespace torvale {
namespace {

using testing::Bytes;
using testing::Patched;

// The bytes of a literal, NULs included.
template <std::size_t N>
Bytes Raw(const char (&text)[N]) {
  return Bytes(text, text + N - 1);
}

std::uint32_t Crc(const Bytes& bytes) {
  return static_cast<std::uint32_t>(crc32_z(0, bytes.data(), bytes.size()));
}

Bytes LittleEndian(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

std::string Hex(std::uint64_t value, int digits = 0) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%0*llX", digits, static_cast<unsigned long long>(value));
  return text;
}

// `patch` with its last four bytes, its own CRC32, made again.
Bytes Resealed(Bytes patch) {
  const Bytes crc = LittleEndian(Crc(Bytes(patch.begin(), patch.end() - 4)));
  std::copy(crc.begin(), crc.end(), patch.end() - 4);
  return patch;
}

// A BPS patch made by hand. A number takes seven bits a byte, lowest first, the
// last byte marked by its top bit, and one less is stored before each further byte.
struct HandBps {
  HandBps(std::uint64_t sourceSize, std::uint64_t targetSize, std::uint64_t metadataLength = 0) {
    Number(sourceSize).Number(targetSize).Number(metadataLength);
  }
  HandBps& Number(std::uint64_t n) {
    for (; n > 0x7F; n = (n >> 7) - 1) bytes.push_back(n & 0x7F);
    bytes.push_back(static_cast<std::uint8_t>(0x80 | n));
    return *this;
  }
  HandBps& Action(int action, std::uint64_t length) { return Number((length - 1) << 2 | action); }
  HandBps& Copy(int action, std::uint64_t length, std::int64_t step) {  // the sign lowest
    return Action(action, length).Number(std::uint64_t(step < 0 ? -step : step) << 1 | (step < 0));
  }
  HandBps& SourceRead(std::uint64_t length) { return Action(0, length); }
  template <std::size_t N>
  HandBps& TargetRead(const char (&text)[N]) {
    return Action(1, N - 1).Put(text);
  }
  HandBps& SourceCopy(std::uint64_t length, std::int64_t step) { return Copy(2, length, step); }
  HandBps& TargetCopy(std::uint64_t length, std::int64_t step) { return Copy(3, length, step); }
  template <std::size_t N>
  HandBps& Put(const char (&text)[N]) {
    bytes.insert(bytes.end(), text, text + N - 1);
    return *this;
  }
  // The footer: the CRC32s of the source, of the target, and of the patch.
  Bytes Sealed(std::uint32_t sourceCrc, std::uint32_t targetCrc = 0) const {
    Bytes patch = bytes;
    for (const std::uint32_t crc : {sourceCrc, targetCrc, 0u}) {
      const Bytes footer = LittleEndian(crc);
      patch.insert(patch.end(), footer.begin(), footer.end());
    }
    return Resealed(patch);
  }

  Bytes bytes = Raw("BPS1");
};

const Bytes kSource = Raw("abcdefghijklmnop");
const std::uint32_t kSourceCrc = Crc(kSource);

TEST(PatchReaders, BpsMetadataIsWrittenAfterTheSizesAndReadBack) {
  const Bytes small = EncodeBps(kSource, kSource, {}, "<m/>");
  EXPECT_TRUE(Bytes(small.begin(), small.end() - 12) == Raw("BPS1\x90\x90\x84<m/>\xBC"));
  std::mt19937 random(3);
  const std::string metadatas[] = {"", "<patch name=\"Hard mode\"/>", std::string("\0\xFF\x80", 3),
                                   std::string(300, 'x'), std::string(20'000, 'y')};
  for (const std::string& metadata : metadatas) {
    SCOPED_TRACE(metadata.size());
    Bytes clean(70'000), edited;
    for (std::uint8_t& byte : clean) byte = static_cast<std::uint8_t>(random());
    edited = Patched(clean, random() % 69'000, Bytes(1 + random() % 900, 0xA5));
    const BpsContents read =
        ReadBps(EncodeBps(clean, edited, DiffImages(clean, edited), metadata), clean);
    EXPECT_TRUE(read.target == edited);
    EXPECT_EQ(read.metadata, metadata);
  }
}

TEST(PatchReaders, HandMadeActionsAndRecordsGiveTheirTarget) {
  const std::pair<HandBps, std::string> bpsCases[] = {
      {HandBps(16, 10).SourceCopy(4, 8).SourceCopy(4, -12).SourceCopy(2, 2), "ijklabcdgh"},
      {HandBps(16, 11).TargetRead("xy").TargetCopy(6, 0).TargetCopy(3, -5), "xyxyxyxyyxy"},
      {HandBps(16, 10).TargetRead("z").TargetCopy(9, 0), "zzzzzzzzzz"},
      {HandBps(16, 23).TargetRead("abc").TargetCopy(20, 0), "abcabcabcabcabcabcabcab"},
      {HandBps(16, 16).SourceRead(4).TargetRead("!?").TargetCopy(4, 1).SourceRead(6),
       "abcd!?bcd!klmnop"},
      {HandBps(16, 20).SourceRead(16).TargetRead("qr").TargetCopy(2, 16), "abcdefghijklmnopqrqr"},
  };
  for (const auto& [patch, expected] : bpsCases) {
    const Bytes target(expected.begin(), expected.end());
    const Bytes read = ReadBps(patch.Sealed(kSourceCrc, Crc(target)), kSource).target;
    EXPECT_EQ(std::string(read.begin(), read.end()), expected);
  }
  const std::pair<Bytes, std::string> ipsCases[] = {
      {Raw("PATCHEOF"), "abcdefghijklmnop"},
      {Raw("PATCH\0\0\x02\0\0\0\x05ZEOF"), "abZZZZZhijklmnop"},
      {Raw("PATCH\0\0\0\0\x02"
           "AB\0\0\x0E\0\x02YZ\0\0\x04\0\0\0\x01!EOF\0\0\x10"),
       "ABcd!fghijklmnYZ"},
      {Raw("PATCH\0\0\x01\0\x03"
           "123\0\0\x02\0\0\0\x02-EOF"),
       "a1--efghijklmnop"},
  };
  for (const auto& [patch, expected] : ipsCases) {
    const Bytes read = ReadIps(patch, kSource);
    EXPECT_EQ(std::string(read.begin(), read.end()), expected);
  }
}

TEST(PatchReaders, DamagedOrForeignPatchesAreRefusedNamingWhere) {
  const Bytes edited = Raw("abcdXYZhijklmnop"), other = Raw("abcdefghijklmnoq");
  const Bytes good = EncodeBps(kSource, edited, DiffImages(kSource, edited), "meta");
  ASSERT_TRUE(ReadBps(good, kSource).target == edited);
  const std::size_t footer = good.size() - 12;
  const Bytes damaged = Patched(good, 9, {'M'});
  const auto crcBefore = [](const Bytes& patch) {
    return Hex(Crc({patch.begin(), patch.end() - 4}), 8);
  };
  struct Case {
    PatchFormat format;
    Bytes patch;
    std::string refusal;  // a part of the message
    const Bytes* image = &kSource;
  };
  const Case cases[] = {
      {PatchFormat::kBps, Patched(good, 3, {'2'}), "The file is not a BPS patch"},
      {PatchFormat::kBps, Raw("BPS1\x80\x80\x80"), "cut short: its 7 bytes cannot hold"},
      {PatchFormat::kBps, Bytes(good.begin(), good.end() - 1), "damaged or cut short"},
      {PatchFormat::kBps, damaged,
       "its CRC32 at offset " + Hex(footer + 8) + " as " + crcBefore(good) +
           ", and its bytes make " + crcBefore(damaged) + "."},
      {PatchFormat::kBps, good,
       "The patch was made for an image of CRC32 " + Hex(kSourceCrc, 8) +
           " (16 bytes); this image's is " + Hex(Crc(other), 8) + " (16 bytes).",
       &other},
      {PatchFormat::kBps, Resealed(Patched(good, footer, LittleEndian(0x65D0A825))),
       "CRC32 0x65D0A825 (Final Fantasy II (US) 1.0, 16 bytes); this image's is "},
      {PatchFormat::kBps, HandBps(17, 16).Sealed(kSourceCrc), "(17 bytes); this image's is"},
      {PatchFormat::kBps, Resealed(Patched(good, footer + 4, Bytes(4))),
       "makes an image of CRC32 " + Hex(Crc(edited), 8) + "; its footer at offset " +
           Hex(footer + 4) + " gives the target's as 0x00000000."},
      {PatchFormat::kBps, Resealed(Raw("BPS1\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0")),
       "source size at offset 0x4 runs into its footer at offset 0x7."},
      {PatchFormat::kBps, HandBps(16, 16, 100).Put("meta").Sealed(kSourceCrc),
       "metadata (100 bytes from offset 0x7) runs into its footer at offset 0xB."},
      {PatchFormat::kBps, HandBps(16, 1 << 24 | 1).Sealed(kSourceCrc),
       "16777217 bytes, larger than any Super Nintendo image"},
      {PatchFormat::kBps, HandBps(16, 4).Action(1, 3).Put("vw").Sealed(kSourceCrc),
       "TargetRead (3 bytes from offset 0x8) runs into its footer at offset 0xA."},
      {PatchFormat::kBps, HandBps(16, 4).Put("\0").Sealed(kSourceCrc),
       "action at offset 0x7 runs into its footer at offset 0x8."},
      {PatchFormat::kBps, HandBps(16, 4).Put("\0\0\0\0\0\0\0\0\0").Sealed(kSourceCrc),
       "action at offset 0x7 is too large for any image."},
      {PatchFormat::kBps, HandBps(16, 4).TargetRead("vwxyz").Sealed(kSourceCrc),
       "TargetRead at offset 0x7 writes 5 bytes from target offset 0x0, past the target's size "
       "(4 bytes)."},
      {PatchFormat::kBps, HandBps(16, 4).SourceRead(2).Sealed(kSourceCrc),
       "actions end at offset 0x8 having written 2 bytes; its header gives the target 4."},
      {PatchFormat::kBps, HandBps(16, 20).TargetRead("12345678").SourceRead(12).Sealed(kSourceCrc),
       "SourceRead at offset 0x10 reads 12 bytes from source offset 0x8, past the source's end "
       "(16 bytes)."},
      {PatchFormat::kBps, HandBps(16, 4).SourceCopy(4, 13).Sealed(kSourceCrc),
       "SourceCopy at offset 0x7 reads 4 bytes from source offset 0xD, past the source's end"},
      {PatchFormat::kBps, HandBps(16, 4).SourceCopy(1, 4).SourceCopy(1, -6).Sealed(kSourceCrc),
       "SourceCopy at offset 0x9 reads from source offset -1, before the source's start."},
      {PatchFormat::kBps, HandBps(16, 4).TargetRead("ab").TargetCopy(2, -1).Sealed(kSourceCrc),
       "TargetCopy at offset 0xA reads from target offset -1, outside the 2 bytes written so far."},
      {PatchFormat::kBps, HandBps(16, 4).TargetRead("ab").TargetCopy(2, 2).Sealed(kSourceCrc),
       "TargetCopy at offset 0xA reads from target offset 2, outside the 2 bytes written so far."},
      {PatchFormat::kIps, Raw("PATCX\0\0\0\0\x01!EOF"), "The file is not an IPS patch"},
      {PatchFormat::kIps, Raw("PATCH\0\0"),
       "ends at offset 0x7, inside the offset of the record at offset 0x5."},
      {PatchFormat::kIps,
       Raw("PATCH\0\0\x02\0\x05"
           "ab"),
       "ends at offset 0xC, inside the bytes of the record at offset 0x5."},
      {PatchFormat::kIps, Raw("PATCH\0\0\x02\0\0\0"),
       "inside the run length of the record at offset 0x5."},
      {PatchFormat::kIps, Raw("PATCH\0\0\x02\0\x01!"), "it ends at offset 0xB without \"EOF\"."},
      {PatchFormat::kIps, Raw("PATCH\0\0\0\0\x01!\0\0\x0F\0\x02YZEOF"),
       "record at offset 0xB writes 2 bytes at image offset 0x00000F, past the image's end (16 "
       "bytes); an image's length never changes."},
      {PatchFormat::kIps, Raw("PATCH\0\0\x0E\0\0\0\x03ZEOF"),
       "writes 3 bytes at image offset 0x00000E, past"},
      {PatchFormat::kIps, Raw("PATCHEOF\0\0\x10\0"), "holds 4 bytes after \"EOF\" at offset 0x5"},
      {PatchFormat::kIps, Raw("PATCHEOF\0\0\x08"),
       "sets the image's length to 8 bytes at offset 0x8; an image's length never changes, and "
       "this one's is 16 bytes."},
  };
  for (const Case& c : cases) {
    std::string refusal;
    try {
      if (c.format == PatchFormat::kBps) ReadBps(c.patch, *c.image);
      if (c.format == PatchFormat::kIps) ReadIps(c.patch, *c.image);
    } catch (const PatchError& error) {
      refusal = error.what();
    }
    EXPECT_NE(refusal.find(c.refusal), std::string::npos) << c.refusal << "\n  got: " << refusal;
  }
}

}  // namespace
}  // namespace torvale
