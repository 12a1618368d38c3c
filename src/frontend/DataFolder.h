#pragma once

#include <QString>

namespace torvale::frontend {

// The path of a program's data file: in the program's own folder (the build
// tree), or else in ../share/torvale beside it (an installed program, whatever
// its prefix). When neither holds the file, its path in the program's folder.
QString DataFilePathIn(const QString& programFolder, const QString& fileName);

}  // namespace torvale::frontend
