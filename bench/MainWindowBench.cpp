// What the user waits for in the main window: opening a ROM and saving it,
// each beside the raw file operations it cannot do without. Opening is
// measured twice: the core's checks and reads alone, and the whole window
// procedure that also shows every field.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <utility>

#include "RatioReporter.h"
#include "WindowFixture.h"
#include "rom/CopierHeader.h"
#include "rom/EditTag.h"
#include "rom/InternalHeader.h"
#include "rom/RomIdentity.h"
#include "ui/MainWindow.h"

namespace {

using torvale::testing::WindowFixture;
using torvale::ui::MainWindow;

struct Shared {
  WindowFixture fixture;
  QString rom = fixture.WriteRom(torvale::romgen::BuildSampleRom());
  std::string romPath = rom.toStdString();
};

Shared& Files() {
  static Shared shared;
  return shared;
}

// The fields LoadROM reads: (file offset, length).
constexpr std::pair<off_t, size_t> kLoadedFields[] = {
    {0x101C0, 15}, {0x81C0, 20}, {0x7FC0, 22}, {0x81C0, 22}, {0x100, 1},
    {0x002, 4},    {0x008, 4},   {0x81DB, 1},  {0x81D9, 1},  {0x100, 25},
};

// The fields Save writes: (file offset, length).
constexpr std::pair<off_t, size_t> kSavedFields[] = {
    {0x81C0, 22}, {0x100, 32}, {0x000, 32}, {0x81D9, 1}};

// The checks and loaders in the order the main window runs them.
void LoadROM_core(benchmark::State& state) {
  const std::string& path = Files().romPath;
  torvale::RomFile rom;
  for (auto _ : state) {
    rom.Open(path);
    benchmark::DoNotOptimize(torvale::CheckRomLength(rom));
    benchmark::DoNotOptimize(torvale::CheckROMIdentity(rom));
    benchmark::DoNotOptimize(torvale::CheckHeader(rom));
    benchmark::DoNotOptimize(torvale::ReadRomName(rom));
    benchmark::DoNotOptimize(torvale::ReadEditedState(rom));
    benchmark::DoNotOptimize(torvale::ReadHeaderType(rom));
    benchmark::DoNotOptimize(torvale::ReadVersionCaption(rom));
    benchmark::DoNotOptimize(torvale::ReadCountryCaption(rom));
    benchmark::DoNotOptimize(torvale::ReadEditTag(rom));
    rom.Close();
  }
}

void LoadROM(benchmark::State& state) {
  Shared& files = Files();
  MainWindow window(files.fixture.platform);
  window.show();
  QApplication::processEvents();
  for (auto _ : state) {
    files.fixture.platform.fileAnswers << files.rom;
    window.LoadROM();
  }
}

void LoadROM_floor(benchmark::State& state) {
  const std::string& path = Files().romPath;
  char buffer[32];
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    struct stat info {};
    ::fstat(fd, &info);
    ::flock(fd, LOCK_EX | LOCK_NB);
    for (const auto& [offset, length] : kLoadedFields) {
      benchmark::DoNotOptimize(::pread(fd, buffer, length, offset));
    }
    ::close(fd);
  }
}

void Save(benchmark::State& state) {
  Shared& files = Files();
  MainWindow window(files.fixture.platform);
  files.fixture.platform.fileAnswers << files.rom;
  window.LoadROM();
  for (auto _ : state) benchmark::DoNotOptimize(window.SaveROM());
}

void Save_floor(benchmark::State& state) {
  const int fd = ::open(Files().romPath.c_str(), O_RDWR | O_CLOEXEC);
  char buffer[32] = {};
  for (auto _ : state) {
    for (const auto& [offset, length] : kSavedFields) {
      benchmark::DoNotOptimize(::pwrite(fd, buffer, length, offset));
    }
    ::fdatasync(fd);
  }
  ::close(fd);
}

BENCHMARK(LoadROM_core);
BENCHMARK(LoadROM);
BENCHMARK(LoadROM_floor);
BENCHMARK(Save);
BENCHMARK(Save_floor);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return torvale::bench::RunBenchmarks(argc, argv,
                                       {{"LoadROM_core", "LoadROM_floor", 3.0},
                                        {"LoadROM", "LoadROM_floor", 0.0},
                                        {"Save", "Save_floor", 2.0}});
}
