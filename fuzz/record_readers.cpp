// The record readers over arbitrary ROM bytes.
//
// The input gives the file's length (three bytes, up to the sample image's)
// and a record family; the sample image fills the file and the rest of the
// input is laid over the family's table. Every record of the family is then
// read and its values decoded as the editor windows decode them. On a file
// long enough for the editors every read must succeed; on a shorter one a
// read may only be refused with RomRangeError.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzInput.h"
#include "Require.h"
#include "ScratchRom.h"
#include "data/amounts.h"
#include "data/battle_tables.h"
#include "data/items.h"
#include "data/magic.h"
#include "data/maps.h"
#include "data/monsters.h"
#include "data/party.h"
#include "data/shops.h"
#include "data/text_list.h"
#include "data/treasure.h"
#include "rom/RomError.h"
#include "rom/RomIdentity.h"
#include "text/NameLists.h"

namespace torvale::fuzz {
namespace {

// How far past the end of the file a text field may start.
constexpr std::uint64_t kPastTheEnd = 256;

struct Family {
  FileOffset table;  // where the input is laid
  int recordCount;
  void (*read)(const TextCodec& codec, const RomFile& rom, int record);
};

// The windows show a caption for every value they read.
void RequireCaption(std::string_view caption) {
  Require(!caption.empty(), "every value read has a caption");
}

void ReadItemRecord(const TextCodec& codec, const RomFile& rom, int item) {
  const Item values = ReadItem(codec, rom, item);
  RequireCaption(StatBonusText(values.statBonus));
  RequireCaption(EquipClassText(values.equipClass));
  RequireCaption(IconEntries()[values.icon]);
  Require(DecodeAmount(values.priceByte) <= kMaximumAmount, "a price byte decodes within range");
}

void ReadSpellRecord(const TextCodec& codec, const RomFile& rom, int spell) {
  RequireCaption(SpellEffectText(ReadSpell(codec, rom, spell).effect));
}

void ReadCharacterRecord(const TextCodec& codec, const RomFile& rom, int slot) {
  const std::uint8_t byte0 = ReadCharacter(codec, rom, slot).byte0;
  const HandedIndex hand = DecodeHand(byte0);
  Require(EncodeHand(hand.hand, hand.nameIndex) == byte0,
          "a character's hand byte encodes back to itself");
}

void ReadEquipmentRecord(const TextCodec&, const RomFile& rom, int slot) {
  ReadEquipment(rom, slot);
}

void ReadShopRecord(const TextCodec&, const RomFile& rom, int shop) {
  ReadShop(rom, shop);
}

void ReadMapRecord(const TextCodec&, const RomFile& rom, int map) {
  RequireCaption(MapMusicText(ReadMapProperties(rom, map)[kMapMusicField]));
}

void ReadChestRecord(const TextCodec&, const RomFile& rom, int chest) {
  const Chest contents = DecodeChest(ReadChest(rom, chest));
  Require(contents.kind != ChestKind::kGuardedItem ||
              (contents.formation >= kLowestGuardFormation && contents.formation < kFormationCount),
          "a guarded chest names a guarding formation");
}

void ReadMonsterRecord(const TextCodec& codec, const RomFile& rom, int monster) {
  ReadMonster(codec, rom, monster);
}

void ReadItemsWonRecord(const TextCodec&, const RomFile& rom, int slot) {
  RequireCaption(EntryText(ReadItemsWon(rom, slot)));
}

void ReadAttackDefenseRecord(const TextCodec&, const RomFile& rom, int entry) {
  RequireCaption(EntryText(ReadAttackDefense(rom, entry)));
}

void ReadSpeedRecord(const TextCodec&, const RomFile& rom, int entry) {
  RequireCaption(EntryText(ReadSpeed(rom, entry)));
}

void ReadTextRecord(const TextCodec& codec, const RomFile& rom, int entry) {
  ReadTextEntry(codec, rom, entry);
}

void ReadAsura(const TextCodec&, const RomFile& rom, int) {
  CheckAsura(rom);
}

void ReadNameLists(const TextCodec& codec, const RomFile& rom, int) {
  Require(ItemNameList(codec, rom).size() == kItemCount &&
              ItemNameList(codec, rom, ItemListEnd::kEmptyLast).back() == kEmptyEntry &&
              ItemNameList(codec, rom, ItemListEnd::kNothingAfter).size() == kItemCount + 1 &&
              SpellNameList(codec, rom).size() == kSpellCount,
          "the name lists hold one entry per name, and their ends");
}

const std::array kFamilies = {
    Family{kItemRecordTable, kItemCount, ReadItemRecord},
    Family{kSpellRecordTable, kSpellCount, ReadSpellRecord},
    Family{kCharacterRecordTable, kCharacterSlotCount, ReadCharacterRecord},
    Family{kEquipmentTable, kEquipmentSlotCount, ReadEquipmentRecord},
    Family{kShopTable, kShopCount, ReadShopRecord},
    Family{kMapPropertyTable, kMapCount, ReadMapRecord},
    Family{ChestOffsets().front(), kChestCount, ReadChestRecord},
    Family{kMonsterNameTable, kMonsterCount, ReadMonsterRecord},
    Family{kItemsWonTable, kItemsWonCount, ReadItemsWonRecord},
    Family{kAttackDefenseTable, kAttackDefenseCount, ReadAttackDefenseRecord},
    Family{kSpeedTable, kSpeedCount, ReadSpeedRecord},
    Family{kTextEntryTable, kTextEntryCount, ReadTextRecord},
    Family{kAsuraOffset, 1, ReadAsura},
    Family{kItemNameTable, 1, ReadNameLists},
};

void ReadEveryRecord(const Family& family, const TextCodec& codec, const RomFile& rom) {
  const bool longEnough = rom.Size() >= kMinimumRomSize;
  for (int record = 0; record < family.recordCount; ++record) {
    try {
      family.read(codec, rom, record);
    } catch (const RomRangeError&) {
      Require(!longEnough, "every record of a file long enough for the editors can be read");
    }
  }
}

// One text field anywhere in or just past the file: read exactly when it lies
// inside. Fields up to 255 bytes take both of the codec's buffers.
void ReadAnyText(FuzzInput& input, const TextCodec& codec, const RomFile& rom) {
  const auto offset = static_cast<FileOffset>(input.Number(3) % (rom.Size() + kPastTheEnd));
  const std::uint16_t length = input.Byte();
  bool read = true;
  try {
    codec.ReadText(rom, offset, length);
  } catch (const RomRangeError&) {
    read = false;
  }
  Require(read == (std::uint64_t{offset} + length <= rom.Size()),
          "a text field is read exactly when it lies inside the file");
}

}  // namespace
}  // namespace torvale::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace torvale::fuzz;
  FuzzInput input(data, size);
  Bytes file = SampleImage();
  file.resize(input.Number(3) % (SampleImage().size() + 1));
  const int choice = input.Below(static_cast<int>(kFamilies.size()) + 1);
  ScratchRom& scratch = SharedScratchRom();
  if (choice == static_cast<int>(kFamilies.size())) {
    scratch.Load(file);
    ReadAnyText(input, scratch.Codec(), scratch.Rom());
    return 0;
  }
  const Family& family = kFamilies[static_cast<std::size_t>(choice)];
  const auto overlay = input.Rest();
  for (std::size_t i = 0; i < overlay.size() && family.table + i < file.size(); ++i) {
    file[family.table + i] = overlay[i];
  }
  scratch.Load(file);
  ReadEveryRecord(family, scratch.Codec(), scratch.Rom());
  return 0;
}
