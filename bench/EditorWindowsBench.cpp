// Editor windows from construction until their lists are filled, the first
// record is shown and the window is painted, each beside the same window shown
// with empty lists (its .ui alone); and each Apply beside the raw writes of the
// same bytes plus one sync.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "RatioReporter.h"
#include "WindowFixture.h"
#include "WindowTiming.h"
#include "text/NameLists.h"
#include "ui/BattleTablesEditor.h"
#include "ui/CharacterEquipmentEditor.h"
#include "ui/CharacterStatsEditor.h"
#include "ui/DeferredFill.h"
#include "ui/ItemEditor.h"
#include "ui/MagicSpellEditor.h"
#include "ui/MapPropertiesEditor.h"
#include "ui/MonsterEditor.h"
#include "ui/MusicEditor.h"
#include "ui/ShopEditor.h"
#include "ui/TextListEditor.h"
#include "ui/TreasureEditor.h"
#include "ui_BattleTablesEditor.h"
#include "ui_CharacterEquipmentEditor.h"
#include "ui_CharacterStatsEditor.h"
#include "ui_ItemEditor.h"
#include "ui_MagicSpellEditor.h"
#include "ui_MapPropertiesEditor.h"
#include "ui_MonsterEditor.h"
#include "ui_MusicEditor.h"
#include "ui_ShopEditor.h"
#include "ui_TextListEditor.h"
#include "ui_TreasureEditor.h"

namespace {

using torvale::bench::ShowUntilReady;

torvale::testing::EditorFixture& Fixture() {
  static torvale::testing::EditorFixture fixture;
  return fixture;
}

QListWidget& List(const QWidget& window, const char* name) {
  return *window.findChild<QListWidget*>(QString::fromLatin1(name));
}

// When each window shows its first record.
bool Always(const QWidget&) {
  return true;
}
bool FirstItem(const QWidget& w) {
  return List(w, "ItemLST").currentRow() == 0;
}
bool FirstSpell(const QWidget& w) {
  return List(w, "MagicLST").currentRow() == 0;
}
bool FirstCharacter(const QWidget& w) {
  return List(w, "CharLST").currentRow() == 0;
}
bool FirstShop(const QWidget& w) {
  return List(w, "ShopLST").currentRow() == 0;
}
bool FirstMap(const QWidget& w) {
  return List(w, "MapLST").currentRow() == 0;
}
bool FirstChest(const QWidget& w) {
  return List(w, "OffsetLST").currentRow() == 0;
}
bool FirstMonster(const QWidget& w) {
  return List(w, "MonsterLST").currentRow() == 0;
}
bool FirstItemsWon(const QWidget& w) {
  return List(w, "SlotLST").currentRow() == 0;
}
bool FirstEquipment(const QWidget& w) {
  return w.findChild<QComboBox*>(QStringLiteral("HeadCBO"))->isEnabled();
}

// A window until it shows its first record: `firstShown` says when.
template <typename Window>
void Ready(benchmark::State& state, bool (*firstShown)(const QWidget&)) {
  for (auto _ : state) {
    Window window(Fixture().context);
    ShowUntilReady(window, [&] { return firstShown(window); });
  }
}

// The same window's controls with nothing in them.
template <typename Form>
void Empty(benchmark::State& state) {
  for (auto _ : state) {
    QDialog window;
    Form form;
    form.setupUi(&window);
    ShowUntilReady(window);
  }
}

void TextListEditor(benchmark::State& state) {
  Ready<torvale::ui::TextListEditor>(state, Always);
}
void TextListEditor_empty(benchmark::State& state) {
  Empty<Ui::TextListEditor>(state);
}
void ItemEditor(benchmark::State& state) {
  Ready<torvale::ui::ItemEditor>(state, FirstItem);
}
void ItemEditor_empty(benchmark::State& state) {
  Empty<Ui::ItemEditor>(state);
}
void MagicSpellEditor(benchmark::State& state) {
  Ready<torvale::ui::MagicSpellEditor>(state, FirstSpell);
}
void MagicSpellEditor_empty(benchmark::State& state) {
  Empty<Ui::MagicSpellEditor>(state);
}
void CharacterStatsEditor(benchmark::State& state) {
  Ready<torvale::ui::CharacterStatsEditor>(state, FirstCharacter);
}
void CharacterStatsEditor_empty(benchmark::State& state) {
  Empty<Ui::CharacterStatsEditor>(state);
}
void CharacterEquipmentEditor(benchmark::State& state) {
  Ready<torvale::ui::CharacterEquipmentEditor>(state, FirstEquipment);
}
void CharacterEquipmentEditor_empty(benchmark::State& state) {
  Empty<Ui::CharacterEquipmentEditor>(state);
}

void ShopEditor(benchmark::State& state) {
  Ready<torvale::ui::ShopEditor>(state, FirstShop);
}
void ShopEditor_empty(benchmark::State& state) {
  Empty<Ui::ShopEditor>(state);
}
void MapPropertiesEditor(benchmark::State& state) {
  Ready<torvale::ui::MapPropertiesEditor>(state, FirstMap);
}
void MapPropertiesEditor_empty(benchmark::State& state) {
  Empty<Ui::MapPropertiesEditor>(state);
}
void TreasureEditor(benchmark::State& state) {
  Ready<torvale::ui::TreasureEditor>(state, FirstChest);
}
void TreasureEditor_empty(benchmark::State& state) {
  Empty<Ui::TreasureEditor>(state);
}
void MusicEditor(benchmark::State& state) {
  Ready<torvale::ui::MusicEditor>(state, Always);
}
void MusicEditor_empty(benchmark::State& state) {
  Empty<Ui::MusicEditor>(state);
}

void MonsterEditor(benchmark::State& state) {
  Ready<torvale::ui::MonsterEditor>(state, FirstMonster);
}
void MonsterEditor_empty(benchmark::State& state) {
  Empty<Ui::MonsterEditor>(state);
}

void BattleTablesEditor(benchmark::State& state) {
  Ready<torvale::ui::BattleTablesEditor>(state, FirstItemsWon);
}
void BattleTablesEditor_empty(benchmark::State& state) {
  Empty<Ui::BattleTablesEditor>(state);
}

// One list and eight drop-down lists filled with the 256 item names.
class NameListsWindow : public QDialog {
 public:
  explicit NameListsWindow(bool fill) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(&m_list);
    m_lists << &m_list;
    for (QComboBox& combo : m_combos) {
      combo.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
      layout->addWidget(&combo);
      m_lists << &combo;
    }
    layout->addWidget(&m_bar);
    if (!fill) return;
    m_fill = new torvale::ui::DeferredFill(*this, m_bar, m_lists, {&m_list}, [this] {
      const auto& context = Fixture().context;
      m_fill->AppendToLists(torvale::ItemNameList(context.text, context.rom), m_lists);
    });
    connect(m_fill, &torvale::ui::DeferredFill::Filled, this, [this] { m_filled = true; });
  }
  bool Filled() const { return m_filled; }

