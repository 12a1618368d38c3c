#include "ui/DataFiles.h"

#include <QFileInfo>

#include "frontend/DataFolder.h"
#include "rom/Version.h"
#include "ui/Platform.h"

namespace torvale::ui {

QString DataFilePath(const Platform& platform, const QString& fileName) {
  return frontend::DataFilePathIn(platform.ProgramFolder(), fileName);
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
