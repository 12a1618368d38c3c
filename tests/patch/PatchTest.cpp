// Patches against a clean ROM. Torvale's BPS and IPS patches, applied by
// appliers written here from the published formats (sharing no code with the
// patch writer) and by Torvale's own readers, must turn the clean image into
// the edited one. The clean ROM is read only when it is the same game and
// size, and a failed or refused write leaves the folder as it was.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <zlib.h>

#include <algorithm>
#include <csignal>
#include <map>
#include <optional>
#include <random>

#include "FaultyOutputIo.h"
#include "TestRom.h"
#include "patch/BpsPatch.h"
#include "patch/ChangeList.h"
#include "patch/CleanRom.h"
#include "patch/CreatePatch.h"
#include "patch/IpsPatch.h"
#include "patch/OutputFile.h"
#include "patch/PatchError.h"
#include "patch/Revert.h"
#include "rom/RomFile.h"

namespace torvale {
namespace {

using testing::Bytes;
using testing::Patched;
using testing::TempFolder;
using Runs = std::vector<std::pair<std::size_t, std::size_t>>;  // (offset, length)

constexpr std::size_t kEofOffset = 0x454F46;  // "EOF" read as an IPS offset

// SourceRead and TargetRead only, the actions Torvale writes; the three CRCs are checked.
Bytes ApplyBps(const Bytes& source, const Bytes& patch) {
  std::size_t at = 4;
  // Seven bits a byte, lowest first, the top bit ending the number; every byte before the
  // last also adds 0x80 times its place, which is how the format keeps encodings unique.
  auto number = [&] {
    std::uint64_t value = 0, place = 1;
    for (; !(patch.at(at) & 0x80); place <<= 7) value += (patch.at(at++) + 0x80) * place;
    return value + (patch.at(at++) & 0x7F) * place;
  };
  auto crcAt = [&](std::size_t offset) {
    return patch.at(offset) | patch.at(offset + 1) << 8 | patch.at(offset + 2) << 16 |
           std::uint32_t{patch.at(offset + 3)} << 24;
  };
  EXPECT_EQ(std::string(patch.begin(), patch.begin() + 4), "BPS1");
  EXPECT_EQ(number(), source.size());
  Bytes target(number());
  EXPECT_EQ(number(), 0u) << "metadata";
  const std::size_t footer = patch.size() - 12;
  for (std::size_t out = 0; at < footer;) {
    const std::uint64_t action = number();
    for (std::uint64_t n = (action >> 2) + 1; n > 0; --n, ++out) {
      target.at(out) = (action & 3) == 0 ? source.at(out) : patch.at(at++);
    }
  }
  EXPECT_EQ(at, footer);
  EXPECT_EQ(crcAt(footer), crc32_z(0, source.data(), source.size()));
  EXPECT_EQ(crcAt(footer + 4), crc32_z(0, target.data(), target.size()));
  EXPECT_EQ(crcAt(footer + 8), crc32_z(0, patch.data(), footer + 8));
  return target;
}

// Records up to the first "EOF" offset, after which nothing may follow. Torvale writes no RLE.
Bytes ApplyIps(Bytes target, const Bytes& patch) {
  std::size_t at = 5;
  auto bigEndian = [&](int bytes) {
    std::size_t value = 0;
    while (bytes-- > 0) value = value << 8 | patch.at(at++);
    return value;
  };
  EXPECT_EQ(std::string(patch.begin(), patch.begin() + 5), "PATCH");
  for (std::size_t offset = bigEndian(3); offset != kEofOffset; offset = bigEndian(3)) {
    const std::size_t length = bigEndian(2);
    for (std::size_t i = 0; i < length; ++i) target.at(offset + i) = patch.at(at++);
  }
  EXPECT_EQ(at, patch.size()) << "bytes after EOF";
  return target;
}

// The message of the PatchError that `step` throws; empty when it throws none.
template <typename Step>
std::string Refusal(Step step) {
  try {
    step();
  } catch (const PatchError& error) {
    return error.what();
  }
  return "";
}

// A random image and its copy with every byte of each run changed, patched both ways through
// CreatePatch, which must count the differing bytes and runs and leave nothing else behind.
void ExpectRoundTrip(const std::string& name, std::size_t size, const Runs& runs,
                     std::mt19937& random) {
  SCOPED_TRACE(name);
  Bytes clean(size);
  for (std::uint8_t& byte : clean) byte = static_cast<std::uint8_t>(random());
  Bytes edited = clean;
  for (const auto& [offset, length] : runs) {
    for (std::size_t i = offset; i < offset + length; ++i) edited[i] ^= 1 + random() % 255;
  }
  std::uint64_t changed = 0;
  std::size_t changedRuns = 0;
  for (std::size_t i = 0; i < size; ++i) {
    changed += clean[i] != edited[i];
    changedRuns += clean[i] != edited[i] && (i == 0 || clean[i - 1] == edited[i - 1]);
  }
  const TempFolder folder;
  for (const PatchFormat format : {PatchFormat::kBps, PatchFormat::kIps}) {
    const auto file = folder.File(format == PatchFormat::kBps ? "p.bps" : "p.ips");
    const PatchSummary summary = CreatePatch(clean, edited, format, file, {});
    EXPECT_EQ(summary.changedBytes, changed);
    EXPECT_EQ(summary.runCount, changedRuns);
    ASSERT_EQ(summary.written, changed > 0);
    if (!summary.written) continue;
    const Bytes patch = testing::ReadFileBytes(file);
    EXPECT_TRUE(edited ==
                (format == PatchFormat::kBps ? ApplyBps(clean, patch) : ApplyIps(clean, patch)));
    EXPECT_TRUE(edited == (format == PatchFormat::kBps ? ReadBps(patch, clean).target
                                                       : ReadIps(patch, clean)));
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}),
            changed > 0 ? 2 : 0);
}

