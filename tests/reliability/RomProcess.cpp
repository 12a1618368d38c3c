// A second program working on a ROM, for the separate-process tests.
//   RomProcess apply-loop <rom> <editor>  applies edit A, prints "ready", then
//                                         applies B, A, B, ... until killed
//   RomProcess undo-loop <rom> <editor>   applies edit A, then B, prints "ready",
//                                         then undoes B, redoes it, ... until killed

#include <cstdio>
#include <cstring>

#include "EditorDriver.h"
#include "WindowFixture.h"
#include "ui/EditorContext.h"
#include "ui/RomSession.h"

using namespace torvale::testing;

namespace {

int LoopForever(bool undo, const char* path, const char* editorName) {
  const EditorModel* const model = &EditorModelNamed(editorName);
  ScriptedPlatform platform;
  platform.programFolder = QStringLiteral(TORVALE_RESOURCES_DIR);
  torvale::ui::RomSession session(platform);
  if (!session.Open(QString::fromLocal8Bit(path), nullptr)) return 2;
  const torvale::ui::EditorContext context{session, platform};
  const auto window = OpenEditor(*model, context);
  PickFirstRecords(*window, *model);
  for (int round = 0;; ++round) {
    const bool highest = round % 2 == 1;
    if (undo && round > 1) {
      QTest::keyClick(window.get(), Qt::Key_Z,
                      highest ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
    } else {
      SetEveryField(*window, *model, highest);
      ClickApply(*window);
    }
    if (round == (undo ? 1 : 0)) {
      std::puts("ready");
      std::fflush(stdout);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const bool undo = argc == 4 && std::strcmp(argv[1], "undo-loop") == 0;
  if (argc != 4 || (!undo && std::strcmp(argv[1], "apply-loop") != 0)) return 2;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  return LoopForever(undo, argv[2], argv[3]);
}
