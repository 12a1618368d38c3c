// torvale-cli as a script drives it, command by command, over ROM files made
// from the sample: what each prints and where, its exit status, the files it
// writes byte for byte, and the files it must leave as they are.

#include <gtest/gtest.h>
#include <zlib.h>

#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <fstream>

#include "FaultyRomIo.h"
#include "TestRom.h"
#include "cli/Cli.h"
#include "data/CellText.h"
#include "data/Items.h"
#include "patch/ChangeSet.h"
#include "rom/RomImage.h"
#include "rom/Version.h"

namespace torvale {
namespace {

using testing::Bytes;

const Bytes kHeader(testing::Sample().begin(), testing::Sample().begin() + kCopierHeaderSize);
const Bytes kClean(testing::Sample().begin() + kCopierHeaderSize, testing::Sample().end());

// What a run of the program gave.
struct Ran {
  int exit;
  QString out, err;
};

class CommandLine : public ::testing::Test {
 protected:
  CommandLine() {
    m_previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(m_folder.Path().string()));
    for (const auto& [name, image] : Roms()) Write(name, image);
    std::ofstream(m_folder.File("bad.yaml")) << "version: 1\nclean:\n  size: 5\n  crc32: 7\ntables:\n  Nonsense: {}\n";
  }
  ~CommandLine() override { QDir::setCurrent(m_previous); }

  Ran Cli(const QStringList& arguments, RomIo& io = SystemRomIo()) {
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const int exit = cli::RunCommandLine(QStringList{"torvale-cli"} + arguments,
                                         QStringLiteral(TORVALE_PROGRAM_FOLDER),
                                         {outStream, errStream}, io);
    outStream.flush();
    errStream.flush();
    return {exit, out, err};
  }

  // The images of the hacks: a's two prices, b's one, c's a price a sets apart.
  Bytes Priced(std::initializer_list<std::pair<int, std::int64_t>> prices) const {
    ChangeSet changes;
    for (const auto& [record, price] : prices) {
      changes.fields.push_back({&ItemTable(), record, FieldIndex(ItemTable(), "PriceTXT"), price});
    }
    return AppliedTo(changes, kClean, m_memory.text);
  }
  std::map<std::string, Bytes> Roms() const {
    return {{"clean.smc", kClean},
            {"a.smc", Priced({{3, 500}, {4, 600}})},
            {"b.smc", Priced({{7, 700}})},
            {"c.smc", Priced({{3, 900}})},
            {"ab.smc", Priced({{3, 500}, {4, 600}, {7, 700}})},
            {"cb.smc", Priced({{3, 900}, {7, 700}})}};
  }
  void Write(const std::string& name, const Bytes& image) {
    Bytes file = kHeader;
    file.insert(file.end(), image.begin(), image.end());
    testing::WriteRom(m_folder, file, name);
  }
  Bytes Read(const std::string& name) const { return testing::ReadFileBytes(m_folder.File(name)); }
  bool Exists(const std::string& name) const { return std::filesystem::exists(m_folder.File(name)); }

