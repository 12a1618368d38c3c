#include "patch/PatchError.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace torvale {

void ThrowPatchError(const char* format, ...) {
  std::va_list values, again;
  va_start(values, format);
  va_copy(again, values);
  std::string message(static_cast<std::size_t>(std::vsnprintf(nullptr, 0, format, values)), '\0');
  va_end(values);
  std::vsnprintf(message.data(), message.size() + 1, format, again);
  va_end(again);
  throw PatchError(message);
}

}  // namespace torvale
