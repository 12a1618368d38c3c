#pragma once

class QString;
class QWidget;

namespace torvale::ui {

class Platform;

// Starts the emulator the user chose with the ROM's path as its argument. The
// first time, and when the chosen program is gone, it asks for the program
// and keeps the answer; when the user cancels, the desktop's own program for
// the file runs it, then and from then on.
void RunInEmulator(Platform& platform, QWidget* parent, const QString& romPath);
// Asks for the emulator again and keeps the answer; Cancel hands ROM files to
// the desktop's own program.
void ChooseEmulator(Platform& platform, QWidget* parent);

}  // namespace torvale::ui
