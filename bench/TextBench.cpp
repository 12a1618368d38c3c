// Decoding the 256 item names, beside the raw reads of the same bytes.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include "RatioReporter.h"
#include "TestRom.h"
#include "text/NameLists.h"

namespace {

struct Files {
  torvale::testing::TempFolder folder;
  std::filesystem::path rom = torvale::testing::WriteRom(folder, torvale::romgen::BuildSampleRom());
  std::filesystem::path table =
      torvale::testing::WriteRom(folder, torvale::testing::Bytes{0}, "FF2us.tbl");
};

Files& Shared() {
  static Files files;
  return files;
}

// 256 ReadText calls, each checking for the character table file.
void ItemNames(benchmark::State& state) {
  torvale::RomFile rom;
  rom.Open(Shared().rom);
  const torvale::TextCodec codec(Shared().table, [] {});
  for (auto _ : state) benchmark::DoNotOptimize(torvale::ItemNameList(codec, rom));
}

// The 2,304 bytes of the item-name table, one positioned read per record.
void ItemNames_floor(benchmark::State& state) {
  const int fd = ::open(Shared().rom.c_str(), O_RDONLY | O_CLOEXEC);
  char record[torvale::kItemNameRecordLength];
  for (auto _ : state) {
    for (int item = 0; item < torvale::kItemCount; ++item) {
      benchmark::DoNotOptimize(::pread(fd, record, sizeof record, torvale::ItemIconOffset(item)));
    }
  }
  ::close(fd);
}

BENCHMARK(ItemNames);
BENCHMARK(ItemNames_floor);

}  // namespace

int main(int argc, char** argv) {
  return torvale::bench::RunBenchmarks(argc, argv, {{"ItemNames", "ItemNames_floor", 4.0}});
}
