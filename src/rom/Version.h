#pragma once

#include <string>

namespace torvale {

inline constexpr const char* kProgramName = "Torvale";
inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 2;

// Every version text shows major and revision only: "1.2".
inline std::string VersionText() {
  return std::to_string(kVersionMajor) + "." + std::to_string(kVersionRevision);
}

}  // namespace torvale
