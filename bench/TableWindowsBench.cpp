// A table's grid on the sample ROM, each figure beside its floor: the largest
// table's window until its first screen is painted, beside the same window
// over an empty model; a sort by each column and a filter keystroke, each
// with its repaint, beside a repaint alone; a paste of 1,000 cells beside the
// checks of their texts alone; the import of the table's CSV beside reading
// the file; an Apply of 1,000 changed cells as one step beside the raw writes
// of the same bytes and one sync.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

#include "FaultyRomIo.h"
#include "RatioReporter.h"
#include "WindowFixture.h"
#include "WindowTiming.h"
#include "data/CellText.h"
#include "data/Maps.h"
#include "patch/TableCsv.h"
#include "ui/TableModel.h"
#include "ui/TableWindow.h"
#include "ui_TableWindow.h"

namespace {

using torvale::testing::EditorFixture;
using torvale::testing::FaultyRomIo;

// The largest table: 381 maps of 13 fields.
const torvale::Table& Largest() {
  return torvale::MapPropertyTable();
}

EditorFixture& Fixture() {
  static EditorFixture fixture;
  return fixture;
}

QTableView& Grid(QWidget& window) {
  return *window.findChild<QTableView*>(QStringLiteral("TableGRD"));
}

torvale::ui::TableModel& Model(QWidget& window) {
  auto* rows = static_cast<QSortFilterProxyModel*>(Grid(window).model());
  return *static_cast<torvale::ui::TableModel*>(rows->sourceModel());
}

// Handles events until the window has been painted again.
void Repaint(QWidget& window) {
  Grid(window).viewport()->update();
  torvale::bench::ShowUntilReady(window);
}

// A window of the table over the fixture's ROM, shown.
std::unique_ptr<QWidget> Shown(EditorFixture& fixture) {
  auto window = std::make_unique<torvale::ui::TableWindow>(fixture.session, fixture.platform,
                                                           Largest(), nullptr);
  window->setAttribute(Qt::WA_DeleteOnClose, false);
  torvale::bench::ShowUntilReady(*window);
  return window;
}

void Ready(benchmark::State& state) {
  for (auto _ : state) {
    torvale::ui::TableWindow window(Fixture().session, Fixture().platform, Largest(), nullptr);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    torvale::bench::ShowUntilReady(window);
  }
}

// The same form, its grid over a model of the same columns and no rows.
void ReadyEmpty(benchmark::State& state) {
  for (auto _ : state) {
    QMainWindow window;
    Ui::TableWindow form;
    form.setupUi(&window);
    QStandardItemModel empty(0, 2 + static_cast<int>(Largest().fields.size()));
    form.TableGRD->setModel(&empty);
    torvale::bench::ShowUntilReady(window);
  }
}

void SortByEachColumn(benchmark::State& state) {
  const auto shown = Shown(Fixture());
  QWidget& window = *shown;
  int column = 0;
  for (auto _ : state) {
    Grid(window).sortByColumn(column, Qt::AscendingOrder);
    Repaint(window);
    column = (column + 1) % Grid(window).model()->columnCount();
  }
  Grid(window).sortByColumn(-1, Qt::AscendingOrder);
}

void FilterKeystroke(benchmark::State& state) {
  const auto shown = Shown(Fixture());
  QWidget& window = *shown;
  auto& filter = *window.findChild<QLineEdit*>(QStringLiteral("FilterTXT"));
  const QString typed = QStringLiteral("Map #1");
  qsizetype length = 0;
  for (auto _ : state) {
    length = length % typed.size() + 1;  // one more character, then over again
    filter.setText(typed.left(length));
    Repaint(window);
  }
  filter.clear();
}

void RepaintOnly(benchmark::State& state) {
  const auto shown = Shown(Fixture());
  QWidget& window = *shown;
  for (auto _ : state) Repaint(window);
}

// 100 rows of the first ten fields as the grid shows them: 1,000 cells,
// their values `offset` on.
QString PastedText(int offset) {
  torvale::ListEntries lists(Fixture().text, Fixture().rom);
  QStringList rows;
  for (int row = 0; row < 100; ++row) {
    QStringList cells;
    for (std::size_t cell = 0; cell < 10; ++cell) {
      const torvale::Value value = std::int64_t{(row + static_cast<int>(cell) + offset) % 200};
      cells << QString::fromStdString(torvale::ShownValue(Largest().fields[cell], value, lists));
    }
    rows << cells.join(u'\t');
  }
  return rows.join(u'\n');
}

// The same 1,000 cells staged at once, as a paste stages them.
std::vector<torvale::ui::TableModel::CellText> Cells(torvale::ui::TableModel& model, int offset) {
  std::vector<torvale::ui::TableModel::CellText> cells;
  const QStringList rows = PastedText(offset).split(u'\n');
  for (int row = 0; row < rows.size(); ++row) {
    const QStringList texts = rows[row].split(u'\t');
    for (int cell = 0; cell < texts.size(); ++cell) {
      cells.push_back(
          {model.index(row, torvale::ui::TableModel::kFirstFieldColumn + cell), texts[cell]});
    }
  }
  return cells;
}

// Pasted at the first written field of the first row, over and over.
void Paste1000Cells(benchmark::State& state) {
  EditorFixture fixture;
  const auto shown = Shown(fixture);
  QWidget& window = *shown;
  QTableView& grid = Grid(window);
  QAction* paste = nullptr;
  for (QAction* action : grid.actions()) {
    if (action->text() == QLatin1String("&Paste")) paste = action;
  }
  int offset = 0;
  for (auto _ : state) {
    state.PauseTiming();
    QApplication::clipboard()->setText(PastedText(++offset));
    grid.setCurrentIndex(grid.model()->index(0, torvale::ui::TableModel::kFirstFieldColumn));
    state.ResumeTiming();
    paste->trigger();
    Repaint(window);
  }
  Model(window).Discard();
}

// The same 1,000 texts, each checked as the paste checks it.
void Paste1000Cells_checks(benchmark::State& state) {
  EditorFixture& fixture = Fixture();
  torvale::ListEntries lists(fixture.text, fixture.rom);
  int offset = 0;
  for (auto _ : state) {
    const QStringList rows = PastedText(++offset).split(u'\n');
    for (const QString& row : rows) {
      std::size_t field = 0;
      for (const QString& cell : row.split(u'\t')) {
        benchmark::DoNotOptimize(torvale::ReadCellText(
            Largest().fields[field++], cell.toStdString(), torvale::Value{}, lists));
      }
    }
  }
}

// The table's CSV with every map's first byte changed.
QString EditedCsv(EditorFixture& fixture) {
  const auto shown = Shown(fixture);
  torvale::ListEntries lists(fixture.text, fixture.rom);
  std::vector<torvale::Record> records = Model(*shown).ShownRecords();
  for (auto& record : records)
    record[0] = std::int64_t{(std::get<std::int64_t>(record[0]) + 1) % 256};
  const std::string csv = torvale::WriteTableCsv(Largest(), records, lists);
  const QString path = fixture.WriteRom({csv.begin(), csv.end()}, "maps.csv");
  return path;
}

void ImportCsv(benchmark::State& state) {
  EditorFixture fixture;
  const QString csv = EditedCsv(fixture);
  const auto shown = Shown(fixture);
  QWidget& window = *shown;
  auto& import = *window.findChild<QPushButton*>(QStringLiteral("ImportCMD"));
  for (auto _ : state) {
    fixture.platform.fileAnswers << csv;
    import.click();
    state.PauseTiming();
    Model(window).Discard();
    state.ResumeTiming();
  }
}

void ImportCsv_read(benchmark::State& state) {
  EditorFixture fixture;
  const QString csv = EditedCsv(fixture);
  for (auto _ : state) {
    QFile file(csv);
    file.open(QIODevice::ReadOnly);
    benchmark::DoNotOptimize(file.readAll());
  }
}

// 1,000 cells of 100 maps changed, then Apply: the step, its writes and its sync.
void Apply1000Cells(benchmark::State& state) {
  EditorFixture fixture;
  const auto shown = Shown(fixture);
  auto& apply = *shown->findChild<QPushButton*>(QStringLiteral("ApplyCMD"));
  int offset = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Model(*shown).StageAll(Cells(Model(*shown), ++offset));
    state.ResumeTiming();
    apply.click();
  }
}