 private:
  QListWidget m_list;
  QComboBox m_combos[8];
  QProgressBar m_bar;
  QList<QWidget*> m_lists;
  torvale::ui::DeferredFill* m_fill = nullptr;
  bool m_filled = false;
};

void NameListsFill(benchmark::State& state) {
  for (auto _ : state) {
    NameListsWindow window(true);
    ShowUntilReady(window, [&] { return window.Filled(); });
  }
}

void NameListsFill_empty(benchmark::State& state) {
  for (auto _ : state) {
    NameListsWindow window(false);
    ShowUntilReady(window);
  }
}

// Apply on a shown window with its first record shown.
template <typename Window>
void ApplyOnce(benchmark::State& state, bool (*firstShown)(const QWidget&)) {
  Window window(Fixture().context);
  ShowUntilReady(window, [&] { return firstShown(window); });
  auto& apply = *window.template findChild<QPushButton*>(QStringLiteral("ApplyCMD"));
  for (auto _ : state) apply.click();
}

// The bytes an Apply writes, (file offset, length) each, then one sync.
void RawWrites(benchmark::State& state, std::initializer_list<std::pair<off_t, size_t>> fields) {
  const int fd = ::open(Fixture().rom.Path().c_str(), O_RDWR | O_CLOEXEC);
  char bytes[16] = {};
  for (auto _ : state) {
    for (const auto& [offset, length] : fields) {
      ::pread(fd, bytes, length, offset);
      benchmark::DoNotOptimize(::pwrite(fd, bytes, length, offset));
    }
    ::fdatasync(fd);
  }
  ::close(fd);
}

