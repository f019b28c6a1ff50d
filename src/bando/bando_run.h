// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Run BANDO": erodibility EI, erosivity Et, the rate At = EI x Et / 1000 and
// its risk class, with the texts the indicator window shows and the messages
// it raises, in order. The window only applies the outcome (texts, note
// label, message boxes, focus, the visibility of its groups); the batch
// runner prints it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bando/bando_state.h"

namespace sodwright::bando {

// User-visible texts, exactly as shown.
inline constexpr std::string_view kEtNoteText =
    "Sorry! we don't have this erosivity data in our database, please try another crop type.";
inline constexpr std::string_view kPleaseInputData = "Please input data";
inline constexpr std::string_view kConvexAreaMissing =
    "Note, data of the convex proportion of the field is missing";
inline constexpr std::string_view kCheckInputData = "Please check your input data";

inline constexpr std::string_view kSlopeMask = "##0.0";  // the three slope data
inline constexpr std::string_view kEiMask = "####0.0";   // erodibility EI
inline constexpr std::string_view kEtMask = "####0.0";   // erosivity Et
inline constexpr std::string_view kRateMask = "###0.0";  // the rate At

// What is typed in the three slope-data boxes; read only in slope-data mode.
struct SlopeDataTexts {
  std::string maxSlopeGradient;   // %
  std::string convexSlopeLength;  // m
  std::string convexArea;         // %; its emptiness alone matters
};

// Where a run ended early. The window shows the erodibility inputs of the
// current mode in every case, and the erosivity inputs and Et result group
// only when the run got past the erodibility (every stop but Erodibility).
enum class RunStop {
  None,         // ran to the class
  Erodibility,  // slope data missing or unusable; no result text changes
  Erosivity,    // no CropErosivity for the selection; EI shown, the erosivity note shown
  Class,        // the rate has no class; EI, Et and (when finite) the rate shown
};

// The input the user is sent back to when a run ends early.
enum class RunFocus { None, MaxSlopeGradient, CropType };

struct BandoRunOutcome {
  // Texts of the inputs and results; an empty optional leaves one as it is.
  std::optional<std::string> msgText;    // maximum slope gradient (slope-table mode only)
  std::optional<std::string> cslText;    // convex slope length
  std::optional<std::string> caText;     // convex area
  std::optional<std::string> eiText;     // erodibility EI
  std::optional<std::string> etText;     // erosivity Et
  std::optional<std::string> atText;     // the rate At
  std::optional<std::string> classText;  // the risk class

  bool etNoteVisible = false;  // the erosivity note after the run (the run first hides it)
  // Message boxes, in the order they are shown: those of the erodibility step
  // come right after EI is formed, before the erosivity step fills anything;
  // the others after the rate.
  std::vector<std::string> erodibilityMessages;
  std::vector<std::string> messages;
  RunStop stop = RunStop::None;
  RunFocus focus = RunFocus::None;
};

// The run with the current selections and modes of `state`. Writes
// ErodibilityEI, ErosivityEt and RateAt as far as the run gets.
// `typed` is read only when state.UseSlopeData != 0.
BandoRunOutcome runBando(BandoState& state, const SlopeDataTexts& typed);

// The risk class of a rate, tested on the unrounded value; every boundary
// belongs to the higher class. Empty for a rate that is not >= 0.
std::optional<std::string_view> classForRate(float rateAt);

}  // namespace sodwright::bando
