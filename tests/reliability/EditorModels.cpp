#include "EditorModels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QtTest>

#include "WindowFixture.h"
#include "data/amounts.h"
#include "data/treasure.h"
#include "ui/BattleTablesEditor.h"
#include "ui/CharacterEquipmentEditor.h"
#include "ui/CharacterStatsEditor.h"
#include "ui/ItemEditor.h"
#include "ui/ListControls.h"
#include "ui/MagicSpellEditor.h"
#include "ui/MapPropertiesEditor.h"
#include "ui/MonsterEditor.h"
#include "ui/MusicEditor.h"
#include "ui/ShopEditor.h"
#include "ui/TextListEditor.h"
#include "ui/TreasureEditor.h"

namespace torvale::testing {
namespace {

using Offset = std::function<std::size_t(int record)>;
using Put = std::function<void(Bytes&, int, int)>;
using Shown = std::function<int(const Bytes&, int)>;

// Byte `field` of record `record` in a table of `length`-byte records at `table`.
Offset InTable(std::size_t table, std::size_t length, std::size_t field = 0) {
  return [=](int record) { return table + length * static_cast<std::size_t>(record) + field; };
}

Put Byte(Offset at) {
  return [at](Bytes& model, int record, int value) {
    model[at(record)] = static_cast<std::uint8_t>(value);
  };
}
Shown ByteShown(Offset at) {
  return [at](const Bytes& model, int record) { return model[at(record)]; };
}
Put Word(Offset at) {
  return [at](Bytes& model, int record, int value) {
    model[at(record)] = static_cast<std::uint8_t>(value & 0xFF);
    model[at(record) + 1] = static_cast<std::uint8_t>(value >> 8);
  };
}
Shown WordShown(Offset at) {
  return [at](const Bytes& model, int record) {
    return model[at(record)] | model[at(record) + 1] << 8;
  };
}
Put Name(Offset at, int length) {
  return [at, length](Bytes& model, int record, int value) {
    const std::string text = NameFor(value, length).toStdString();
    const Bytes bytes = romgen::EncodeGameText(text, static_cast<std::size_t>(length));
    std::copy(bytes.begin(), bytes.end(), model.begin() + static_cast<long>(at(record)));
  };
}
// A field the window shows but never writes.
const Put kWritesNothing = [](Bytes&, int, int) {};

FieldModel ByteField(const char* control, FieldKind kind, int max, Offset at) {
  return {control, kind, 0, max, Byte(at), ByteShown(at)};
}
FieldModel WordField(const char* control, Offset at) {
  return {control, FieldKind::kNumber, 0, 0xFFFF, Word(at), WordShown(at)};
}
FieldModel NameField(const char* control, int length, Offset at) {
  return {control, FieldKind::kName, 0, length, Name(at, length)};
}
FieldModel ShownOnly(const char* control, FieldKind kind, int max) {
  return {control, kind, 0, max, kWritesNothing};
}

template <typename Editor>
std::unique_ptr<QDialog> Open(const ui::EditorContext& context) {
  return std::make_unique<Editor>(context);
}

template <typename T>
T& In(QDialog& window, const char* name) {
  return *Control<T>(window, name);
}

void Click(QAbstractButton& button) {
  QTest::mouseClick(&button, Qt::LeftButton);
}

// Gives a check box the wanted state by clicking it when it differs.
void CheckTo(QAbstractButton& box, bool checked) {
  if (box.isChecked() != checked) Click(box);
}

EditorModel ItemModel() {
  constexpr std::size_t kNames = 0x78200, kNameRecord = 9, kRecords = 0x79300, kPrices = 0x7A650;
  const Offset price = InTable(kPrices, 1);
  return {
      "item",
      Open<ui::ItemEditor>,
      {{"ItemLST", 0, 176}},
      {NameField("NameTXT", 8, InTable(kNames, kNameRecord, 1)),
       ByteField("ItemIconCBO", FieldKind::kChoice, 255, InTable(kNames, kNameRecord)),
       ByteField("Byte00TXT", FieldKind::kNumber, 255, InTable(kRecords, 8, 0)),
       ByteField("AtkDefTXT", FieldKind::kNumber, 255, InTable(kRecords, 8, 1)),
       ByteField("AtkDefPercentTXT", FieldKind::kNumber, 255, InTable(kRecords, 8, 2)),
       ByteField("EquipLST", FieldKind::kChoice, 115, InTable(kRecords, 8, 6)),
       ByteField("StatCBO", FieldKind::kChoice, 255, InTable(kRecords, 8, 7)),
       // The price shows the amount its byte stands for, and is written re-encoded.
       {"PriceTXT", FieldKind::kNumber, 0, kMaximumAmount,
        [price](Bytes& model, int record, int amount) {
          model[price(record)] = EncodeAmount(amount);
        },
        [price](const Bytes& model, int record) { return DecodeAmount(model[price(record)]); }}}};
}

EditorModel SpellModel() {
  constexpr std::size_t kRecords = 0x799A0;
  const Offset mpByte = InTable(kRecords, 6, 5);
  return {"magic",
          Open<ui::MagicSpellEditor>,
          {{"MagicLST", 0, 72}},
          {NameField("NameTXT", 5, InTable(0x78B00, 6, 1)),
           ByteField("PowerTXT", FieldKind::kNumber, 255, InTable(kRecords, 6, 1)),
           ByteField("SpellEffectCBO", FieldKind::kChoice, 255, InTable(kRecords, 6, 3)),
           {"MPCostTXT", FieldKind::kNumber, 0, 127,
            [mpByte](Bytes& model, int record, int cost) {
              auto& byte = model[mpByte(record)];
              byte = static_cast<std::uint8_t>((byte & 0x80) | cost);
            }},
           {"IgnoreWallCHK", FieldKind::kCheck, 0, 1,
            [mpByte](Bytes& model, int record, int wall) {
              auto& byte = model[mpByte(record)];
              byte = static_cast<std::uint8_t>((byte & 0x7F) | (wall << 7));
            }},
           ShownOnly("CastingTimeTXT", FieldKind::kNumber, 127),
           ShownOnly("AilmentDurationCHK", FieldKind::kCheck, 1)}};
}

EditorModel CharacterModel() {
  constexpr std::size_t kRecords = 0x7AB00;
  const Offset name = [](int slot) {
    const int entry = slot < 9 ? slot : slot == 9 ? 0 : slot - 1;
    return 0x7A910 + 6 * static_cast<std::size_t>(entry);
  };
  const Offset hpFirst = InTable(kRecords, 32, 7), hpShown = InTable(kRecords, 32, 9);
  const Offset mpShown = InTable(kRecords, 32, 0xB), mpSecond = InTable(kRecords, 32, 0xD);
  // The HP and MP boxes stand for a pair of words each; an Apply writes both.
  const auto pair = [](Offset first, Offset second) {
    return [=](Bytes& model, int record, int value) {
      Word(first)(model, record, value);
      Word(second)(model, record, value);
    };
  };
  // Hand and name index make up byte 0: 0x40 + index for the left hand,
  // 0x80 + index for the right, 0xC0 + index for both.
  const auto setHandByte = [](QDialog& window, int byte0) {
    const int hand = byte0 < 0x80 ? 0 : byte0 < 0xC0 ? 1 : 2;
    ClickRow(In<QListWidget>(window, "HandLST"), hand);
    ReplaceText(In<QLineEdit>(window, "NameIndexTXT"), QString::number(byte0 - 0x40 * (hand + 1)));
  };
  std::vector<FieldModel> fields = {
      NameField("NameTXT", 6, name),
      {"HandLST", FieldKind::kCustom, 0, 255, Byte(InTable(kRecords, 32, 0)),
       ByteShown(InTable(kRecords, 32, 0)), 0, setHandByte},
      ByteField("SpecialBitTXT", FieldKind::kNumber, 255, InTable(kRecords, 32, 1)),
      ByteField("LevelTXT", FieldKind::kNumber, 255, InTable(kRecords, 32, 2)),
      {"HPTXT", FieldKind::kNumber, 0, 0xFFFF, pair(hpFirst, hpShown), WordShown(hpShown)},
      {"MPTXT", FieldKind::kNumber, 0, 0xFFFF, pair(mpShown, mpSecond), WordShown(mpShown)},
      ShownOnly("EXPTXT", FieldKind::kNumber, 9999999)};
  const char* const stats[] = {"STRTXT", "AGITXT", "VITTXT", "WISTXT", "WillTXT"};
  for (std::size_t stat = 0; stat < 5; ++stat) {
    fields.push_back(
        ByteField(stats[stat], FieldKind::kNumber, 255, InTable(kRecords, 32, 0xF + stat)));
  }
  return {"character stats", Open<ui::CharacterStatsEditor>, {{"CharLST", 0, 15}}, fields};
}

EditorModel EquipmentModel() {
  const char* const fields[] = {"HeadCBO",  "BodyCBO", "ArmsCBO", "RHCBO",
                                "RHAMTTXT", "LHCBO",   "LHAMTTXT"};
  EditorModel model{
      "character equipment", Open<ui::CharacterEquipmentEditor>, {{"CharLST", 0, 22}}, {}};
  for (std::size_t field = 0; field < 7; ++field) {
    const FieldKind kind = field == 4 || field == 6 ? FieldKind::kNumber : FieldKind::kChoice;
    model.fields.push_back(ByteField(fields[field], kind, 255, InTable(0x7AD00, 7, field)));
  }
  return model;
}

EditorModel ShopModel() {
  EditorModel model{"shop", Open<ui::ShopEditor>, {{"ShopLST", 0, 64}}, {}};
  static const char* const slotNames[] = {"Slot1CBO", "Slot2CBO", "Slot3CBO", "Slot4CBO",
                                          "Slot5CBO", "Slot6CBO", "Slot7CBO", "Slot8CBO"};
  for (std::size_t slot = 0; slot < 8; ++slot) {
    model.fields.push_back(
        ByteField(slotNames[slot], FieldKind::kChoice, 255, InTable(0x9A500, 8, slot)));
  }
  return model;
}

EditorModel MapModel() {
  struct Field {
    const char* control;
    FieldKind kind;
  };
  static const Field fields[] = {
      {"UnknownByte1TXT", FieldKind::kNumber}, {"UnknownByte2TXT", FieldKind::kNumber},
      {"MapNameIndexTXT", FieldKind::kNumber}, {"TreasureCBO", FieldKind::kChoice},
      {"UnknownByte3TXT", FieldKind::kNumber}, {"MapIndexTXT", FieldKind::kNumber},
      {"MapLayoutCBO", FieldKind::kChoice},    {"MapTilesetCBO", FieldKind::kChoice},
      {"BGGFXCBO", FieldKind::kChoice},        {"MapPaletteCBO", FieldKind::kChoice},
      {"NPCPaletteCBO", FieldKind::kChoice},   {"MusicCBO", FieldKind::kChoice},
      {"LayoutCBO", FieldKind::kChoice}};
  EditorModel model{"map properties", Open<ui::MapPropertiesEditor>, {{"MapLST", 0, 381}}, {}};
  for (std::size_t field = 0; field < 13; ++field) {
    // The map name index and the map index are shown, never written.
    model.fields.push_back(field == 2 || field == 5
                               ? ShownOnly(fields[field].control, fields[field].kind, 255)
                               : ByteField(fields[field].control, fields[field].kind, 255,
                                           InTable(0xA9E80, 13, field)));
  }
  return model;
}

EditorModel MusicModel() {
  return {"music",
          Open<ui::MusicEditor>,
          {{"AreaLST", 0, 381}},
          {{"SongLST", FieldKind::kChoice, 0, 55, Byte(InTable(0xA9E80, 13, 11))}}};
}

EditorModel TreasureModel() {
  // Each chest is a type byte and a value byte: 00 and the GP byte, 80 and an
  // item, or 80 + formation and an item for a guarded chest.
  const auto chest = [](Bytes& model, int record, int type, int value) {
    const std::size_t at = ChestOffsets()[static_cast<std::size_t>(record)];
    model[at] = static_cast<std::uint8_t>(type);
    model[at + 1] = static_cast<std::uint8_t>(value);
  };
  const auto setGp = [](QDialog& window, int gp) {
    Click(In<QRadioButton>(window, "GPOPT"));
    ReplaceText(In<QLineEdit>(window, "GPTXT"), QString::number(gp));
  };
  const auto setItem = [](QDialog& window, int guardedItem) {
    Click(In<QRadioButton>(window, "ItemOPT"));
    const int formation = guardedItem >> 8;
    CheckTo(In<QCheckBox>(window, "FormationCHK"), formation != 0);
    if (formation != 0) ClickRow(In<QListWidget>(window, "FormationLST"), formation);
    ClickRow(In<QListWidget>(window, "ItemLST"), guardedItem & 0xFF);
  };
  return {
      "treasure",
      Open<ui::TreasureEditor>,
      {{"OffsetLST", 0, kChestCount}},
      {{"GPOPT",
        FieldKind::kCustom,
        0,
        kMaximumAmount,
        [chest](Bytes& model, int record, int gp) { chest(model, record, 0, EncodeAmount(gp)); },
        {},
        0,
        setGp},
       {"ItemOPT",
        FieldKind::kCustom,
        0,
        255,
        [chest](Bytes& model, int record, int item) { chest(model, record, 0x80, item); },
        {},
        0,
        setItem},
       {"FormationCHK",
        FieldKind::kCustom,
        kLowestGuardFormation << 8,
        0x7FFF,
        [chest](Bytes& model, int record, int guardedItem) {
          chest(model, record, 0x80 + (guardedItem >> 8), guardedItem & 0xFF);
        },
        {},
        0,
        setItem}}};
}

EditorModel MonsterModel() {
  const Offset graphic = InTable(0x7CC00, 4);
  return {"monster",
          Open<ui::MonsterEditor>,
          {{"MonsterLST", 0, 224}},
          {NameField("NameTXT", 8, InTable(0x71A00, 8)), WordField("GPTXT", InTable(0x72200, 2)),
           WordField("EXPTXT", InTable(0x723C0, 2)),
           ByteField("SizeTXT", FieldKind::kNumber, 255, graphic),
           ByteField("PaletteCBO", FieldKind::kChoice, 255, InTable(0x7CC00, 4, 1)),
           WordField("GFXPointerTXT", InTable(0x7CC00, 4, 2))}};
}

EditorModel TextListModel() {
  return {"text list",
          Open<ui::TextListEditor>,
          {{"TextLST", 0, 33}},
          {NameField("NameTXT", 5, InTable(0x7A9C6, 5))}};
}

EditorModel ItemsWonModel() {
  EditorModel model{"items won", Open<ui::BattleTablesEditor>, {{"SlotLST", 0, 64}}, {}};
  static const char* const slotNames[] = {"Slot1CBO", "Slot2CBO", "Slot3CBO", "Slot4CBO"};
  for (std::size_t slot = 0; slot < 4; ++slot) {
    model.fields.push_back(
        ByteField(slotNames[slot], FieldKind::kChoice, 255, InTable(0x72100, 4, slot)));
  }
  return model;
}

EditorModel MonsterTablesModel() {
  EditorModel model{"monster tables",
                    Open<ui::BattleTablesEditor>,
                    {{"ATKDEFCBO", 0, 224}, {"AGISPDCBO", 0, 64}},
                    {},
                    [](QDialog& window) {
                      auto& tabs = In<QTabBar>(window, "tabs");
                      for (int tab = 0; tab < tabs.count(); ++tab) {
                        if (tabs.tabData(tab).toString() != QLatin1String("monster")) continue;
                        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(tab).center());
                      }
                    }};
  const char* const attack[] = {"AtkxTXT", "AtkPercentTXT", "AtkBaseTXT"};
  for (std::size_t field = 0; field < 3; ++field) {
    model.fields.push_back(
        ByteField(attack[field], FieldKind::kNumber, 255, InTable(0x72580, 3, field)));
  }
  const char* const speed[] = {"AGILowTXT", "AGIHighTXT"};
  for (std::size_t field = 0; field < 2; ++field) {
    FieldModel byte = ByteField(speed[field], FieldKind::kNumber, 255, InTable(0x72820, 2, field));
    byte.picker = 1;
    model.fields.push_back(byte);
  }
  return model;
}

// The entries of a list or combo box.
int Entries(QDialog& window, const char* name) {
  if (auto* list = window.findChild<QListWidget*>(QString::fromLatin1(name))) return list->count();
  return In<QComboBox>(window, name).count();
}

}  // namespace

