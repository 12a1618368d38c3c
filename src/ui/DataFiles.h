#pragma once

#include <QString>

#include "text/TextCodec.h"

namespace torvale::ui {

class Platform;

inline constexpr auto kHeaderTemplateFile = "Header.dat";
inline constexpr auto kCharacterTableFile = "FF2us.tbl";

// The path of a data file: in the program's own folder (the build tree), or
// else in ../share/torvale beside it (an installed program, whatever its
// prefix). When neither holds the file, its path in the program's folder.
QString DataFilePath(const Platform& platform, const QString& fileName);

// True when the data file exists. Otherwise tells the user that the program
// must be reinstalled, ends the program, and returns false.
bool RequireDataFile(Platform& platform, const QString& fileName);

// The text codec over the character table found by DataFilePath: a read
// with the table missing tells the user and ends the program.
TextCodec MakeTextCodec(Platform& platform);

}  // namespace torvale::ui
