// Each command of torvale-cli as a whole process on the sample ROM and an
// afternoon's edits, beside a minimal Qt Core program (this one, started
// again as a probe) that reads the same input files and writes as many bytes
// to the same outputs, as durably: standard output, or each file written
// beside its name, synced, renamed into place and its folder synced.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "AfternoonEdits.h"
#include "RatioReporter.h"
#include "TestRom.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr const char* kProbe = "--probe=floor";

// Runs `program` with `arguments` in `folder`, its standard output into
// `out`; the seconds it took, or a negative number when it failed.
double Run(const std::string& program, const std::vector<std::string>& arguments,
           const fs::path& folder, const fs::path& out) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  int status = -1;
  if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
    ::waitpid(child, &status, 0);
  }
  const auto end = std::chrono::steady_clock::now();
  posix_spawn_file_actions_destroy(&actions);
  // diff and a patch of equal images end with 1: differences, not a failure.
  if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) return -1;
  return std::chrono::duration<double>(end - start).count();
}

// A command, the files it reads and the files it writes.
struct Command {
  const char* name;
  std::vector<std::string> arguments;
  std::vector<std::string> inputs;
  std::vector<std::string> outputs;  // for a folder, each file it holds after the command
};

struct Setup {
  Setup() {
    const torvale::testing::Bytes sample = torvale::romgen::BuildSampleRom();
    torvale::testing::WriteRom(folder, sample, "clean.smc");
    torvale::testing::WriteRom(folder, torvale::bench::AfternoonEdits(sample), "hack.smc");
    Run(cli, {"export", "clean.smc", "hack.smc", "-o", "hack.yaml"}, folder.Path(),
        folder.File("out"));
    fs::create_directory(folder.File("tables"));
  }

  torvale::testing::TempFolder folder;
  const std::string cli = (fs::read_symlink("/proc/self/exe").parent_path() / "torvale-cli").string();
  const std::string self = fs::read_symlink("/proc/self/exe").string();
};

Setup& Shared() {
  static Setup setup;
  return setup;
}

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = [] {
    std::vector<Command> all = {
        {"info", {"info", "clean.smc"}, {"clean.smc"}, {}},
        {"diff", {"diff", "clean.smc", "hack.smc"}, {"clean.smc", "hack.smc"}, {}},
        {"export", {"export", "clean.smc", "hack.smc", "-o", "out.yaml", "--force"},
         {"clean.smc", "hack.smc"}, {"out.yaml"}},
        {"apply", {"apply", "clean.smc", "hack.yaml", "-o", "out.smc", "--force"},
         {"clean.smc", "hack.yaml"}, {"out.smc"}},
        {"merge", {"merge", "clean.smc", "hack.yaml", "hack.smc", "-o", "merged.yaml", "--force"},
         {"clean.smc", "hack.yaml", "hack.smc"}, {"merged.yaml"}},
        {"patch", {"patch", "clean.smc", "hack.smc", "-o", "out.bps", "--force"},
         {"clean.smc", "hack.smc"}, {"out.bps"}},
        {"tables", {"tables", "hack.smc", "-o", "tables", "--force"}, {"hack.smc"}, {}},
    };
    // Each command once, so that the floor knows the outputs and their sizes.
    for (Command& command : all) {
      Run(Shared().cli, command.arguments, Shared().folder.Path(),
          Shared().folder.File(std::string("out.") + command.name));
      if (std::strcmp(command.name, "tables") != 0) continue;
      for (const auto& entry : fs::directory_iterator(Shared().folder.File("tables"))) {
        command.outputs.push_back("tables/" + entry.path().filename().string());
      }
    }
    return all;
  }();
  return commands;
}

// The floor's arguments: the inputs, "--", then each output and its size,
// standard output ("-") first.
std::vector<std::string> FloorArguments(const Command& command) {
  std::vector<std::string> arguments = {kProbe};
  arguments.insert(arguments.end(), command.inputs.begin(), command.inputs.end());
  arguments.push_back("--");
  const auto size = [](const fs::path& file) { return std::to_string(fs::file_size(file)); };
  arguments.insert(arguments.end(), {"-", size(Shared().folder.File("out." + std::string(command.name)))});
  for (const std::string& output : command.outputs) {
    arguments.insert(arguments.end(), {output, size(Shared().folder.File(output))});
  }
  return arguments;
}

void Measure(benchmark::State& state, const std::string& program,
             const std::vector<std::string>& arguments, const std::string& out) {
  for (auto _ : state) {
    const double seconds = Run(program, arguments, Shared().folder.Path(), Shared().folder.File(out));
    if (seconds < 0) state.SkipWithError("the command failed");
    state.SetIterationTime(seconds);
  }
}

void Command_(benchmark::State& state, const Command* command) {
  Measure(state, Shared().cli, command->arguments, std::string("out.") + command->name);
}

void Floor(benchmark::State& state, const Command* command) {
  Measure(state, Shared().self, FloorArguments(*command), "out.floor");
}

void WriteDurably(const std::string& path, const std::vector<char>& bytes) {
  const std::string temporary = path + ".floor";
  const int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  benchmark::DoNotOptimize(::write(out, bytes.data(), bytes.size()));
  ::fsync(out);
  ::close(out);
  std::rename(temporary.c_str(), path.c_str());
  const int folder = ::open(fs::path(path).parent_path().empty()
                                ? "."
                                : fs::path(path).parent_path().c_str(),
                            O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ::fsync(folder);
  ::close(folder);
}

// The floor itself: Qt Core started, the inputs read whole, the outputs written.
int RunFloor(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  int at = 2;
  for (; at < argc && std::strcmp(argv[at], "--") != 0; ++at) {
    QFile input(QString::fromLocal8Bit(argv[at]));
    if (!input.open(QIODevice::ReadOnly)) return 2;
    benchmark::DoNotOptimize(input.readAll());
  }
  for (++at; at + 1 < argc; at += 2) {
    const std::vector<char> bytes(std::stoul(argv[at + 1]), 'x');
    if (std::strcmp(argv[at], "-") == 0) {
      benchmark::DoNotOptimize(::write(STDOUT_FILENO, bytes.data(), bytes.size()));
    } else {
      WriteDurably(argv[at], bytes);
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], kProbe) == 0) return RunFloor(argc, argv);
  std::vector<torvale::bench::Ratio> ratios;
  for (const Command& command : Commands()) {
    const std::string name = std::string("Cli_") + command.name;
    benchmark::RegisterBenchmark(name.c_str(), Command_, &command)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((name + "_floor").c_str(), Floor, &command)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    ratios.push_back({name, name + "_floor", 2.0});
  }
  return torvale::bench::RunBenchmarks(argc, argv, ratios);
}
