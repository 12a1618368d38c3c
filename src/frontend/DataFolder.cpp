#include "frontend/DataFolder.h"

#include <QDir>
#include <QFileInfo>

namespace torvale::frontend {
namespace {

// Where an installed program's data files lie, relative to its own folder.
constexpr auto kInstalledDataFolder = "../share/torvale";

}  // namespace

QString DataFilePathIn(const QString& programFolder, const QString& fileName) {
  const QDir folder(programFolder);
  const QString besideProgram = folder.filePath(fileName);
  if (QFileInfo(besideProgram).isFile()) return besideProgram;
  const QString installed =
      QDir::cleanPath(folder.filePath(QString::fromLatin1(kInstalledDataFolder) + u'/' + fileName));
  return QFileInfo(installed).isFile() ? installed : besideProgram;
}

}  // namespace torvale::frontend
