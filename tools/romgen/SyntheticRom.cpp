#include "romgen/SyntheticRom.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <span>
#include <stdexcept>
#include <string>

#include "rom/Checksum.h"
#include "rom/MemoryRomIo.h"
#include "text/TextTable.h"

namespace torvale::romgen {
namespace {

// Copier header and internal header.
constexpr std::size_t kCopierHeaderSize = 0x200;
constexpr std::size_t kCopierBlockCountOffset = 0x000;
constexpr std::size_t kCopierFieldBOffset = 0x008;
constexpr std::size_t kInternalNameOffset = 0x81C0;
constexpr std::size_t kInternalNameLength = 21;
constexpr std::size_t kMapModeOffset = 0x81D5;

// Monster tables.
constexpr std::size_t kMonsterCount = 224;
constexpr std::size_t kMonsterNameOffset = 0x71A00;
constexpr std::size_t kMonsterNameLength = 8;
constexpr std::size_t kMonsterGpOffset = 0x72200;
constexpr std::size_t kMonsterExpOffset = 0x723C0;
constexpr std::size_t kMonsterGraphicOffset = 0x7CC00;
constexpr std::size_t kMonsterGraphicSize = 4;

// Battle tables.
constexpr std::size_t kItemsWonOffset = 0x72100;
constexpr std::size_t kItemsWonCount = 64;
constexpr std::size_t kItemsWonSize = 4;
constexpr std::size_t kAttackDefenseOffset = 0x72580;
constexpr std::size_t kAttackDefenseCount = 224;
constexpr std::size_t kAttackDefenseSize = 3;
constexpr std::size_t kSpeedOffset = 0x72820;
constexpr std::size_t kSpeedCount = 64;
constexpr std::size_t kSpeedSize = 2;

// Items. Item numbers fall into families that decide icon, record and price.
constexpr std::size_t kItemCount = 256;
constexpr std::size_t kItemNameOffset = 0x78200;
constexpr std::size_t kItemNameRecordSize = 9;
constexpr std::size_t kItemNameLength = 8;
constexpr std::size_t kItemRecordOffset = 0x79300;
constexpr std::size_t kItemRecordCount = 176;
constexpr std::size_t kItemRecordSize = 8;
constexpr std::size_t kItemPriceOffset = 0x7A650;
constexpr std::size_t kFirstWeapon = 0x01;
constexpr std::size_t kFirstShield = 0x60;
constexpr std::size_t kFirstHelmet = 0x70;
constexpr std::size_t kFirstArmor = 0x84;
constexpr std::size_t kFirstGauntlet = 0xA0;
constexpr std::size_t kFirstConsumable = 0xB0;
constexpr std::size_t kFirstKeyItem = 0xE0;
constexpr std::uint8_t kFirstWeaponIcon = 0x29;
constexpr std::uint8_t kLastWeaponIcon = 0x3A;
constexpr std::uint8_t kShieldIcon = 0x3B;
constexpr std::uint8_t kHelmetIcon = 0x3C;
constexpr std::uint8_t kArmorIcon = 0x3D;
constexpr std::uint8_t kGauntletIcon = 0x3E;
constexpr std::uint8_t kNoIcon = 0x00;
constexpr std::uint32_t kEquipClassCount = 116;

// Spells.
constexpr std::size_t kSpellCount = 72;
constexpr std::size_t kSpellNameOffset = 0x78B00;
constexpr std::size_t kSpellNameRecordSize = 6;
constexpr std::size_t kSpellNameLength = 5;
constexpr std::size_t kSpellRecordOffset = 0x799A0;
constexpr std::size_t kSpellRecordSize = 6;
constexpr std::size_t kAsuraOffset = 0x79BC2;
constexpr std::size_t kFirstBlackSpell = 24;
constexpr std::size_t kFirstSummonSpell = 48;
constexpr std::size_t kFirstLateBlackSpell = 64;
constexpr std::uint8_t kBlackMagicIcon = 0x3F;
constexpr std::uint8_t kWhiteMagicIcon = 0x40;
constexpr std::uint8_t kSummonMagicIcon = 0x41;

// Party.
constexpr std::size_t kCharacterNameOffset = 0x7A910;
constexpr std::size_t kCharacterNameLength = 6;
constexpr std::size_t kCharacterRecordOffset = 0x7AB00;
constexpr std::size_t kCharacterRecordCount = 15;
constexpr std::size_t kCharacterRecordSize = 32;
constexpr std::size_t kEquipmentOffset = 0x7AD00;
constexpr std::size_t kEquipmentCount = 22;
constexpr std::size_t kEquipmentSize = 7;

// Short texts.
constexpr std::size_t kShortTextOffset = 0x7A9C6;
constexpr std::size_t kShortTextCount = 33;
constexpr std::size_t kShortTextLength = 5;

// World data.
constexpr std::size_t kShopOffset = 0x9A500;
constexpr std::size_t kShopCount = 64;
constexpr std::size_t kShopSize = 8;
constexpr std::uint8_t kEmptyShopSlot = 0xFF;
constexpr std::size_t kTreasureFirstOffset = 0xA8503;
constexpr std::size_t kTreasureLastOffset = 0xA9819;
constexpr std::size_t kMapPropertyOffset = 0xA9E80;
constexpr std::size_t kMapCount = 381;
constexpr std::size_t kMapPropertySize = 13;
constexpr std::size_t kMapSongByte = 11;
constexpr std::uint32_t kSongCount = 56;

constexpr std::uint8_t kGameSpace = 0xFF;

// Small xorshift generator: the image must be identical on every machine and
// every run, which rules out std::rand and the <random> distributions.
class Xorshift32 {
 public:
  explicit Xorshift32(std::uint32_t seed) : m_state(seed) {}

