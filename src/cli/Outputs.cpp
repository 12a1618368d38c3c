#include "cli/Outputs.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <vector>

#include "patch/OutputFile.h"
#include "patch/PatchError.h"

namespace torvale::cli {

void RequireWritable(const QString& path, const QStringList& inputs, bool force) {
  const QFileInfo output(path);
  for (const QString& input : inputs) {
    if (output.absoluteFilePath() == QFileInfo(input).absoluteFilePath()) {
      throw PatchError("\"" + QDir::toNativeSeparators(path).toStdString() +
                       "\" is one of the command's inputs, which are never written over.");
    }
  }
  if (output.exists() && !force) {
    throw PatchError("\"" + QDir::toNativeSeparators(path).toStdString() +
                     "\" exists already: give --force to replace it.");
  }
}

void WriteOutput(const QString& path, std::span<const std::uint8_t> bytes,
                 const QStringList& inputs, bool force, std::string_view what) {
  RequireWritable(path, inputs, force);
  std::vector<std::filesystem::path> protectedFiles;
  for (const QString& input : inputs) protectedFiles.push_back(input.toStdString());
  WriteOutputFile(path.toStdString(), bytes, protectedFiles, what);
}

}  // namespace torvale::cli
