// Editor windows from construction until their lists are filled and the
// window is painted, each beside an empty window shown in the same run.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QProgressBar>
#include <QVBoxLayout>

#include "RatioReporter.h"
#include "WindowFixture.h"
#include "WindowTiming.h"
#include "text/NameLists.h"
#include "ui/DeferredFill.h"
#include "ui/TextListEditor.h"

namespace {

using torvale::bench::ShowUntilReady;

torvale::testing::EditorFixture& Fixture() {
  static torvale::testing::EditorFixture fixture;
  return fixture;
}

// One list and eight drop-down lists, as the editors with item lists have.
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
    auto* deferred = new torvale::ui::DeferredFill(*this, m_bar, m_lists, {&m_list}, [this] {
      const auto& context = Fixture().context;
      m_fill->AppendToLists(torvale::ItemNameList(context.text, context.rom), m_lists);
    });
    m_fill = deferred;
    connect(deferred, &torvale::ui::DeferredFill::Filled, this, [this] { m_filled = true; });
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

void NameListsFill_floor(benchmark::State& state) {
  for (auto _ : state) {
    NameListsWindow window(false);
    ShowUntilReady(window);
  }
}

void TextListEditor(benchmark::State& state) {
  for (auto _ : state) {
    torvale::ui::TextListEditor window(Fixture().context);
    ShowUntilReady(window);
  }
}

void EmptyDialog_floor(benchmark::State& state) {
  for (auto _ : state) {
    QDialog window;
    ShowUntilReady(window);
  }
}

BENCHMARK(NameListsFill)->Unit(benchmark::kMillisecond);
BENCHMARK(NameListsFill_floor)->Unit(benchmark::kMillisecond);
BENCHMARK(TextListEditor)->Unit(benchmark::kMillisecond);
BENCHMARK(EmptyDialog_floor)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return torvale::bench::RunBenchmarks(argc, argv,
                                       {{"NameListsFill", "NameListsFill_floor", 4.0},
                                        {"TextListEditor", "EmptyDialog_floor", 0.0}});
}
