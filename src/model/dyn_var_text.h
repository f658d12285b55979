// The texts the windows draw for the dynamic variables and the undo history: the
// slot panel (or the "first select" banner) and the undo line.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "gear_model.h"

namespace quarn {

inline constexpr std::string_view DynVarBannerStars = "*******************************";
inline constexpr std::string_view DynVarBannerText = "* First Select Dimensions *";

struct DynVarPanelRow {
    int rowOffset;      // pixels below the panel's first row, before the text scale
    std::string name;   // drawn at the name column
    std::string value;  // drawn at the value column; empty on banner rows
};

struct DynVarPanelText {
    bool banner = false;  // no dimension selected yet: the rows are the red banner
    std::array<DynVarPanelRow, DynVarSlotCount> rows{};
    int rowCount = 0;
};

// The four slots with their values (width 6, 3 decimals), or, while slot 1 is
// empty, the three banner lines drawn in red.
DynVarPanelText dynVarPanelText(const GearModel& m);

// UndoCount, then the newest record: "20- Driver Dia  9.010 to  9.000".
std::string undoLineText(const GearModel& m);

}  // namespace quarn
