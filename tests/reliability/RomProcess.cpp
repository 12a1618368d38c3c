// A second program working on a ROM, for the separate-process tests.
//   RomProcess apply-loop <rom> <editor>  applies edit A, prints "ready", then
//                                         applies B, A, B, ... until killed

#include <cstdio>
#include <cstring>

#include "EditorDriver.h"
#include "WindowFixture.h"
#include "rom/RomFile.h"
#include "text/TextCodec.h"
#include "ui/DataFiles.h"
#include "ui/EditorContext.h"
#include "ui/History.h"

using namespace torvale::testing;

namespace {

int ApplyForever(const char* path, const char* editorName) {
  const EditorModel* const model = &EditorModelNamed(editorName);
  torvale::RomFile rom;
  rom.Open(path);
  ScriptedPlatform platform;
  platform.programFolder = QStringLiteral(TORVALE_RESOURCES_DIR);
  const torvale::TextCodec text = torvale::ui::MakeTextCodec(platform);
  torvale::ui::History history(rom, platform);
  const torvale::ui::EditorContext context{rom, platform, text, history};
  const auto window = OpenEditor(*model, context);
  PickFirstRecords(*window, *model);
  for (int round = 0;; ++round) {
    SetEveryField(*window, *model, round % 2 == 1);
    ClickApply(*window);
    if (round == 0) {
      std::puts("ready");
      std::fflush(stdout);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 || std::strcmp(argv[1], "apply-loop") != 0) return 2;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  return ApplyForever(argv[2], argv[3]);
}