void CharacterStatsApply(benchmark::State& state) {
  ApplyOnce<torvale::ui::CharacterStatsEditor>(state, FirstCharacter);
}
void CharacterStatsApply_floor(benchmark::State& state) {
  RawWrites(state, {{0x7AB02, 1},
                    {0x7AB07, 2},
                    {0x7AB09, 2},
                    {0x7AB0B, 2},
                    {0x7AB0D, 2},
                    {0x7AB0F, 1},
                    {0x7AB10, 1},
                    {0x7AB11, 1},
                    {0x7AB12, 1},
                    {0x7AB13, 1},
                    {0x7A910, 6},
                    {0x7AB00, 1},
                    {0x7AB01, 1}});
}
void CharacterEquipmentApply(benchmark::State& state) {
  ApplyOnce<torvale::ui::CharacterEquipmentEditor>(state, FirstEquipment);
}
void CharacterEquipmentApply_floor(benchmark::State& state) {
  RawWrites(state, {{0x7AD00, 1},
                    {0x7AD01, 1},
                    {0x7AD02, 1},
                    {0x7AD03, 1},
                    {0x7AD04, 1},
                    {0x7AD05, 1},
                    {0x7AD06, 1}});
}
void ShopApply(benchmark::State& state) {
  ApplyOnce<torvale::ui::ShopEditor>(state, FirstShop);
}
void ShopApply_floor(benchmark::State& state) {
  RawWrites(state, {{0x9A500, 1},
                    {0x9A501, 1},
                    {0x9A502, 1},
                    {0x9A503, 1},
                    {0x9A504, 1},
                    {0x9A505, 1},
                    {0x9A506, 1},
                    {0x9A507, 1}});
}
void MapApply(benchmark::State& state) {
  ApplyOnce<torvale::ui::MapPropertiesEditor>(state, FirstMap);
}
void MapApply_floor(benchmark::State& state) {
  RawWrites(state, {{0xA9E80, 1},
                    {0xA9E81, 1},
                    {0xA9E83, 1},
                    {0xA9E84, 1},
                    {0xA9E86, 1},
                    {0xA9E87, 1},
                    {0xA9E88, 1},
                    {0xA9E89, 1},
                    {0xA9E8A, 1},
                    {0xA9E8B, 1},
                    {0xA9E8C, 1}});
}
void TreasureApply(benchmark::State& state) {
  ApplyOnce<torvale::ui::TreasureEditor>(state, FirstChest);
}
void TreasureApply_floor(benchmark::State& state) {
  RawWrites(state, {{0xA8503, 1}, {0xA8504, 1}});
}

void MonsterApply(benchmark::State& state) {
  ApplyOnce<torvale::ui::MonsterEditor>(state, FirstMonster);
}
void MonsterApply_floor(benchmark::State& state) {
  RawWrites(state, {{0x71A00, 8},
                    {0x71A00, 8},
                    {0x72200, 2},
                    {0x723C0, 2},
                    {0x7CC00, 1},
                    {0x7CC01, 1},
                    {0x7CC02, 2}});
}

void ItemsWonApply(benchmark::State& state) {
  ApplyOnce<torvale::ui::BattleTablesEditor>(state, FirstItemsWon);
}
void ItemsWonApply_floor(benchmark::State& state) {
  RawWrites(state, {{0x72100, 1}, {0x72101, 1}, {0x72102, 1}, {0x72103, 1}});
}

void ItemApply(benchmark::State& state) {
  ApplyOnce<torvale::ui::ItemEditor>(state, FirstItem);
}
void ItemApply_floor(benchmark::State& state) {
  RawWrites(state, {{0x78200, 1},
                    {0x7A650, 1},
                    {0x79300, 1},
                    {0x79301, 1},
                    {0x79302, 1},
                    {0x79306, 1},
                    {0x79307, 1},
                    {0x78201, 8}});
}
void MagicApply(benchmark::State& state) {
  ApplyOnce<torvale::ui::MagicSpellEditor>(state, FirstSpell);
}
void MagicApply_floor(benchmark::State& state) {
  RawWrites(state, {{0x799A1, 1}, {0x799A3, 1}, {0x78B01, 5}, {0x799A5, 1}});
}

