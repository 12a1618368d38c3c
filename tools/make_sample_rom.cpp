// Writes the sample ROM image that a new user opens to try the editor.

#include <exception>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "romgen/SyntheticRom.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: " << (argc > 0 ? argv[0] : "torvale_make_sample_rom") << " <path>\n";
    return 2;
  }
  const std::filesystem::path path = argv[1];
  try {
    if (path.has_parent_path()) {
      std::error_code error;
      std::filesystem::create_directories(path.parent_path(), error);
      if (error) {
        std::cerr << "cannot create folder " << path.parent_path().string() << ": "
                  << error.message() << '\n';
        return 1;
      }
    }
    torvale::romgen::WriteFileBytes(path, torvale::romgen::BuildSampleRom());
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}
