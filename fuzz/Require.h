#pragma once

#include <string_view>

namespace torvale::fuzz {

// Ends the process with a message when a property does not hold, so that the
// fuzzer keeps the input that broke it and a corpus replay fails.
void Require(bool holds, std::string_view property);

}  // namespace torvale::fuzz
