#include "WindowFixture.h"

#include <filesystem>

#include "ui/DataFiles.h"
#include "ui/MainWindow.h"

namespace torvale::testing {

namespace {
// The program's folder and the installed data folder, as an installed program has them.
constexpr auto kProgramFolder = "bin";
constexpr auto kInstalledFolder = "share/torvale";
}  // namespace

WindowFixture::WindowFixture() {
  std::filesystem::create_directories(folder.File(kProgramFolder));
  std::filesystem::create_directories(folder.File(kInstalledFolder));
  for (const char* dataFile : {"Header.dat", "FF2us.tbl"}) {
    std::filesystem::copy_file(std::filesystem::path(TORVALE_RESOURCES_DIR) / dataFile,
                               DataFileIn(DataPlace::kProgramFolder, dataFile));
  }
  platform.programFolder = QString::fromStdString(folder.File(kProgramFolder).string());
}

QString WindowFixture::WriteRom(const Bytes& image, const std::string& name) const {
  return QString::fromStdString(testing::WriteRom(folder, image, name).string());
}

Bytes WindowFixture::ReadRom(const std::string& name) const {
  return ReadFileBytes(folder.File(name));
}

EditorFixture::EditorFixture(Bytes image, RomIo& io)
    : original(std::move(image)), session(platform, io) {
  if (!session.Open(WriteRom(original), nullptr)) {
    qFatal("the test's ROM was refused: %s",
           platform.messages.isEmpty() ? "not opened" : qPrintable(platform.messages[0].text));
  }
}

void WindowFixture::RemoveDataFile(const std::string& name) const {
  std::filesystem::remove(DataFileIn(DataPlace::kProgramFolder, name));
}

void WindowFixture::PlaceDataFile(const std::string& name, DataPlace place) const {
  std::filesystem::rename(DataFileIn(DataPlace::kProgramFolder, name), DataFileIn(place, name));
}

std::filesystem::path WindowFixture::DataFileIn(DataPlace place, const std::string& name) const {
  return folder.File(place == DataPlace::kInstalledFolder ? kInstalledFolder : kProgramFolder) /
         name;
}

void Drive(QWidget& root, const QString& steps) {
  for (const QString& step : steps.split(u' ', Qt::SkipEmptyParts)) {
    const QByteArray name = step.section(u'=', 0, 0).toLatin1();
    const QString value = step.section(u'=', 1);
    auto* control = Control<QObject>(root, name.constData());
    if (auto* list = qobject_cast<QListWidget*>(control)) {
      ClickRow(*list, value.toInt());
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
      combo->setCurrentIndex(value.toInt());
    } else if (auto* box = qobject_cast<QLineEdit*>(control)) {
      ReplaceText(*box, value);
    } else if (auto* action = qobject_cast<QAction*>(control)) {
      action->trigger();
    } else {
      ClickButton(*Control<QAbstractButton>(root, name.constData()));
    }
  }
}

void ClickTab(QTabBar& tabs, int tab) {
  QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(tab).center());
}

QString Shown(const QWidget& root, const char* name) {
  if (*name == '\0') return root.windowTitle();
  auto* control = Control<QWidget>(root, name);
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  if (auto* box = qobject_cast<QLineEdit*>(control)) return box->text();
  if (auto* combo = qobject_cast<QComboBox*>(control)) return combo->currentText();
  if (auto* list = qobject_cast<QListWidget*>(control)) return QString::number(list->currentRow());
  return Control<QAbstractButton>(root, name)->text();
}

void ExpectShown(const QWidget& root,
                 std::initializer_list<std::pair<const char*, QString>> expected) {
  for (const auto& [name, text] : expected) {
    QCOMPARE(QString::fromLatin1(name) + ": " + Shown(root, name),
             QString::fromLatin1(name) + ": " + text);
  }
}

void ExpectMessage(const ScriptedPlatform& platform, MessageIcon icon, const QString& text,
                   bool whole) {
  QCOMPARE(platform.messages.size(), 1);
  QCOMPARE(platform.messages[0].icon, icon);
  QCOMPARE(whole ? platform.messages[0].text : platform.messages[0].text.left(text.size()), text);
}

void VerifyNoRomOpen(const ui::MainWindow& window) {
  for (const char* name : {"EditINameCMD", "EditROMHeaderCMD", "EditROMFormatCMD", "ExpandCHK",
                           "SaveCMD", "Tree", "dROMTag", "mnuClose", "mnuSave"}) {
    QVERIFY2(!Control<QObject>(window, name)->property("enabled").toBool(), name);
  }
  QVERIFY(Control<QLineEdit>(window, "iROMName")->isReadOnly());
  for (const char* field : {"iROMName", "sROMFile", "eROM", "cROMFormat", "ROMHeaderLBL",
                            "ROMVersionLBL", "ChecksumLBL", "CRC32LBL"}) {
    ExpectShown(window, {{field, "N/A"}});
  }
  ExpectShown(window, {{"", "Torvale (v1.2)"}, {"dROMTag", "[None]"}});
  QVERIFY(!Control<QCheckBox>(window, "ExpandCHK")->isChecked());
  for (QTreeWidgetItemIterator node(Control<QTreeWidget>(window, "Tree")); *node; ++node) {
    QVERIFY(!(*node)->isExpanded());
  }
}

}  // namespace torvale::testing
