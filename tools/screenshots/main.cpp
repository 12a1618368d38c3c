// Takes the README's pictures of Torvale's windows.
//
//   torvale_screenshots <ROM file> <picture folder>
//
// Opens the ROM in the main window through its file dialog, then every editor
// from its node in the editor tree, the music editor from the map properties
// editor and the text list from the information picture, as a user would;
// each window is saved as a PNG once its lists are filled and its first
// record is shown. Nothing is written to the ROM.

#include <QApplication>
#include <QDir>
#include <QTreeWidget>
#include <QtTest>
#include <cstdio>
#include <filesystem>

#include "ScreenshotPlatform.h"
#include "SyntheticSpc.h"
#include "ui/EditorNodes.h"
#include "ui/MainWindow.h"

namespace {

void ClickNode(QTreeWidget& tree, const QString& text) {
  // "Data Tables" is both a top node and its child; either opens the window.
  QTreeWidgetItem* node = tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive).last();
  tree.scrollToItem(node);
  QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(node).center());
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: torvale_screenshots <ROM file> <picture folder>\n");
    return EXIT_FAILURE;
  }
  const QDir pictures(QString::fromLocal8Bit(argv[2]));
  // The music editor's player is shown with a tag: a made-up SPC file's.
  const std::filesystem::path spc = std::filesystem::temp_directory_path() / "tune.spc";
  torvale::testing::WriteBytes(spc,
                               torvale::testing::BuildSyntheticSpc("Made-up Quest", "Field March"));

  torvale::tools::ScreenshotPlatform platform(
      pictures, {QString::fromLocal8Bit(argv[1]), QString::fromStdString(spc.string())});
  torvale::ui::MainWindow main(platform);
  main.LoadROM();
  main.show();
  platform.Photograph(main, QStringLiteral("main-window"));
  auto& tree = *main.findChild<QTreeWidget*>(QStringLiteral("Tree"));
  for (const torvale::ui::EditorNode& editor : torvale::ui::EditorNodes()) {
    ClickNode(tree, QString::fromLatin1(editor.nodeText));
  }
  QTest::mouseClick(main.findChild<QWidget*>(QStringLiteral("InfoIMG")), Qt::LeftButton);

  std::filesystem::remove(spc);
  return platform.Failed() ? EXIT_FAILURE : EXIT_SUCCESS;
}