// The reads, writes and sync of that Apply, recorded on a copy of the ROM and
// made again, raw.
void Apply1000Cells_floor(benchmark::State& state) {
  FaultyRomIo io;
  EditorFixture fixture(torvale::romgen::BuildSampleRom(), io);
  const auto shown = Shown(fixture);
  Model(*shown).StageAll(Cells(Model(*shown), 1));
  const std::size_t start = io.calls.size();
  shown->findChild<QPushButton*>(QStringLiteral("ApplyCMD"))->click();
  const std::vector<FaultyRomIo::IoCall> calls(io.calls.begin() + static_cast<long>(start),
                                               io.calls.end());
  const int fd = ::open(fixture.rom.Path().c_str(), O_RDWR | O_CLOEXEC);
  std::vector<char> bytes(0x10000);
  for (auto _ : state) {
    for (const FaultyRomIo::IoCall& call : calls) {
      if (call.count > bytes.size()) bytes.resize(call.count);
      const auto at = static_cast<off_t>(call.offset);
      if (call.kind == 'r') benchmark::DoNotOptimize(::pread(fd, bytes.data(), call.count, at));
      if (call.kind == 'w') benchmark::DoNotOptimize(::pwrite(fd, bytes.data(), call.count, at));
      if (call.kind == 's') ::fdatasync(fd);
    }
  }
  ::close(fd);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  constexpr double kFrameMs = 16;
  constexpr auto kMs = benchmark::kMillisecond;
  const std::pair<const char*, void (*)(benchmark::State&)> figures[] = {
      {"MapTableWindow", Ready},
      {"MapTableWindow_empty", ReadyEmpty},
      {"MapTableSort", SortByEachColumn},
      {"MapTableFilterKeystroke", FilterKeystroke},
      {"MapTableRepaint", RepaintOnly},
      {"MapTablePaste1000Cells", Paste1000Cells},
      {"MapTablePaste1000Cells_checks", Paste1000Cells_checks},
      {"MapTableImportCsv", ImportCsv},
      {"MapTableImportCsv_read", ImportCsv_read},
      {"MapTableApply1000Cells", Apply1000Cells},
      {"MapTableApply1000Cells_floor", Apply1000Cells_floor},
  };
  for (const auto& [name, run] : figures) benchmark::RegisterBenchmark(name, run)->Unit(kMs);
  return torvale::bench::RunBenchmarks(
      argc, argv,
      {{"MapTableWindow", "MapTableWindow_empty", 4.0, {}, kFrameMs},
       {"MapTableSort", "MapTableRepaint", 0, {}, kFrameMs},
       {"MapTableFilterKeystroke", "MapTableRepaint", 0, {}, kFrameMs},
       {"MapTablePaste1000Cells", "MapTablePaste1000Cells_checks", 0, {}, 50.0},
       {"MapTableImportCsv", "MapTableImportCsv_read", 0, {}, 20.0},
       {"MapTableApply1000Cells", "MapTableApply1000Cells_floor", 2.0}});
}
