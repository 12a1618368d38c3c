#include <gtest/gtest.h>

#include "RomFixture.h"
#include "rom/RomIdentity.h"

namespace torvale {
namespace {

using testing::Ascii;
using testing::Bytes;
using testing::Patched;

TEST(RomIdentity, TitlesAreComparedExactlyAndInOrder) {
  struct Case {
    std::size_t offset;
    std::string title;
    IdentityVerdict verdict;
    std::string message;
  };
  const std::string easy =
      "You're loading: [ FINAL FANTASY 4 EASY ].  Final Fantasy 4 EasyType "
      "is not directly supported--don't email me and complain about my "
      "program fucking up your ROM.\r\n\r\nThe application will "
      "continue--Please use at your own risk.";
  const std::string ff4 =
      "You're loading: [ FINAL FANTASY 4 ].  Final Fantasy 4 is not directly "
      "supported--don't email me and complain about my program fucking up "
      "your ROM.\r\n\r\nThe application will continue--Please use at your own "
      "risk.";
  const Case cases[] = {
      {0x101C0, "FINAL FANTASY 3", IdentityVerdict::kRefused,
       "You tried to load: [ FINAL FANTASY 3 ].  Why in god's name are you trying to corrupt "
       "this ROM?"},
      {0x81C0, "FINAL FANTASY 4 EASYTYPE", IdentityVerdict::kWarned, easy},
      {0x81C0, "FINAL FANTASY 4     ", IdentityVerdict::kWarned, ff4},
      {0x81C0, "FINAL FANTASY 4 EAS", IdentityVerdict::kWarned, ff4},
      {0x81C0, "final fantasy 4     ", IdentityVerdict::kAccepted, ""},
      {0x81C0, "FINAL FANTASY II    ", IdentityVerdict::kAccepted, ""},
      {0x101C0, "FINAL FANTASY 30", IdentityVerdict::kRefused,
       "You tried to load: [ FINAL FANTASY 3 ].  Why in god's name are you trying to corrupt "
       "this ROM?"},
      {0x101C0, "Final Fantasy 3", IdentityVerdict::kAccepted, ""},
  };
  testing::TempFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    RomFile rom;
    rom.Open(
        testing::WriteRom(folder, Patched(romgen::BuildSampleRom(), c.offset, Ascii(c.title))));
    const IdentityCheck check = CheckROMIdentity(rom);
    EXPECT_EQ(check.verdict, c.verdict);
    EXPECT_EQ(check.message, c.message);
  }
}

TEST(RomIdentity, FileTooShortForTheEditorsIsRefused) {
  testing::TempFolder folder;
  for (const std::size_t size : {std::size_t{0}, std::size_t{0xAB1D8}, std::size_t{0xAB1D9}}) {
    RomFile rom;
    rom.Open(testing::WriteRom(folder, Bytes(size, 0xFF), "short.smc"));
    const std::optional<std::string> refusal = CheckRomLength(rom);
    EXPECT_EQ(refusal.has_value(), size < 0xAB1D9) << size;
    if (refusal) {
      EXPECT_NE(refusal->find("short.smc"), std::string::npos);
      EXPECT_NE(refusal->find(std::to_string(size) + " bytes"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace torvale
