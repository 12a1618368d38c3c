#include "ui/DataFiles.h"

#include <QDir>
#include <QFileInfo>

#include "rom/Version.h"
#include "ui/Platform.h"

namespace torvale::ui {

namespace {
// Where an installed program's data files lie, relative to its own folder.
constexpr auto kInstalledDataFolder = "../share/torvale";
}  // namespace

QString DataFilePath(const Platform& platform, const QString& fileName) {
  const QDir programFolder(platform.ProgramFolder());
  const QString besideProgram = programFolder.filePath(fileName);
  if (QFileInfo(besideProgram).isFile()) return besideProgram;
  const QString installed = QDir::cleanPath(
      programFolder.filePath(QString::fromLatin1(kInstalledDataFolder) + u'/' + fileName));
  return QFileInfo(installed).isFile() ? installed : besideProgram;
}

bool RequireDataFile(Platform& platform, const QString& fileName) {
  if (QFileInfo(DataFilePath(platform, fileName)).isFile()) return true;
  platform.ShowMessage(nullptr, MessageIcon::kCritical, QString::fromLatin1(kProgramName),
                       QStringLiteral("You are missing a vital data file, you will need to "
                                      "reinstall the program to fix this error.  This "
                                      "application will now close."));
  platform.EndProgram();
  return false;
}

TextCodec MakeTextCodec(Platform& platform) {
  const QString tableFile = QString::fromLatin1(kCharacterTableFile);
  return TextCodec(DataFilePath(platform, tableFile).toStdString(),
                   [&platform, tableFile] { RequireDataFile(platform, tableFile); });
}

}  // namespace torvale::ui
