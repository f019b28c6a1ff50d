// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The address of the user guide shipped with the program (docs/help/index.html),
// for the help links of the windows; they open it in the desktop's browser
// through the ProgramStarter.

#include <string>
#include <string_view>

namespace sodwright::shared_ui {

// Sections of the guide the windows link to.
inline constexpr std::string_view kHelpKolv = "kolv";
inline constexpr std::string_view kHelpNibal = "nibal";
inline constexpr std::string_view kHelpBando = "bando";
inline constexpr std::string_view kHelpTransectFile = "transect-file";
inline constexpr std::string_view kHelpGridFile = "grid-file";
inline constexpr std::string_view kHelpLandformSurfaceForms = "landform-surface-forms";
inline constexpr std::string_view kHelpIndicator = "the-indicator";

// The guide's file: next to the program (help/index.html), in an installed
// share/sodwright/help, or in the source tree the program was built from.
// Empty when none of them exists.
std::string helpPagePath();

// A file:// address of the guide, with "#anchor" when an anchor is given.
// Falls back to the source tree's guide when no copy is found.
std::string helpPageAddress(std::string_view anchor = {});

}  // namespace sodwright::shared_ui
