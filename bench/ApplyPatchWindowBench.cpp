// The Apply Patch window over a patch of an afternoon's edits, every change
// judged against the open ROM and listed, until its first screen is painted;
// beside the same window over a patch that changes nothing.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "AfternoonEdits.h"
#include "RatioReporter.h"
#include "WindowFixture.h"
#include "WindowTiming.h"
#include "patch/ChangeSet.h"
#include "ui/ApplyPatchWindow.h"

namespace {

using torvale::testing::Bytes;

torvale::testing::EditorFixture& Fixture() {
  static torvale::testing::EditorFixture fixture;
  return fixture;
}

const torvale::frontend::ChangeSource& Patch() {
  static const torvale::frontend::ChangeSource patch = [] {
    const Bytes sample = torvale::testing::Sample();
    const Bytes edited = torvale::bench::AfternoonEdits(sample);
    const auto image = [](const Bytes& rom) {
      return std::span(rom).subspan(torvale::kCopierHeaderSize);
    };
    return torvale::frontend::ChangeSource{
        torvale::ChangeSetOf(image(sample), image(edited), Fixture().text), {}};
  }();
  return patch;
}

void Show(benchmark::State& state, const torvale::frontend::ChangeSource& patch) {
  for (auto _ : state) {
    torvale::ui::ApplyPatchWindow window(Fixture().context, {torvale::testing::Sample(), true},
                                         patch, QStringLiteral("edits.bps"), nullptr);
    torvale::bench::ShowUntilReady(window);
  }
}

void ApplyPatchWindow(benchmark::State& state) {
  Show(state, Patch());
}
void ApplyPatchWindow_empty(benchmark::State& state) {
  Show(state, {});
}

BENCHMARK(ApplyPatchWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(ApplyPatchWindow_empty)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return torvale::bench::RunBenchmarks(
      argc, argv, {{"ApplyPatchWindow", "ApplyPatchWindow_empty", 0, {}, 50.0}});
}
