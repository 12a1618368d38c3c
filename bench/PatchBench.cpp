// Making a BPS patch of the open ROM against a clean ROM (both read, the
// difference found and encoded, the patch written safely), beside the raw file
// operations it cannot do without: the same reads and the same write, fsync
// and rename of the patch's bytes.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <span>
#include <string>

#include "RatioReporter.h"
#include "TestRom.h"
#include "patch/BpsPatch.h"
#include "patch/CleanRom.h"
#include "patch/CreatePatch.h"
#include "rom/RomImage.h"

namespace {

using torvale::testing::Bytes;

// An afternoon's edits: 400 short runs across the game's tables.
Bytes Edited(Bytes rom) {
  std::mt19937 random(7);
  for (int run = 0; run < 400; ++run) {
    const std::size_t offset = 0x70000 + random() % 0x3B000;
    for (std::size_t i = 0; i < 1 + random() % 8; ++i) rom[offset + i] ^= 0x5A;
  }
  return rom;
}

struct Files {
  torvale::testing::TempFolder folder;
  Bytes sample = torvale::romgen::BuildSampleRom();
  std::filesystem::path clean = torvale::testing::WriteRom(folder, sample, "clean.smc");
  std::filesystem::path open = torvale::testing::WriteRom(folder, Edited(sample), "open.smc");
  std::filesystem::path patch = folder.File("edits.bps");
  std::filesystem::path protectedFiles[2] = {open, clean};
};

Files& Shared() {
  static Files files;
  return files;
}

void CreatePatch(benchmark::State& state) {
  torvale::RomFile rom;
  rom.Open(Shared().open);
  for (auto _ : state) {
    const Bytes image = torvale::ReadRomImage(rom);
    const torvale::CleanRom clean = torvale::ReadCleanRom(Shared().clean, image);
    benchmark::DoNotOptimize(torvale::CreatePatch(clean.Image(), image, torvale::PatchFormat::kBps,
                                                  Shared().patch, Shared().protectedFiles));
  }
}

void ReadAll(int fd, Bytes& bytes, off_t offset) {
  if (::pread(fd, bytes.data(), bytes.size(), offset) != static_cast<ssize_t>(bytes.size())) {
    std::abort();
  }
}

// The open ROM's image read from its open descriptor, the clean ROM opened and
// read, and the same patch bytes written to a new file, synced and renamed.
void CreatePatch_floor(benchmark::State& state) {
  const auto image = [](const Bytes& rom) {
    return std::span(rom).subspan(torvale::kCopierHeaderSize);
  };
  const Bytes edited = Edited(Shared().sample);
  const Bytes patch =
      torvale::EncodeBps(image(Shared().sample), image(edited),
                         torvale::DiffImages(image(Shared().sample), image(edited)));
  const std::string temporary = Shared().patch.string() + ".tmp";
  const int open = ::open(Shared().open.c_str(), O_RDONLY | O_CLOEXEC);
  Bytes openImage(image(edited).size()), cleanImage(openImage.size());
  for (auto _ : state) {
    ReadAll(open, openImage, torvale::kCopierHeaderSize);
    const int clean = ::open(Shared().clean.c_str(), O_RDONLY | O_CLOEXEC);
    ReadAll(clean, cleanImage, torvale::kCopierHeaderSize);
    ::close(clean);
    const int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    benchmark::DoNotOptimize(::write(out, patch.data(), patch.size()));
    ::fsync(out);
    ::close(out);
    std::rename(temporary.c_str(), Shared().patch.c_str());
  }
  ::close(open);
}

BENCHMARK(CreatePatch)->Unit(benchmark::kMicrosecond);
BENCHMARK(CreatePatch_floor)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return torvale::bench::RunBenchmarks(argc, argv, {{"CreatePatch", "CreatePatch_floor", 3.0}});
}