const std::vector<EditorModel>& EditorModels() {
  static const std::vector<EditorModel> models = {
      ItemModel(),    SpellModel(),    CharacterModel(), EquipmentModel(),
      ShopModel(),    MapModel(),      MusicModel(),     TreasureModel(),
      MonsterModel(), TextListModel(), ItemsWonModel(),  MonsterTablesModel()};
  return models;
}

const EditorModel& EditorModelNamed(const QString& name) {
  for (const EditorModel& model : EditorModels()) {
    if (name == QLatin1String(model.name)) return model;
  }
  qFatal("no editor model named %s", qPrintable(name));
}

void AddEditorRows() {
  QTest::addColumn<QString>("name");
  for (const EditorModel& model : EditorModels()) {
    QTest::newRow(model.name) << QString::fromLatin1(model.name);
  }
}

bool WaitUntilReady(QDialog& window, const EditorModel& model) {
  window.show();
  const auto ready = [&] {
    for (const RecordPicker& picker : model.pickers) {
      auto* control = Control<QWidget>(window, picker.control);
      if (!control->isEnabled() || Entries(window, picker.control) < picker.first + picker.count) {
        return false;
      }
    }
    for (const FieldModel& field : model.fields) {
      if (auto* list = window.findChild<QComboBox*>(QString::fromLatin1(field.control))) {
        if (list->count() <= field.max) return false;
      }
    }
    return true;
  };
  if (!QTest::qWaitFor(ready, 10000)) return false;
  if (model.turnToPage) model.turnToPage(window);
  return true;
}

