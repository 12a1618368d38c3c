// Every editor window of the registry from construction until its lists are
// filled, its first record shown and the window painted, beside its form
// alone; and every editor's Apply beside the raw positioned reads, writes and
// sync that the same Apply makes, and its undo and redo beside two Applies.
// The deferred fill of 256 names into nine lists is measured beside the same
// lists shown empty. The changes window, against a clean ROM, is measured
// from reading both ROMs until it is painted, beside the reads alone.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QProgressBar>
#include <QSet>
#include <QVBoxLayout>
#include <QtTest>
#include <algorithm>
#include <cctype>
#include <random>

#include "EditorDriver.h"
#include "FaultyRomIo.h"
#include "RatioReporter.h"
#include "WindowFixture.h"
#include "WindowTiming.h"
#include "data/Lists.h"
#include "patch/CleanRom.h"
#include "rom/RomImage.h"
#include "ui/ChangesWindow.h"
#include "ui/DeferredFill.h"
#include "ui/EditorRegistry.h"

namespace {

using torvale::bench::ShowUntilReady;
using torvale::testing::EditorFixture;
using torvale::testing::EditorModel;
using torvale::testing::FaultyRomIo;

EditorFixture& Fixture() {
  static EditorFixture fixture;
  return fixture;
}

// Ready once its deferred fill, if it has one, has shown the first record.
void Ready(benchmark::State& state, const torvale::ui::EditorEntry& editor) {
  for (auto _ : state) {
    const auto window = editor.create(Fixture().context, nullptr);
    auto* fill = window->findChild<torvale::ui::DeferredFill*>();
    bool filled = fill == nullptr;
    if (fill != nullptr) {
      QObject::connect(fill, &torvale::ui::DeferredFill::Filled, [&] { filled = true; });
    }
    ShowUntilReady(*window, [&] { return filled; });
  }
}

void Form(benchmark::State& state, const torvale::ui::EditorEntry& editor) {
  for (auto _ : state) ShowUntilReady(*editor.form(nullptr));
}

// Apply on a shown window with the first record of each picker shown.
void Apply(benchmark::State& state, const EditorModel& model) {
  const auto window = torvale::testing::OpenEditor(model, Fixture().context);
  torvale::testing::PickFirstRecords(*window, model);
  for (auto _ : state) torvale::testing::ClickApply(*window);
}

// Ctrl+Z then Ctrl+Shift+Z after an Apply of every field at its highest;
// beside it, the same Apply twice.
void UndoRedo(benchmark::State& state, const EditorModel& model, bool undo) {
  EditorFixture fixture;
  const auto window = torvale::testing::OpenEditor(model, fixture.context);
  torvale::testing::PickFirstRecords(*window, model);
  torvale::testing::SetEveryField(*window, model, true);
  torvale::testing::ClickApply(*window);
  for (auto _ : state) {
    if (undo) {
      QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
      QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    } else {
      torvale::testing::ClickApply(*window);
      torvale::testing::ClickApply(*window);
    }
  }
}

// An afternoon's edits: 400 short runs across the game's tables.
torvale::testing::Bytes Edited(torvale::testing::Bytes rom) {
  std::mt19937 random(7);
  for (int run = 0; run < 400; ++run) {
    const std::size_t offset = 0x70000 + random() % 0x3B000;
    for (std::size_t i = 0; i < 1 + random() % 8; ++i) rom[offset + i] ^= 0x5A;
  }
  return rom;
}

void Compare(benchmark::State& state, bool window) {
  const torvale::testing::Bytes sample = torvale::romgen::BuildSampleRom();
  EditorFixture fixture(Edited(sample));
  const QString clean = fixture.WriteRom(sample, "clean.smc");
  for (auto _ : state) {
    torvale::CleanRom cleanRom =
        torvale::ReadCleanRom(clean.toStdString(), torvale::ReadRomImage(fixture.rom));
    if (!window) continue;
    torvale::ui::ChangesWindow changes(fixture.context, std::move(cleanRom), clean, nullptr);
    ShowUntilReady(changes);
  }
}

// The reads, writes and sync of one Apply, recorded on a copy of the ROM.
std::vector<FaultyRomIo::IoCall> ApplyCalls(const EditorModel& model) {
  FaultyRomIo io;
  EditorFixture fixture(torvale::romgen::BuildSampleRom(), io);
  const auto window = torvale::testing::OpenEditor(model, fixture.context);
  torvale::testing::PickFirstRecords(*window, model);
  const std::size_t start = io.calls.size();
  torvale::testing::ClickApply(*window);
  return {io.calls.begin() + static_cast<long>(start), io.calls.end()};
}

void ApplyFloor(benchmark::State& state, const EditorModel& model) {
  const std::vector<FaultyRomIo::IoCall> calls = ApplyCalls(model);
  const int fd = ::open(Fixture().rom.Path().c_str(), O_RDWR | O_CLOEXEC);
  std::vector<char> bytes(64);
  for (auto _ : state) {
    for (const FaultyRomIo::IoCall& call : calls) {
      if (call.count > bytes.size()) bytes.resize(call.count);
      const auto offset = static_cast<off_t>(call.offset);
      if (call.kind == 'r') benchmark::DoNotOptimize(::pread(fd, bytes.data(), call.count, offset));
      if (call.kind == 'w')
        benchmark::DoNotOptimize(::pwrite(fd, bytes.data(), call.count, offset));
      if (call.kind == 's') ::fdatasync(fd);
    }
  }
  ::close(fd);
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
      m_fill->AppendToLists(
          torvale::ReadEntries(torvale::ListId::kItemNames, context.text, context.rom), m_lists);
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

void NameListsFill(benchmark::State& state, bool fill) {
  for (auto _ : state) {
    NameListsWindow window(fill);
    ShowUntilReady(window, [&] { return !fill || window.Filled(); });
  }
}

// "character stats" becomes "CharacterStatsApply".
std::string ApplyName(const EditorModel& model) {
  std::string name;
  bool capital = true;
  for (const char* c = model.name; *c != '\0'; ++c) {
    if (*c == ' ') {
      capital = true;
      continue;
    }
    name += capital ? static_cast<char>(std::toupper(*c)) : *c;
    capital = false;
  }
  return name + "Apply";
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  constexpr double kFrameMs = 16;
  constexpr auto kMs = benchmark::kMillisecond;
  std::vector<torvale::bench::Ratio> ratios = {
      {"NameListsFill", "NameListsFill_empty", 4.0, {}, kFrameMs}};
  benchmark::RegisterBenchmark("NameListsFill", NameListsFill, true)->Unit(kMs);
  benchmark::RegisterBenchmark("NameListsFill_empty", NameListsFill, false)->Unit(kMs);
  QSet<QString> measured;
  for (const torvale::ui::EditorEntry& editor : torvale::ui::Editors()) {
    if (editor.create == nullptr || measured.contains(QLatin1String(editor.window))) continue;
    measured << QLatin1String(editor.window);
    const std::string name = editor.window;
    benchmark::RegisterBenchmark(name.c_str(), Ready, std::cref(editor))->Unit(kMs);
    benchmark::RegisterBenchmark((name + "_empty").c_str(), Form, std::cref(editor))->Unit(kMs);
    // The item editor, the largest window, shows its first item in well under
    // a frame; the treasure editor's form opens fast, and so must its 402 chests.
    const double target = name == "TreasureEditor" ? 3.0 : 4.0;
    const double budget = name == "ItemEditor" ? 12.0 : kFrameMs;
    ratios.push_back({name, name + "_empty", target, {}, budget});
  }
  for (const EditorModel& model : torvale::testing::EditorModels()) {
    const std::string name = ApplyName(model);
    benchmark::RegisterBenchmark(name.c_str(), Apply, std::cref(model));
    benchmark::RegisterBenchmark((name + "_floor").c_str(), ApplyFloor, std::cref(model));
    ratios.push_back({name, name + "_floor", 2.0});
    // Undo and redo go through the same history in every editor: four of
    // them, of one to three records, stand for all.
    const std::string_view undone[] = {"item", "character stats", "treasure", "monster tables"};
    if (std::find(std::begin(undone), std::end(undone), model.name) == std::end(undone)) continue;
    const std::string undo = name.substr(0, name.size() - 5) + "UndoRedo";
    benchmark::RegisterBenchmark(undo.c_str(), UndoRedo, std::cref(model), true);
    benchmark::RegisterBenchmark((undo + "_twoApplies").c_str(), UndoRedo, std::cref(model), false);
    ratios.push_back({undo, undo + "_twoApplies", 2.0});
  }
  benchmark::RegisterBenchmark("CompareWithCleanRom", Compare, true)->Unit(kMs);
  benchmark::RegisterBenchmark("CompareWithCleanRom_reads", Compare, false)->Unit(kMs);
  // The changes window over 400 changed runs is ready within a frame.
  ratios.push_back({"CompareWithCleanRom", "CompareWithCleanRom_reads", 0, {}, kFrameMs});
  return torvale::bench::RunBenchmarks(argc, argv, ratios);
}
