#include "WindowFixture.h"

#include <filesystem>

#include "ui/DataFiles.h"

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
    : original(std::move(image)), rom(io), text(ui::MakeTextCodec(platform)) {
  rom.Open(testing::WriteRom(folder, original));
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

}  // namespace torvale::testing