void PickRecord(QDialog& window, const RecordPicker& picker, int record) {
  if (auto* list = window.findChild<QListWidget*>(QString::fromLatin1(picker.control))) {
    ClickRow(*list, record);
  } else {
    In<QComboBox>(window, picker.control).setCurrentIndex(record);
  }
}

bool CanEdit(QDialog& window, const FieldModel& field) {
  auto& control = In<QWidget>(window, field.control);
  const auto* box = qobject_cast<QLineEdit*>(&control);
  return control.isEnabled() && (box == nullptr || !box->isReadOnly());
}

void SetField(QDialog& window, const FieldModel& field, int value) {
  switch (field.kind) {
    case FieldKind::kNumber:
      ReplaceText(In<QLineEdit>(window, field.control), QString::number(value));
      return;
    case FieldKind::kName:
      ReplaceText(In<QLineEdit>(window, field.control), NameFor(value, field.max));
      return;
    case FieldKind::kChoice:
      if (auto* list = window.findChild<QListWidget*>(QString::fromLatin1(field.control))) {
        ClickRow(*list, value);
      } else {
        In<QComboBox>(window, field.control).setCurrentIndex(value);
      }
      return;
    case FieldKind::kCheck:
      CheckTo(In<QAbstractButton>(window, field.control), value != 0);
      return;
    case FieldKind::kCustom:
      field.set(window, value);
      return;
  }
}

void PickFirstRecords(QDialog& window, const EditorModel& model) {
  for (const RecordPicker& picker : model.pickers) PickRecord(window, picker, picker.first);
}

void SetEveryField(QDialog& window, const EditorModel& model, bool highest) {
  for (const FieldModel& field : model.fields) {
    if (CanEdit(window, field)) SetField(window, field, highest ? field.max : field.min);
  }
}

void ClickApply(QDialog& window) {
  Click(In<QPushButton>(window, "ApplyCMD"));
}

QString NameFor(int value, int length) {
  static const QString kLetters =
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
  QString name;
  auto state = static_cast<std::uint32_t>(value);
  const int size = 1 + value % length;
  for (int character = 0; character < size; ++character) {
    state = state * 1103515245u + 12345u;
    name += kLetters[static_cast<qsizetype>((state >> 16) % kLetters.size())];
  }
  return name;
}

}  // namespace torvale::testing
