#pragma once

namespace torvale::ui {

// Shown on the splash and in the Special Thanks window, one line per thanks.
inline constexpr auto kCredits =
    "The players who mapped the game's data tables and shared what they found.\r\n"
    "Everyone who tried early versions and reported what broke.\r\n"
    "The makers of the toolkit and compilers this program is built with.\r\n"
    "You, for editing with care and keeping a backup of your ROM.";

}  // namespace torvale::ui
