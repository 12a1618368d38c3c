#include "patch/CreatePatch.h"

#include "patch/BpsPatch.h"
#include "patch/ImageDiff.h"
#include "patch/IpsPatch.h"
#include "patch/OutputFile.h"

namespace torvale {

PatchSummary CreatePatch(std::span<const std::uint8_t> clean, std::span<const std::uint8_t> edited,
                         PatchFormat format, const std::filesystem::path& destination,
                         std::span<const std::filesystem::path> protectedFiles,
                         std::string_view metadata) {
  const std::vector<ChangedRun> runs = DiffImages(clean, edited);
  PatchSummary summary{0, runs.size(), false};
  for (const ChangedRun& run : runs) summary.changedBytes += run.length;
  if (runs.empty()) return summary;
  const std::vector<std::uint8_t> patch =
      format == PatchFormat::kBps ? EncodeBps(clean, edited, runs, metadata) : EncodeIps(edited, runs);
  WriteOutputFile(destination, patch, protectedFiles);
  summary.written = true;
  return summary;
}

}  // namespace torvale