TEST(PatchFormats, CornerCasesAndRandomEditSetsRoundTrip) {
  std::vector<std::tuple<std::string, std::size_t, Runs>> cases = {
      {"no changes", 4096, {}},
      {"first and last byte", 4096, {{0, 1}, {4095, 1}}},
      {"whole image, longer than a record", 200'000, {{0, 200'000}}},
      {"unchanged byte before the EOF offset", 0x460000, {{kEofOffset - 6, 5}, {kEofOffset, 3}}},
      {"record split lands on the EOF offset", 0x470000, {{kEofOffset - 0xFFFF, 0x20000}}},
      {"run from the EOF offset longer than a record", 0x470000, {{kEofOffset, 0x10000}}},
      {"last byte of a 16 MiB image", 0x1000000, {{0xFFFFFF, 1}}},
  };
  std::mt19937 random(1);
  for (unsigned seed = 0; seed < 300; ++seed) {
    const std::size_t size = 1 + random() % (seed % 4 == 0 ? 64 : 150'000);
    Runs runs(random() % 24);
    for (auto& [offset, length] : runs) {
      offset = random() % size;
      length = std::min<std::size_t>(size - offset, 1 + random() % (random() % 8 ? 40 : 80'000));
    }
    cases.emplace_back("random edits " + std::to_string(seed), size, runs);
  }
  for (const auto& [name, size, runs] : cases) ExpectRoundTrip(name, size, runs, random);
  const std::string ipsRefusal = Refusal([] { EncodeIps(Bytes(0x1000001), {}); });
  EXPECT_NE(ipsRefusal.find("an IPS patch reaches only the first 16 MiB"), std::string::npos);
}

class PatchFiles : public ::testing::Test {
 protected:
  // Every entry of the folder and its bytes ("/" for a folder).
  std::map<std::string, Bytes> Contents() const {
    std::map<std::string, Bytes> contents;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
      contents[entry.path().filename()] =
          entry.is_regular_file() ? testing::ReadFileBytes(entry.path()) : Bytes{'/'};
    }
    return contents;
  }

  void ExpectRefused(const std::filesystem::path& destination, const std::string& reason) {
    const auto before = Contents();
    const std::string refusal = Refusal(
        [&] { CreatePatch(clean, edited, PatchFormat::kBps, destination, protectedFiles); });
    EXPECT_NE(refusal.find(reason), std::string::npos) << destination << ": " << refusal;
    EXPECT_TRUE(Contents() == before) << destination;
  }

  TempFolder folder;
  Bytes sample = romgen::BuildSampleRom();
  Bytes clean{sample.begin() + 0x200, sample.end()};
  Bytes edited = Patched(clean, 0x1234, {0x01, 0x02});
  std::filesystem::path protectedFiles[2] = {
      testing::WriteRom(folder, Patched(sample, 0x1434, {0x01, 0x02}), "open.smc"),
      testing::WriteRom(folder, sample, "clean.smc")};
};

TEST_F(PatchFiles, CleanRomOfTheSameGameAndSizeIsReadAndAnyOtherRefused) {
  RomFile open;  // holds its lock throughout
  open.Open(protectedFiles[0]);
  // The file written under the name, or the name as it is; the refusal, empty when accepted.
  const std::tuple<std::optional<Bytes>, std::string, std::string> cases[] = {
      {sample, "headered.smc", ""},
      {clean, "headerless.sfc", ""},
      {Patched(Patched(sample, 0x81C0, {'F', 'F'}), 0x81D9, {2}), "renamed-other-country.smc", ""},
      {std::nullopt, "open.smc", ""},
      {Bytes(sample.begin() + 1, sample.end()), "short.smc", "holds 1049087 bytes"},
      {Patched(sample, 0x81D5, {0x21}), "map.smc", "the map mode"},
      {Patched(sample, 0x81DB, {0x01}), "version.smc", "the version"},
      {Patched(sample, 0x101C0, testing::Ascii("FINAL FANTASY 3")), "other-game.smc",
       "is another game, and the open ROM is the US release"},
      {Patched(sample, 0x81C0, testing::Ascii("FINAL FANTASY 4")), "japanese.smc",
       "is the Japanese release, Final Fantasy 4, and the open ROM is the US release of Final "
       "Fantasy II"},
      {std::nullopt, "missing.smc", "could not be read"},
      {std::nullopt, ".", "is not a regular file"},
  };
  for (const auto& [file, name, expected] : cases) {
    const auto path = file ? testing::WriteRom(folder, *file, name) : folder.File(name);
    CleanRom clean;
    const std::string refusal = Refusal([&] { clean = ReadCleanRom(path, edited); });
    EXPECT_TRUE(expected.empty() ? refusal.empty() : refusal.find(expected) != std::string::npos)
        << name << ": " << refusal;
    if (!refusal.empty()) continue;
    const Bytes bytes = testing::ReadFileBytes(path);
    EXPECT_TRUE(std::ranges::equal(clean.Image(), Bytes(bytes.end() - edited.size(), bytes.end())))
        << name;
    EXPECT_EQ(clean.hasHeader, bytes.size() > edited.size()) << name;
    EXPECT_TRUE(!clean.hasHeader || clean.file == bytes) << name;
  }
}

TEST_F(PatchFiles, FailedOrRefusedWriteLeavesTheFolderAsItWas) {
  std::filesystem::create_directory(folder.File("folder.bps"));
  testing::WriteRom(folder, {'o', 'l', 'd'}, "earlier.bps");
  std::filesystem::create_hard_link(protectedFiles[0], folder.File("hard-link.smc"));
  std::filesystem::create_symlink(protectedFiles[1], folder.File("symbolic-link.smc"));
  ExpectRefused(folder.File("missing/p.bps"), "no file can be created in its folder");
  ExpectRefused(folder.File("folder.bps"), "it could not be put in place");
  for (const auto& romFile : {protectedFiles[0], folder.Path() / "." / "clean.smc",
                              folder.File("hard-link.smc"), folder.File("symbolic-link.smc")}) {
    ExpectRefused(romFile, "is one of the ROM files the patch is made from");
  }
  // The system lets this process's files grow to 16 bytes only.
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  const rlimit small{16, saved.rlim_max};
  std::signal(SIGXFSZ, SIG_IGN);
  ::setrlimit(RLIMIT_FSIZE, &small);
  ExpectRefused(folder.File("earlier.bps"), "the write failed");
  ::setrlimit(RLIMIT_FSIZE, &saved);
}

// A fault at each file-system call of writing a patch over an earlier one:
// every fault is told; before the rename the folder is left as it was, after
// it the whole patch is in place, not known to be on disk. A patch written
// keeps the permissions of the file it replaces, under any name the folder takes.
TEST_F(PatchFiles, FaultAtEveryCallLeavesTheEarlierFileOrTheWholePatch) {
  const auto destination = folder.File(std::string(251, 'p') + ".bps");  // the longest name
  const auto placeEarlier = [&] {
    testing::WriteRom(folder, {'o', 'l', 'd'}, destination.filename());
    std::filesystem::permissions(destination, std::filesystem::perms(0640));
  };
  const Bytes patch = {'B', 'P', 'S', '1', 0x42};
  placeEarlier();
  const auto earlier = Contents();
  testing::FaultyOutputIo clean;
  WriteOutputFile(destination, patch, {}, "patch", clean);
  EXPECT_EQ(testing::ReadFileBytes(destination), patch);
  EXPECT_EQ(std::filesystem::status(destination).permissions(), std::filesystem::perms(0640));
  EXPECT_EQ(clean.calls, "comwsxrf");
  for (std::size_t call = 1; call <= clean.calls.size(); ++call) {
    SCOPED_TRACE(clean.calls.substr(0, call));
    placeEarlier();
    testing::FaultyOutputIo io;
    io.FaultAt(static_cast<int>(call));
    bool notOnDisk = false;
    const std::string refusal = Refusal([&] {
      try {
        WriteOutputFile(destination, patch, {}, "patch", io);
      } catch (const PatchNotDurableError&) {
        notOnDisk = true;
        throw;
      }
    });
    EXPECT_NE(refusal, "");
    const bool placed = clean.calls[call - 1] == 'f';
    EXPECT_EQ(notOnDisk, placed);
    auto expected = earlier;
    if (placed) expected[destination.filename()] = patch;
    EXPECT_TRUE(Contents() == expected);
  }
}

// A revert of the rows picked by their field's label, between a clean ROM
// and one edited where the game's layout puts the field: the labels that go
// back together, and the bytes the edited file holds afterwards.
TEST(Revert, FieldGoesBackAloneWhereItCanAndWithTheFieldsSharingItsBytesWhereNot) {
  using Plants = std::vector<std::pair<std::size_t, Bytes>>;
  struct Case {
    const char* name;
    Plants clean, edited;
    std::vector<std::string> picked, reverted;
    Plants after;
  };
  constexpr std::size_t kMpByte = 0x799A0 + 6 * 3 + 5, kHandByte = 0x7AB00 + 32 * 2;
  constexpr std::size_t kChest = 0xA8503, kItemName = 0x78200 + 9 * 2 + 1;
  const Case cases[] = {
      {"MP cost beside its wall bit",
       {{kMpByte, {0x05}}},
       {{kMpByte, {0x8A}}},
       {"MP Cost"},
       {"MP Cost"},
       {{kMpByte, {0x85}}}},
      {"wall bit beside the MP cost",
       {{kMpByte, {0x05}}},
       {{kMpByte, {0x8A}}},
       {"Ignore Wall"},
       {"Ignore Wall"},
       {{kMpByte, {0x0A}}}},
      {"hand beside its name index",
       {{kHandByte, {0xC5}}},
       {{kHandByte, {0x47}}},
       {"Hand"},
       {"Hand"},
       {{kHandByte, {0xC7}}}},
      {"name index its hand cannot hold",
       {{kHandByte, {0x05}}},
       {{kHandByte, {0x85}}},
       {"Name Index"},
       {"Hand", "Name Index"},
       {{kHandByte, {0x05}}}},
      {"chest kind",
       {{kChest, {0x00, 0x05}}},
       {{kChest, {0x80, 0x21}}},
       {"Kind"},
       {"GP", "Item", "Kind"},
       {{kChest, {0x00, 0x05}}}},
      {"chest item of the same kind",
       {{kChest, {0x80, 0x10}}},
       {{kChest, {0x80, 0x21}}},
       {"Item"},
       {"Item"},
       {{kChest, {0x80, 0x10}}}},
      {"name, byte for byte",
       {{kItemName, {0xBF, 0x5C, 0x5D}}},
       {{kItemName, {0x42, 0x43, 0x44}}},
       {"Name"},
       {"Name"},
       {{kItemName, {0xBF, 0x5C, 0x5D}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes clean = testing::Sample(), edited;
    for (const auto& [offset, bytes] : c.clean) clean = Patched(clean, offset, bytes);
    edited = clean;
    for (const auto& [offset, bytes] : c.edited) edited = Patched(edited, offset, bytes);
    testing::MemoryRom memory(edited);
    const std::vector<Change> changes = ListChanges(edited, clean, memory.text);
    std::vector<std::size_t> picked;
    for (std::size_t i = 0; i < changes.size(); ++i) {
      if (std::ranges::count(c.picked, changes[i].field) > 0) picked.push_back(i);
    }
    ASSERT_EQ(picked.size(), c.picked.size());
    const auto reverted = ChangesRevertedTogether(changes, picked, edited, clean, memory.text);
    std::vector<std::string> labels;
    for (const std::size_t i : reverted) labels.push_back(changes[i].field);
    std::ranges::sort(labels);
    EXPECT_EQ(labels, c.reverted);
    RevertChanges(memory.rom, changes, reverted, edited, clean, memory.text);
    Bytes expected = edited;
    for (const auto& [offset, bytes] : c.after) expected = Patched(expected, offset, bytes);
    EXPECT_EQ(testing::DescribeDifferences(expected, memory.file.bytes), "");
  }
}

}  // namespace
}  // namespace torvale
