// The start of the program up to the file dialog, beside a minimal Qt Widgets
// program, one window with one line of text, up to its first paint: time from
// process start, and peak memory. The line of text matters: the first text any
// window draws loads the system's font database, which no program with words
// in its windows escapes.
// Each run is a fresh process, this very program started again in a probe mode.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QSettings>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include "RatioReporter.h"
#include "ui/Platform.h"
#include "ui/Startup.h"

extern char** environ;

namespace {

constexpr const char* kProbeTorvale = "--probe=torvale";
constexpr const char* kProbeMinimal = "--probe=minimal";

// Tells the waiting parent that the moment has come, then ends the probe.
[[noreturn]] void SignalAndExit() {
  const char done = '!';
  [[maybe_unused]] const auto written = ::write(STDOUT_FILENO, &done, 1);
  std::_Exit(EXIT_SUCCESS);
}

// The seam with nothing behind it but the moment the file dialog is asked for.
class ProbePlatform final : public torvale::ui::Platform {
 public:
  QString AskOpenFileName(QWidget*, const QString&, const QString&) override { SignalAndExit(); }
  QString AskSaveFileName(QWidget*, const QString&, const QString&, QString&) override {
    return {};
  }
  QString AskProgramFileName(QWidget*, const QString&) override { return {}; }
  void ShowMessage(QWidget*, torvale::ui::MessageIcon, const QString&, const QString&) override {}
  torvale::ui::PendingChoice AskAboutPendingChanges(QWidget*, const QString&,
                                                    const QString&) override {
    return torvale::ui::PendingChoice::kCancel;
  }
  void ShowModal(QDialog&) override {}
  void OpenWebAddress(const QString&) override {}
  bool OpenWithDesktopHandler(const QString&) override { return false; }
  bool StartDetached(const QString&, const QStringList&, const QString&) override { return false; }
  // Read at start-up like the user's settings; the probe ends before anything is written.
  QSettings& Settings() override { return m_settings; }
  void EndProgram() override { std::_Exit(EXIT_FAILURE); }
  QString ProgramFolder() const override { return QCoreApplication::applicationDirPath(); }

 private:
  QSettings m_settings{QDir::temp().filePath(QStringLiteral("torvale-launch-probe.conf")),
                       QSettings::IniFormat};
};

class FirstPaint final : public QLabel {
 public:
  FirstPaint() : QLabel(QStringLiteral("A minimal window")) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    QLabel::paintEvent(event);
    SignalAndExit();
  }
};

int RunProbe(int argc, char** argv, const char* mode) {
  QApplication app(argc, argv);
  if (std::strcmp(mode, kProbeMinimal) == 0) {
    FirstPaint window;
    window.show();
    return QApplication::exec();
  }
  ProbePlatform platform;
  // The splash's delay and animation are left out: they are fixed waits, not work.
  torvale::ui::Startup startup(platform,
                               {std::chrono::milliseconds(0), std::chrono::milliseconds(0)});
  startup.Begin();
  return QApplication::exec();
}

void Launch(benchmark::State& state, const char* mode) {
  for (auto _ : state) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) state.SkipWithError("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    char self[] = "/proc/self/exe";
    char* arguments[] = {self, const_cast<char*>(mode), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    posix_spawn(&child, self, &actions, nullptr, arguments, environ);
    ::close(pipeFds[1]);
    char signal = 0;
    const bool arrived = ::read(pipeFds[0], &signal, 1) == 1;
    const auto end = std::chrono::steady_clock::now();
    ::close(pipeFds[0]);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    struct rusage usage {};
    ::wait4(child, &status, 0, &usage);
    if (!arrived) state.SkipWithError("the probe ended without reaching its moment");
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    state.counters["peak_kib"] = static_cast<double>(usage.ru_maxrss);
  }
}

void TorvaleToFileDialog(benchmark::State& state) {
  Launch(state, kProbeTorvale);
}
void MinimalWindowToFirstPaint(benchmark::State& state) {
  Launch(state, kProbeMinimal);
}

BENCHMARK(TorvaleToFileDialog)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(MinimalWindowToFirstPaint)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strncmp(argv[1], "--probe=", 8) == 0) return RunProbe(argc, argv, argv[1]);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  return torvale::bench::RunBenchmarks(
      argc, argv,
      {{"TorvaleToFileDialog", "MinimalWindowToFirstPaint", 1.5},
       {"TorvaleToFileDialog", "MinimalWindowToFirstPaint", 1.5, "peak_kib"}});
}