  std::uint32_t Next() {
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return m_state;
  }
  // A value in [low, high]; the slight modulo bias is harmless for fixtures.
  std::uint32_t Between(std::uint32_t low, std::uint32_t high) {
    return low + Next() % (high - low + 1);
  }
  std::uint8_t ByteBetween(std::uint32_t low, std::uint32_t high) {
    return static_cast<std::uint8_t>(Between(low, high));
  }
  bool OneIn(std::uint32_t n) { return Next() % n == 0; }

 private:
  std::uint32_t m_state;
};

std::uint8_t Lo(std::uint32_t value) {
  return static_cast<std::uint8_t>(value & 0xFF);
}

void PutSpan(RomBytes& rom, std::size_t offset, std::span<const std::uint8_t> bytes) {
  if (offset > rom.size() || bytes.size() > rom.size() - offset) {
    throw std::out_of_range("write of " + std::to_string(bytes.size()) + " bytes at offset " +
                            std::to_string(offset) + " runs past the end of a " +
                            std::to_string(rom.size()) + "-byte image");
  }
  std::copy(bytes.begin(), bytes.end(), rom.begin() + static_cast<std::ptrdiff_t>(offset));
}

void PutText(RomBytes& rom, std::size_t offset, std::string_view text, std::size_t length) {
  PutSpan(rom, offset, EncodeGameText(text, length));
}

void FillImage(RomBytes& rom) {
  Xorshift32 rng(0x7A3C'91E5);
  for (std::size_t offset = kCopierHeaderSize; offset < rom.size(); ++offset) {
    rom[offset] = static_cast<std::uint8_t>(rng.Next() >> 24);
  }
}

void WriteCopierHeader(RomBytes& rom) {
  // Block count of a 1 MiB image in 8 KiB units; field A stays 00 00 00 00.
  PutBytes(rom, kCopierBlockCountOffset, {0x80, 0x00});
  PutBytes(rom, kCopierFieldBOffset, {0xAA, 0xBB, 0x04, 0x00});
}

void WriteInternalHeader(RomBytes& rom) {
  std::string title = "FINAL FANTASY II";
  title.resize(kInternalNameLength, ' ');
  PutAscii(rom, kInternalNameOffset, title);
  // Map mode, cartridge type, ROM size, SRAM size, country (USA), maker, version 1.0.
  PutBytes(rom, kMapModeOffset, {0x20, 0x02, 0x0A, 0x03, 0x01, 0x33, 0x00});
}

// Two invented syllable sets give every monster a distinct name of at most
// eight letters: 16 x 14 = 224.
void WriteMonsterNames(RomBytes& rom) {
  constexpr std::array<std::string_view, 16> kHeads = {"Vor", "Quin", "Zel", "Mab", "Tro", "Gri",
                                                       "Plo", "Ska",  "Bru", "Fen", "Lum", "Oxa",
                                                       "Dre", "Kib",  "Yul", "Naz"};
  constexpr std::array<std::string_view, 14> kTails = {"bel", "tar", "mox", "ling", "dun",
                                                       "rax", "pim", "gor", "vel",  "sut",
                                                       "ank", "wim", "ros", "zek"};
  for (std::size_t m = 0; m < kMonsterCount; ++m) {
    const std::string name =
        std::string(kHeads[m % kHeads.size()]) + std::string(kTails[m / kHeads.size()]);
    PutText(rom, kMonsterNameOffset + kMonsterNameLength * m, name, kMonsterNameLength);
  }
}

void WriteMonsterRewards(RomBytes& rom) {
  Xorshift32 rng(0x0000'6A11);
  for (std::size_t m = 0; m < kMonsterCount; ++m) {
    // Later monsters are tougher and pay more.
    const auto scale = static_cast<std::uint32_t>(m + 1);
    PutWord(rom, kMonsterGpOffset + 2 * m, static_cast<std::uint16_t>(rng.Between(1, 12) * scale));
    PutWord(rom, kMonsterExpOffset + 2 * m, static_cast<std::uint16_t>(rng.Between(2, 40) * scale));
  }
}

void WriteMonsterGraphics(RomBytes& rom) {
  Xorshift32 rng(0x0000'9F4D);
  for (std::size_t m = 0; m < kMonsterCount; ++m) {
    const std::size_t record = kMonsterGraphicOffset + kMonsterGraphicSize * m;
    PutBytes(rom, record, {rng.ByteBetween(0, 15), rng.ByteBetween(0, 255)});
    PutWord(rom, record + 2, static_cast<std::uint16_t>(0x0400 + 0x40 * m));
  }
}

std::uint8_t RandomConsumable(Xorshift32& rng) {
  return rng.ByteBetween(kFirstConsumable, kFirstKeyItem - 1);
}

std::uint8_t RandomEquipment(Xorshift32& rng) {
  return rng.ByteBetween(kFirstWeapon, kFirstConsumable - 1);
}

void WriteItemsWon(RomBytes& rom) {
  Xorshift32 rng(0x0000'3E57);
  for (std::size_t i = 0; i < kItemsWonCount; ++i) {
    const std::size_t entry = kItemsWonOffset + kItemsWonSize * i;
    PutBytes(rom, entry,
             {RandomConsumable(rng), RandomConsumable(rng), RandomConsumable(rng),
              rng.OneIn(4) ? RandomEquipment(rng) : RandomConsumable(rng)});
  }
}

void WriteAttackDefense(RomBytes& rom) {
  Xorshift32 rng(0x0000'A7DF);
  for (std::size_t i = 0; i < kAttackDefenseCount; ++i) {
    PutBytes(rom, kAttackDefenseOffset + kAttackDefenseSize * i,
             {rng.ByteBetween(1, 8), rng.ByteBetween(10, 99), rng.ByteBetween(1, 60)});
  }
}

void WriteSpeeds(RomBytes& rom) {
  Xorshift32 rng(0x0000'5BED);
  for (std::size_t i = 0; i < kSpeedCount; ++i) {
    const std::uint8_t low = rng.ByteBetween(1, 40);
    PutBytes(rom, kSpeedOffset + kSpeedSize * i, {low, rng.ByteBetween(low, low + 20u)});
  }
}

std::uint8_t ItemIcon(std::size_t item) {
  if (item >= kFirstWeapon && item < kFirstShield) {
    // Weapon families in runs of equal icons, spread over the weapon icons.
    const std::size_t span = kLastWeaponIcon - kFirstWeaponIcon + 1;
    return static_cast<std::uint8_t>(kFirstWeaponIcon +
                                     (item - kFirstWeapon) * span / (kFirstShield - kFirstWeapon));
  }
  if (item >= kFirstShield && item < kFirstHelmet) return kShieldIcon;
  if (item >= kFirstHelmet && item < kFirstArmor) return kHelmetIcon;
  if (item >= kFirstArmor && item < kFirstGauntlet) return kArmorIcon;
  if (item >= kFirstGauntlet && item < kFirstConsumable) return kGauntletIcon;
  return kNoIcon;
}

std::vector<std::uint8_t> ItemNameBytes(std::size_t item) {
  constexpr std::array<std::string_view, 16> kHeads = {"Bal", "Cor", "Dun", "Esk", "Fal", "Gor",
                                                       "Hel", "Isk", "Jor", "Kal", "Lun", "Mor",
                                                       "Nel", "Orv", "Pel", "Quo"};
  constexpr std::array<std::string_view, 16> kTails = {"brin", "dax", "fen", "gal", "hom", "ith",
                                                       "kor",  "lis", "mar", "nox", "pry", "rud",
                                                       "sel",  "tam", "vik", "wen"};
  // Corner cases of the codec: each raw byte goes in after encoding.
  switch (item) {
    case kBlankNameItem:
      return EncodeGameText("", kItemNameLength);
    case kDoubleDotNameItem: {
      auto bytes = EncodeGameText("Wimsy", kItemNameLength);
      bytes[5] = 0xC3;  // reads as "..", one character longer than its byte
      return bytes;
    }
    case kSecondSmallLNameItem: {
      auto bytes = EncodeGameText("Velbun", kItemNameLength);
      bytes[2] = 0xBF;  // the second code that reads as "l"
      return bytes;
    }
    case kUnmappedByteNameItem: {
      auto bytes = EncodeGameText("Dro pik", kItemNameLength);
      bytes[3] = 0x10;  // reads as nothing
      return bytes;
    }
    default:
      return EncodeGameText(
          std::string(kHeads[item / kTails.size()]) + std::string(kTails[item % kTails.size()]),
          kItemNameLength);
  }
}

void WriteItemNames(RomBytes& rom) {
  for (std::size_t item = 0; item < kItemCount; ++item) {
    const std::size_t record = kItemNameOffset + kItemNameRecordSize * item;
    PutBytes(rom, record, {ItemIcon(item)});
    PutSpan(rom, record + 1, ItemNameBytes(item));
  }
}

// Stat bonus codes: mostly none, sometimes a few stats with an amount code.
std::uint8_t RandomStatBonus(Xorshift32& rng) {
  if (!rng.OneIn(5)) return 0;
  const std::uint32_t stats = rng.Between(1, 31);
  const std::uint32_t amount = rng.Between(0, 7);
  return Lo(stats << 3 | amount);
}

void WriteItemRecords(RomBytes& rom) {
  Xorshift32 rng(0x0000'1DE4);
  for (std::size_t item = 0; item < kItemRecordCount; ++item) {
    const std::size_t record = kItemRecordOffset + kItemRecordSize * item;
    if (item == kBlankNameItem) {
      PutBytes(rom, record, {0, 0, 0, 0, 0, 0, 0, 0});
      continue;
    }
    const bool weapon = item < kFirstShield;
    const auto tier =
        static_cast<std::uint32_t>(weapon ? item - kFirstWeapon : item - kFirstShield);
    const std::uint8_t magicBlock = weapon ? 0 : rng.ByteBetween(0, 30);
    const std::uint8_t strength =
        weapon ? Lo(5 + 2 * tier + rng.Between(0, 9)) : rng.ByteBetween(1, 40);
    const std::uint8_t percent = weapon ? rng.ByteBetween(50, 99) : rng.ByteBetween(0, 30);
    const std::uint8_t element = rng.OneIn(6) ? rng.ByteBetween(1, 31) : 0;
    const std::uint8_t ailment = rng.OneIn(8) ? rng.ByteBetween(1, 31) : 0;
    const std::uint8_t spell = rng.OneIn(10) ? rng.ByteBetween(1, 76) : 0;
    const std::uint8_t equipClass = Lo(rng.Between(0, kEquipClassCount - 1));
    PutBytes(
        rom, record,
        {magicBlock, strength, percent, element, ailment, spell, equipClass, RandomStatBonus(rng)});
  }
}

void WriteItemPrices(RomBytes& rom) {
  Xorshift32 rng(0x0000'C0B1);
  for (std::size_t item = 0; item < kItemCount; ++item) {
    std::uint8_t price = 0;
    if (item >= kFirstKeyItem) {
      price = 0;  // key items cannot be sold
    } else if (item >= kFirstConsumable) {
      price = rng.ByteBetween(1, 60);  // tens of GP
    } else if (item != kBlankNameItem) {
      // Equipment in tens of GP, the better half in thousands.
      price = rng.OneIn(2) ? rng.ByteBetween(5, 127) : rng.ByteBetween(0x81, 0xA0);
    }
    rom[kItemPriceOffset + item] = price;
  }
}

std::uint8_t SpellIcon(std::size_t spell) {
  if (spell < kFirstBlackSpell) return kWhiteMagicIcon;
  if (spell < kFirstSummonSpell) return kBlackMagicIcon;
  if (spell < kFirstLateBlackSpell) return kSummonMagicIcon;
  return kBlackMagicIcon;
}

void WriteSpellNames(RomBytes& rom) {
  constexpr std::array<std::string_view, 9> kHeads = {"Fla", "Gel", "Sor", "Tiv", "Mur",
                                                      "Pax", "Zin", "Cly", "Dov"};
  constexpr std::array<std::string_view, 8> kTails = {"ra", "on", "ix", "em",
                                                      "ul", "as", "et", "yr"};
  for (std::size_t spell = 0; spell < kSpellCount; ++spell) {
    const std::size_t record = kSpellNameOffset + kSpellNameRecordSize * spell;
    PutBytes(rom, record, {SpellIcon(spell)});
    PutText(rom, record + 1,
            std::string(kHeads[spell / kTails.size()]) + std::string(kTails[spell % kTails.size()]),
            kSpellNameLength);
  }
}

void WriteSpellRecords(RomBytes& rom) {
  // Effect routines that the spell editor names.
  constexpr std::array<std::uint8_t, 12> kEffects = {0x00, 0x01, 0x02, 0x04, 0x07, 0x08,
                                                     0x0A, 0x0D, 0x0F, 0x13, 0x14, 0x17};
  Xorshift32 rng(0x0000'5CE1);
  for (std::size_t spell = 0; spell < kSpellCount; ++spell) {
    std::uint8_t castingTime = rng.ByteBetween(0, 15);
    if (rng.OneIn(6)) castingTime |= 0x80;  // long-lasting ailment
    const std::uint8_t power = rng.ByteBetween(0, 120);
    const std::uint8_t target = rng.ByteBetween(0, 7);
    const std::uint8_t effect = kEffects[rng.Between(0, kEffects.size() - 1)];
    const std::uint8_t element = rng.OneIn(4) ? rng.ByteBetween(1, 31) : 0;
    std::uint8_t mpCost = rng.ByteBetween(1, 60);
    if (rng.OneIn(5)) mpCost |= 0x80;  // ignores Wall
    PutBytes(rom, kSpellRecordOffset + kSpellRecordSize * spell,
             {castingTime, power, target, effect, element, mpCost});
  }
  // Casting time, power, target and effect of a spell outside the listed 72.
  PutBytes(rom, kAsuraOffset, {0x06, 0x28, 0x51, 0x02});
}

void WriteCharacterNames(RomBytes& rom) {
  constexpr std::array<std::string_view, 14> kNames = {
      "Kestra", "Doran", "Ylva",   "Marrek", "Sefi",   "Ottlin", "Brannu",
      "Quesa",  "Lioth", "Pemrik", "Zorna",  "Haddel", "Wynna",  "Jorvel"};
  for (std::size_t k = 0; k < kNames.size(); ++k) {
    PutText(rom, kCharacterNameOffset + kCharacterNameLength * k, kNames[k], kCharacterNameLength);
  }
}

void WriteShortTexts(RomBytes& rom) {
  constexpr std::array<std::string_view, 11> kHeads = {"Jo", "Pel", "Ru",  "Vas", "Mi", "Tok",
                                                       "Zu", "Ne",  "Gab", "Wi",  "Hu"};
  constexpr std::array<std::string_view, 3> kTails = {"ka", "r!", "n."};
  for (std::size_t k = 0; k < kShortTextCount; ++k) {
    PutText(rom, kShortTextOffset + kShortTextLength * k,
            std::string(kHeads[k % kHeads.size()]) + std::string(kTails[k / kHeads.size()]),
            kShortTextLength);
  }
}

void WriteCharacterRecords(RomBytes& rom) {
  constexpr std::array<std::uint8_t, 3> kHandBits = {0x40, 0x80, 0xC0};
  Xorshift32 rng(0x0000'C4A2);
  for (std::size_t slot = 0; slot < kCharacterRecordCount; ++slot) {
    const std::size_t record = kCharacterRecordOffset + kCharacterRecordSize * slot;
    const std::uint32_t level = rng.Between(1, 50);
    const auto hp = static_cast<std::uint16_t>(40 + level * rng.Between(20, 60));
    const auto mp = static_cast<std::uint16_t>(level * rng.Between(0, 8));
    PutBytes(rom, record,
             {Lo(kHandBits[slot % kHandBits.size()] + slot + 1), rng.ByteBetween(0, 255), Lo(level),
              rng.ByteBetween(0, 255), rng.ByteBetween(0, 255), rng.ByteBetween(0, 255),
              rng.ByteBetween(0, 255)});
    // Both words of each pair hold the same value, as the editor writes them.
    PutWord(rom, record + 0x07, hp);
    PutWord(rom, record + 0x09, hp);
    PutWord(rom, record + 0x0B, mp);
    PutWord(rom, record + 0x0D, mp);
    PutBytes(rom, record + 0x0F,
             {rng.ByteBetween(3, 60), rng.ByteBetween(3, 60), rng.ByteBetween(3, 60),
              rng.ByteBetween(3, 60), rng.ByteBetween(3, 60), rng.ByteBetween(0, 255),
              rng.ByteBetween(0, 255), rng.ByteBetween(0, 255)});
    PutLong(rom, record + 0x17, level * level * level * 10);
    PutBytes(rom, record + 0x1B,
             {rng.ByteBetween(0, 255), rng.ByteBetween(0, 255), rng.ByteBetween(0, 255),
              rng.ByteBetween(0, 255), rng.ByteBetween(0, 255)});
  }
}

void WriteStartingEquipment(RomBytes& rom) {
  Xorshift32 rng(0x0000'E901);
  for (std::size_t slot = 0; slot < kEquipmentCount; ++slot) {
    const std::uint8_t rightHand = rng.ByteBetween(kFirstWeapon, kFirstShield - 1);
    // Item 0 is the blank item: an empty hand holds none of it.
    const std::uint8_t leftHand =
        rng.OneIn(2) ? rng.ByteBetween(kFirstShield, kFirstHelmet - 1) : 0;
    PutBytes(rom, kEquipmentOffset + kEquipmentSize * slot,
             {rng.ByteBetween(kFirstHelmet, kFirstArmor - 1),
              rng.ByteBetween(kFirstArmor, kFirstGauntlet - 1),
              rng.ByteBetween(kFirstGauntlet, kFirstConsumable - 1), rightHand,
              rng.OneIn(4) ? rng.ByteBetween(10, 99) : std::uint8_t{1}, leftHand,
              leftHand == 0 ? std::uint8_t{0} : std::uint8_t{1}});
  }
}

void WriteShops(RomBytes& rom) {
  Xorshift32 rng(0x0000'5409);
  for (std::size_t shop = 0; shop < kShopCount; ++shop) {
    // Weapon, armor and item shops in turn, each with two to eight wares.
    constexpr std::array<std::size_t, 3> kFirst = {kFirstWeapon, kFirstShield, kFirstConsumable};
    constexpr std::array<std::size_t, 3> kLast = {kFirstShield - 1, kFirstConsumable - 1,
                                                  kFirstKeyItem - 1};
    const std::size_t kind = shop % kFirst.size();
    const std::uint32_t wares = rng.Between(2, kShopSize);
    for (std::size_t slot = 0; slot < kShopSize; ++slot) {
      rom[kShopOffset + kShopSize * shop + slot] =
          slot < wares ? rng.ByteBetween(kFirst[kind], kLast[kind]) : kEmptyShopSlot;
    }
  }
}

// Each byte of the range may be read as the type byte of a chest, so no byte
// takes the one type value with no meaning (0xC0).
void WriteTreasures(RomBytes& rom) {
  Xorshift32 rng(0x0000'7EA5);
  std::size_t offset = kTreasureFirstOffset;
  const auto put = [&](std::uint8_t value) {
    if (offset <= kTreasureLastOffset) rom[offset++] = value == 0xC0 ? 0xC1 : value;
  };
  while (offset <= kTreasureLastOffset) {
    switch (rng.Between(0, 2)) {
      case 0:  // GP
        put(0x00);
        put(rng.ByteBetween(1, 255));
        break;
      case 1:  // an item
        put(0x80);
        put(RandomEquipment(rng));
        break;
      default:  // an item guarded by formation 65..127
        put(rng.ByteBetween(0x80 + 65, 0x80 + 127));
        put(RandomConsumable(rng));
        break;
    }
  }
}

void WriteMapProperties(RomBytes& rom) {
  Xorshift32 rng(0x0000'3A95);
  for (std::size_t map = 0; map < kMapCount; ++map) {
    const std::size_t record = kMapPropertyOffset + kMapPropertySize * map;
    PutBytes(rom, record,
             {rng.ByteBetween(0, 3), rng.ByteBetween(0, 255), rng.ByteBetween(0, 120),
              rng.ByteBetween(0, 100), rng.ByteBetween(0, 255), Lo(static_cast<std::uint32_t>(map)),
              rng.ByteBetween(0, 150), rng.ByteBetween(0, 15), rng.ByteBetween(0, 30),
              rng.ByteBetween(0, 40), rng.ByteBetween(0, 20), 0, rng.ByteBetween(0, 150)});
    rom[record + kMapSongByte] = Lo(rng.Between(0, kSongCount - 1));
  }
}

}  // namespace

// The check words the image sums to, as a clean dump holds them.
void WriteCorrectChecksum(RomBytes& rom) {
  MemoryRomIo io(rom);
  RomFile file(io);
  file.Open(io.path);
  WriteChecksum(file, ReadChecksumStatus(file).computed);
  rom = std::move(io.bytes);
}

RomBytes BuildSampleRom() {
  RomBytes rom(kSampleRomSize, 0x00);
  FillImage(rom);
  WriteCopierHeader(rom);
  WriteInternalHeader(rom);
  WriteMonsterNames(rom);
  WriteMonsterRewards(rom);
  WriteMonsterGraphics(rom);
  WriteItemsWon(rom);
  WriteAttackDefense(rom);
  WriteSpeeds(rom);
  WriteItemNames(rom);
  WriteItemRecords(rom);
  WriteItemPrices(rom);
  WriteSpellNames(rom);
  WriteSpellRecords(rom);
  WriteCharacterNames(rom);
  WriteShortTexts(rom);
  WriteCharacterRecords(rom);
  WriteStartingEquipment(rom);
  WriteShops(rom);
  WriteTreasures(rom);
  WriteMapProperties(rom);
  WriteCorrectChecksum(rom);
  return rom;
}

void PutBytes(RomBytes& rom, std::size_t offset, std::initializer_list<std::uint8_t> bytes) {
  PutSpan(rom, offset, std::span<const std::uint8_t>(bytes.begin(), bytes.size()));
}

void PutAscii(RomBytes& rom, std::size_t offset, std::string_view text) {
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  PutSpan(rom, offset, bytes);
}

void PutWord(RomBytes& rom, std::size_t offset, std::uint16_t value) {
  PutBytes(rom, offset, {Lo(value), Lo(value >> 8u)});
}

void PutLong(RomBytes& rom, std::size_t offset, std::uint32_t value) {
  PutBytes(rom, offset, {Lo(value), Lo(value >> 8), Lo(value >> 16), Lo(value >> 24)});
}

std::vector<std::uint8_t> EncodeGameText(std::string_view text, std::size_t length) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(text.size());
  for (const char c : text) {
    const auto byte = EncodeCharacter(c);
    if (!byte) {
      throw std::invalid_argument("character '" + std::string(1, c) + "' in \"" +
                                  std::string(text) + "\" has no code in the game's text");
    }
    bytes.push_back(*byte);
  }
  bytes.resize(length, kGameSpace);
  return bytes;
}

void WriteFileBytes(const std::filesystem::path& path, const RomBytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot create " + path.string());
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace torvale::romgen
