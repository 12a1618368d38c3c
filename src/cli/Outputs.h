#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <span>
#include <string_view>

namespace torvale::cli {

// Writes an output file through a temporary file renamed into place, never
// over one of `inputs`; a file that exists already is refused unless
// `force`. Throws PatchError naming what failed.
void WriteOutput(const QString& path, std::span<const std::uint8_t> bytes,
                 const QStringList& inputs, bool force, std::string_view what);
// The same check, made for every output before the first is written.
void RequireWritable(const QString& path, const QStringList& inputs, bool force);

}  // namespace torvale::cli
