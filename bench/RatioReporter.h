#pragma once

#include <string>
#include <vector>

namespace torvale::bench {

// A figure and the floor it is judged against, both benchmarks of the same
// run. The ratio is taken between their medians: of real time, or of a
// counter when `counter` is set.
struct Ratio {
  std::string figure;
  std::string floor;
  double target;  // the ratio the figure should stay within; 0 for a figure shown for reference
  std::string counter = {};
  double budgetMs = 0;  // a time the figure must also stay within, 0 for none
};

// Runs the registered benchmarks (repetitions interleaved at random, so that
// a figure and its floor see the same machine), prints Google Benchmark's
// table, then one line per ratio.
int RunBenchmarks(int argc, char** argv, const std::vector<Ratio>& ratios);

}  // namespace torvale::bench
