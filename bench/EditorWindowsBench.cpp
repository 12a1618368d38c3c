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
#include "ui/CharacterEquipmentEditor.h"
#include "ui/CharacterStatsEditor.h"
#include "ui/DeferredFill.h"
#include "ui/ItemEditor.h"
#include "ui/MagicSpellEditor.h"
#include "ui/TextListEditor.h"
#include "ui_CharacterEquipmentEditor.h"
#include "ui_CharacterStatsEditor.h"
#include "ui_ItemEditor.h"
#include "ui_MagicSpellEditor.h"
#include "ui_TextListEditor.h"

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
       {"ItemApply", "ItemApply_floor", 2.0},
       {"MagicApply", "MagicApply_floor", 2.0},
       {"CharacterStatsApply", "CharacterStatsApply_floor", 2.0},
       {"CharacterEquipmentApply", "CharacterEquipmentApply_floor", 2.0}});
}
