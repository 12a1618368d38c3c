#include "RatioReporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>

namespace torvale::bench {
namespace {

// Column widths shared by the header and the lines.
constexpr const char* kLineFormat = "%-40s %11.1f %-2s %-32s %11.1f %-2s %8.2f %8s%s%s";
constexpr const char* kHeaderFormat = "%-40s %14s %-32s %14s %8s %8s";

struct Medians {
  double seconds = 0;
  std::map<std::string, double> counters;
};

class RatioReporter final : public benchmark::ConsoleReporter {
 public:
  explicit RatioReporter(const std::vector<Ratio>& ratios) : m_ratios(ratios) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median") continue;
      Medians& medians = m_medians[run.run_name.function_name];
      medians.seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      for (const auto& [name, counter] : run.counters) medians.counters[name] = counter.value;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    // scripts/bench gathers every program's lines into one table.
    const char* tablePath = std::getenv("TORVALE_BENCH_TABLE");
    std::FILE* table = tablePath != nullptr ? std::fopen(tablePath, "a") : nullptr;
    char header[256];
    std::snprintf(header, sizeof header, kHeaderFormat, "figure (median)", "value", "floor",
                  "value", "ratio", "target");
    std::printf("\n%s\n", header);
    // The gathered table starts with the header of its first program.
    if (table != nullptr && std::fseek(table, 0, SEEK_END) == 0 && std::ftell(table) == 0) {
      std::fprintf(table, "%s\n", header);
    }
    for (const Ratio& ratio : m_ratios) {
      const std::string line = Line(ratio);
      if (line.empty()) continue;
      std::printf("%s\n", line.c_str());
      if (table != nullptr) std::fprintf(table, "%s\n", line.c_str());
    }
    if (table != nullptr) std::fclose(table);
  }

 private:
  // The ratio's line of the table; empty when either benchmark did not run.
  std::string Line(const Ratio& ratio) {
    const auto figure = m_medians.find(ratio.figure);
    const auto floor = m_medians.find(ratio.floor);
    if (figure == m_medians.end() || floor == m_medians.end()) return {};
    const bool time = ratio.counter.empty();
    const double value =
        time ? figure->second.seconds * 1e6 : figure->second.counters[ratio.counter];
    const double base = time ? floor->second.seconds * 1e6 : floor->second.counters[ratio.counter];
    const char* unit = time ? "us" : ratio.counter.c_str();
    const double quotient = value / base;
    const std::string target =
        ratio.target > 0 ? std::to_string(ratio.target).substr(0, 3) + "x" : "-";
    const bool overBudget = ratio.budgetMs > 0 && value > ratio.budgetMs * 1000;
    char line[256];
    std::snprintf(line, sizeof line, kLineFormat,
                  (ratio.figure + (time ? "" : " " + ratio.counter)).c_str(), value, unit,
                  ratio.floor.c_str(), base, unit, quotient, target.c_str(),
                  ratio.target > 0 && quotient > ratio.target ? "  OVER TARGET" : "",
                  overBudget ? "  OVER BUDGET" : "");
    return line;
  }

  std::vector<Ratio> m_ratios;
  std::map<std::string, Medians> m_medians;
};

}  // namespace

int RunBenchmarks(int argc, char** argv, const std::vector<Ratio>& ratios) {
  std::vector<char*> arguments(argv, argv + argc);
  std::string repetitions = "--benchmark_repetitions=15";
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  std::string aggregates = "--benchmark_report_aggregates_only=true";
  // Defaults first, so that flags given on the command line win.
  arguments.insert(arguments.begin() + 1,
                   {repetitions.data(), interleave.data(), aggregates.data()});
  int count = static_cast<int>(arguments.size());
  benchmark::Initialize(&count, arguments.data());
  if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) return 1;
  RatioReporter reporter(ratios);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace torvale::bench
