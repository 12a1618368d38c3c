// Making a BPS patch of the open ROM against a clean ROM (both read, the
// difference found and encoded, the patch written safely), beside the raw file
// operations it cannot do without: the same reads and the same write, fsync
// and rename of the patch's bytes. Reading such a patch back and naming its
// changes, beside reading the two ROM files.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

#include "AfternoonEdits.h"
#include "RatioReporter.h"
#include "TestRom.h"
#include "patch/BpsPatch.h"
#include "patch/CleanRom.h"
#include "patch/ChangeSet.h"
#include "patch/CreatePatch.h"
#include "patch/ImageDiff.h"
#include "rom/RomImage.h"

namespace {

using torvale::testing::Bytes;

struct Files {
  torvale::testing::TempFolder folder;
  Bytes sample = torvale::romgen::BuildSampleRom();
  std::filesystem::path clean = torvale::testing::WriteRom(folder, sample, "clean.smc");
  std::filesystem::path open = torvale::testing::WriteRom(folder, torvale::bench::AfternoonEdits(sample), "open.smc");
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
  const Bytes edited = torvale::bench::AfternoonEdits(Shared().sample);
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

// A BPS patch of the edits read against the clean ROM and its changes named
// as the editors name them, beside reading the clean and the edited ROM files.
void ReadPatchAndListChanges(benchmark::State& state) {
  const torvale::testing::MemoryRom memory;
  const auto image = [](const Bytes& rom) { return std::span(rom).subspan(torvale::kCopierHeaderSize); };
  const Bytes edited = torvale::bench::AfternoonEdits(Shared().sample);
  const std::filesystem::path patch = Shared().folder.File("listed.bps");
  torvale::testing::WriteRom(
      Shared().folder,
      torvale::EncodeBps(image(Shared().sample), image(edited),
                         torvale::DiffImages(image(Shared().sample), image(edited))),
      "listed.bps");
  for (auto _ : state) {
    const Bytes clean = torvale::testing::ReadFileBytes(Shared().clean);
    const torvale::BpsContents read =
        torvale::ReadBps(torvale::testing::ReadFileBytes(patch), image(clean));
    benchmark::DoNotOptimize(torvale::ChangeSetOf(image(clean), read.target, memory.text));
  }
}

void ReadPatchAndListChanges_floor(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(torvale::testing::ReadFileBytes(Shared().clean));
    benchmark::DoNotOptimize(torvale::testing::ReadFileBytes(Shared().open));
  }
}

BENCHMARK(CreatePatch)->Unit(benchmark::kMicrosecond);
BENCHMARK(CreatePatch_floor)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadPatchAndListChanges)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadPatchAndListChanges_floor)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return torvale::bench::RunBenchmarks(argc, argv, {{"CreatePatch", "CreatePatch_floor", 3.0},
                                                {"ReadPatchAndListChanges",
                                                 "ReadPatchAndListChanges_floor", 4.0}});
}