constexpr auto kMs = benchmark::kMillisecond;
BENCHMARK(NameListsFill)->Unit(kMs);
BENCHMARK(NameListsFill_empty)->Unit(kMs);
BENCHMARK(TextListEditor)->Unit(kMs);
BENCHMARK(TextListEditor_empty)->Unit(kMs);
BENCHMARK(ItemEditor)->Unit(kMs);
BENCHMARK(ItemEditor_empty)->Unit(kMs);
BENCHMARK(MagicSpellEditor)->Unit(kMs);
BENCHMARK(MagicSpellEditor_empty)->Unit(kMs);
BENCHMARK(CharacterStatsEditor)->Unit(kMs);
BENCHMARK(CharacterStatsEditor_empty)->Unit(kMs);
BENCHMARK(CharacterEquipmentEditor)->Unit(kMs);
BENCHMARK(CharacterEquipmentEditor_empty)->Unit(kMs);
BENCHMARK(ShopEditor)->Unit(kMs);
BENCHMARK(ShopEditor_empty)->Unit(kMs);
BENCHMARK(MapPropertiesEditor)->Unit(kMs);
BENCHMARK(MapPropertiesEditor_empty)->Unit(kMs);
BENCHMARK(TreasureEditor)->Unit(kMs);
BENCHMARK(TreasureEditor_empty)->Unit(kMs);
BENCHMARK(MusicEditor)->Unit(kMs);
BENCHMARK(MusicEditor_empty)->Unit(kMs);
BENCHMARK(MonsterEditor)->Unit(kMs);
BENCHMARK(MonsterEditor_empty)->Unit(kMs);
BENCHMARK(MonsterApply);
BENCHMARK(MonsterApply_floor);
BENCHMARK(BattleTablesEditor)->Unit(kMs);
BENCHMARK(BattleTablesEditor_empty)->Unit(kMs);
BENCHMARK(ItemsWonApply);
BENCHMARK(ItemsWonApply_floor);
BENCHMARK(ShopApply);
BENCHMARK(ShopApply_floor);
BENCHMARK(MapApply);
BENCHMARK(MapApply_floor);
BENCHMARK(TreasureApply);
BENCHMARK(TreasureApply_floor);
BENCHMARK(CharacterStatsApply);
BENCHMARK(CharacterStatsApply_floor);
BENCHMARK(CharacterEquipmentApply);
BENCHMARK(CharacterEquipmentApply_floor);
BENCHMARK(ItemApply);
BENCHMARK(ItemApply_floor);
BENCHMARK(MagicApply);
BENCHMARK(MagicApply_floor);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  constexpr double kFrameMs = 16;
  return torvale::bench::RunBenchmarks(
      argc, argv,
      {{"NameListsFill", "NameListsFill_empty", 4.0, {}, kFrameMs},
       {"TextListEditor", "TextListEditor_empty", 4.0, {}, kFrameMs},
       {"ItemEditor", "ItemEditor_empty", 4.0, {}, kFrameMs},
       {"MagicSpellEditor", "MagicSpellEditor_empty", 4.0, {}, kFrameMs},
       {"CharacterStatsEditor", "CharacterStatsEditor_empty", 4.0, {}, kFrameMs},
       {"CharacterEquipmentEditor", "CharacterEquipmentEditor_empty", 4.0, {}, kFrameMs},
       {"ShopEditor", "ShopEditor_empty", 4.0, {}, kFrameMs},
       {"MapPropertiesEditor", "MapPropertiesEditor_empty", 4.0, {}, kFrameMs},
       {"TreasureEditor", "TreasureEditor_empty", 4.0, {}, kFrameMs},
       {"MusicEditor", "MusicEditor_empty", 4.0, {}, kFrameMs},
       {"MonsterEditor", "MonsterEditor_empty", 4.0, {}, kFrameMs},
       {"BattleTablesEditor", "BattleTablesEditor_empty", 4.0, {}, kFrameMs},
       {"ItemApply", "ItemApply_floor", 2.0},
       {"MagicApply", "MagicApply_floor", 2.0},
       {"CharacterStatsApply", "CharacterStatsApply_floor", 2.0},
       {"CharacterEquipmentApply", "CharacterEquipmentApply_floor", 2.0},
       {"ShopApply", "ShopApply_floor", 2.0},
       {"MapApply", "MapApply_floor", 2.0},
       {"TreasureApply", "TreasureApply_floor", 2.0},
       {"MonsterApply", "MonsterApply_floor", 2.0},
       {"ItemsWonApply", "ItemsWonApply_floor", 2.0}});
}