  testing::MemoryRom m_memory;
  testing::TempFolder m_folder;
  QString m_previous;
};

QString Hex(std::uint64_t value, int digits) {
  return QStringLiteral("0x") + QString::number(value, 16).toUpper().rightJustified(digits, u'0');
}

// A line of diff: a price changed.
QString PriceLine(int record, std::int64_t clean, std::int64_t now, const testing::MemoryRom& rom) {
  ListEntries lists(rom.text, rom.rom);
  return QStringLiteral("Items\t%1\tPrice\t%2\t%3\t%4\n")
      .arg(QString::fromStdString(lists.Entry(ItemTable().entries, record)))
      .arg(clean)
      .arg(now)
      .arg(Hex(FieldOffset(FieldNamed(ItemTable(), "PriceTXT"), record), 6));
}

TEST_F(CommandLine, CommandsPrintTheirResultsAndWriteOnlyTheirOutputs) {
  const Record cleanItem3 = ReadRecord(ItemTable(), m_memory.text, m_memory.rom, 3);
  const auto price3 = std::get<std::int64_t>(cleanItem3[FieldIndex(ItemTable(), "PriceTXT")]);
  const auto crc = static_cast<std::uint32_t>(crc32_z(0, kClean.data(), kClean.size()));
  struct Step {
    QStringList arguments;
    int exit;
    QString out = {};  // a part of standard output (all of it when `whole`)
    QString err = {};  // a part of standard error; none when empty
    bool whole = false;
  };
  const Step steps[] = {
      {{"--version"}, 0, QStringLiteral("torvale-cli %1\n").arg(VersionText().c_str()), "", true},
      {{"--help"}, 0, "Usage: torvale-cli [options] COMMAND FILE...\n"},
      {{}, 2, "", "torvale-cli: Name a command.\n"},
      {{"frobnicate", "a.smc"}, 2, "", "torvale-cli: Unknown command 'frobnicate'."},
      {{"info", "a.smc", "b.smc"}, 2, "", "torvale-cli: Usage: torvale-cli info ROM\n"},
      {{"info", "missing.smc"}, 2, "", "missing.smc"},
      {{"info", "clean.smc"}, 0, "CRC32:         " + Hex(crc, 8) + "\n"},
      {{"diff", "clean.smc", "clean.smc"}, 0, "", "", true},
      {{"diff", "clean.smc", "c.smc"}, 1, PriceLine(3, price3, 900, m_memory), "", true},
      {{"export", "clean.smc", "a.smc"}, 2, "", "torvale-cli: name the file to write with -o\n"},
      {{"export", "clean.smc", "a.smc", "-o", "a.yaml"}, 0,
       "Wrote 2 field changes and 0 runs of other bytes to \"a.yaml\".\n", "", true},
      {{"export", "clean.smc", "a.smc", "-o", "a.yaml"}, 2, "",
       "\"a.yaml\" exists already: give --force to replace it."},
      {{"export", "clean.smc", "a.smc", "-o", "a.smc", "--force"}, 2, "",
       "\"a.smc\" is one of the command's inputs, which are never written over."},
      {{"apply", "clean.smc", "a.yaml"}, 2, "", "give either -o OUT or --in-place"},
      {{"apply", "clean.smc", "a.yaml", "-o", "built.smc"}, 0, "Wrote \"built.smc\".\n", "", true},
      {{"apply", "clean.smc", "bad.yaml", "-o", "bad.smc"}, 2, "",
       "torvale-cli: \"bad.yaml\": Line 6 of the change set: no table is called \"Nonsense\".\n"},
      {{"patch", "clean.smc", "clean.smc", "-o", "none.bps"}, 1,
       "The ROM does not differ from the clean ROM: no patch written.\n", "", true},
      {{"patch", "clean.smc", "b.smc", "-o", "b.bps", "--title", "Dearer"}, 0,
       "Patch \"b.bps\" written: it changes 1 bytes in 1 runs.\n\nClean image"},
      {{"apply", "a.smc", "b.bps", "-o", "x.smc"}, 2, "", "give --clean CLEAN"},
      {{"apply", "a.smc", "b.bps", "--clean", "clean.smc", "-o", "ab-built.smc"}, 0,
       "Wrote \"ab-built.smc\": 1 changes made, 0 already so.\n", "", true},
      {{"merge", "clean.smc", "a.yaml", "b.bps", "-o", "ab.yaml"}, 0,
       "Merged 2 sources: 3 field changes and 0 runs of other bytes, written to \"ab.yaml\".\n",
       "", true},
      {{"apply", "clean.smc", "ab.yaml", "-o", "ab-text.smc"}, 0, "Wrote \"ab-text.smc\".\n"},
      {{"merge", "clean.smc", "a.smc", "c.smc", "-o", "ac.yaml"}, 1,
       "\tPrice\ta.smc 500\tc.smc 900\n1 conflicts: nothing was written.\n"},
      {{"apply", "c.smc", "a.yaml", "--clean", "clean.smc", "-o", "ca.smc"}, 1,
       "1 conflicts: nothing was written.\n"},
      {{"apply", "a.smc", "a.yaml", "--clean", "clean.smc", "--in-place"}, 0,
       "Wrote \"a.smc\": 0 changes made, 2 already so.\n", "", true},
      {{"apply", "c.smc", "b.bps", "--clean", "clean.smc", "--in-place"}, 0,
       "Wrote \"c.smc\": 1 changes made, 0 already so.\n", "", true},
      {{"tables", "a.smc", "-o", "tables"}, 0, QDir::toNativeSeparators("tables/Items.csv\n")},
      {{"apply", "clean.smc", "tables/Items.csv", "-o", "csv.smc"}, 0, "Wrote \"csv.smc\".\n"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.arguments.join(' ').toStdString());
    const Ran run = Cli(step.arguments);
    EXPECT_EQ(run.exit, step.exit) << run.err.toStdString();
    if (step.whole) {
      EXPECT_EQ(run.out.toStdString(), step.out.toStdString());
    } else {
      EXPECT_TRUE(run.out.contains(step.out)) << run.out.toStdString();
    }
    if (step.err.isEmpty()) {
      EXPECT_EQ(run.err.toStdString(), "");
    } else {
      EXPECT_TRUE(run.err.contains(step.err)) << run.err.toStdString();
    }
  }
  // Each output holds what its command made; the inputs hold what they held.
  const auto file = [&](const std::string& image) {
    Bytes bytes = kHeader;
    const Bytes content = Roms().at(image);
    bytes.insert(bytes.end(), content.begin(), content.end());
    return bytes;
  };
  const std::pair<std::string, std::string> outputs[] = {
      {"built.smc", "a.smc"},    {"ab-built.smc", "ab.smc"}, {"ab-text.smc", "ab.smc"},
      {"csv.smc", "a.smc"},      {"a.smc", "a.smc"},         {"c.smc", "cb.smc"},
      {"clean.smc", "clean.smc"}, {"b.smc", "b.smc"},
  };
  for (const auto& [output, image] : outputs) {
    EXPECT_EQ(testing::DescribeDifferences(file(image), Read(output)), "") << output;
  }
  for (const char* unwritten : {"none.bps", "x.smc", "ac.yaml", "ca.smc", "bad.smc"}) {
    EXPECT_FALSE(Exists(unwritten)) << unwritten;
  }
  // Only the outputs, and no temporary file beside them.
  EXPECT_EQ(QDir::current().entryList(QDir::Files).join(' '),
            "a.smc a.yaml ab-built.smc ab-text.smc ab.smc ab.yaml b.bps b.smc bad.yaml built.smc "
            "c.smc cb.smc clean.smc csv.smc");
}

// A ROM written in place under a fault at each of its reads, writes and
// syncs, once or from there on: each is reported, refused with status 2; no
// byte outside the writes changes, and no write is left half done unless the
// message names it as holding neither value.
TEST_F(CommandLine, EveryFaultOfAnInPlaceApplyIsReportedAndTearsNothing) {
  ASSERT_EQ(Cli({"export", "clean.smc", "ab.smc", "-o", "ab.yaml"}).exit, 0);
  const QStringList apply = {"apply", "target.smc", "ab.yaml", "--in-place"};
  using Fault = testing::FaultyRomIo::Fault;
  testing::FaultyRomIo io;
  Write("target.smc", kClean);
  const Bytes before = Read("target.smc");
  ASSERT_EQ(Cli(apply, io).exit, 0);
  const Bytes after = Read("target.smc");
  ASSERT_NE(after, before);
  const std::vector<testing::FaultyRomIo::IoCall> calls = io.calls;
  int faults = 0;
  for (std::size_t call = 1; call <= calls.size(); ++call) {
    for (const auto& [fault, persistent] : {std::pair{Fault::kError, false},
                                           {Fault::kShortWrite, false}, {Fault::kError, true}}) {
      if (fault == Fault::kShortWrite && calls[call - 1].kind != 'w') continue;
      Write("target.smc", kClean);
      io.FaultAt(static_cast<int>(call), fault, 0, persistent);
      const Ran run = Cli(apply, io);
      const Bytes now = Read("target.smc");
      ++faults;
      EXPECT_EQ(run.exit, 2) << "call " << call;
      EXPECT_TRUE(run.err.startsWith("torvale-cli: ")) << "call " << call;
      ASSERT_EQ(now.size(), before.size());
      std::vector<bool> written(now.size());
      for (const auto& write : calls) {
        if (write.kind != 'w') continue;
        const auto from = static_cast<std::size_t>(write.offset);
        std::fill_n(written.begin() + static_cast<std::ptrdiff_t>(from), write.count, true);
        const bool old = std::equal(now.begin() + from, now.begin() + from + write.count,
                                    before.begin() + from);
        const bool made = std::equal(now.begin() + from, now.begin() + from + write.count,
                                     after.begin() + from);
        EXPECT_TRUE(old || made || run.err.contains("neither"))
            << "call " << call << ": the write at " << write.offset << " is torn, unreported";
      }
      for (std::size_t at = 0; at < now.size(); ++at) {
        if (!written[at]) ASSERT_EQ(now[at], before[at]) << "call " << call << " offset " << at;
      }
    }
  }
  EXPECT_GT(faults, 6);
}

}  // namespace
}  // namespace torvale
