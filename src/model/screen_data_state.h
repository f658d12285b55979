// What the main frame shows besides the gear: the switches of the text panel, the
// pivot data rows, the live cut-off read-out, the pen width and the text layout.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "text_scale.h"

namespace quarn {

constexpr int PivotDataRows = 6;  // rows 1..6; entry 0 is unused

struct ScreenDataState {
    std::uint8_t ScreenDataOn = 1;         // text panel and the window's controls shown
    std::uint8_t RefPointsOn = 0;          // reference points shown and placeable
    std::uint8_t PivotDataOn = 0;          // pivot data block shown
    std::uint8_t PivotRowPickPending = 0;  // a row waits for the click that picks its pivot
    std::uint8_t PickPending = 0;          // the lines dialog waits for pivots to be clicked

    std::array<float, PivotDataRows + 1> PivotDataRowPivot{};        // a pivot number per row
    std::array<std::int32_t, PivotDataRows + 1> PivotDataRowSet{};   // 1 once given a pivot
    int PivotDataPickRow = 1;
    // The pivot the last pick chose, for any row; a pick that finds no pivot near
    // enough takes it again.
    int LastPickedPivot = 0;

    // The live cut-off read-out. Any change of the gear's setting or geometry empties
    // the texts, as the figures shown belong to the old gear.
    std::string FrontCutOffText;
    std::string RearCutOffText;
    int FrontCutOffFrames = 0;
    int RearCutOffFrames = 0;
    float PrevPistonPos = 0;
    float PrevFrontSteamOpening = 0;
    float PrevRearSteamOpening = 0;

    int LineWidth = 1;  // 1 or 2 pixels
    TextScale text;     // the small or the large-font layout
};

inline void clearCutOffTexts(ScreenDataState& s) {
    s.FrontCutOffText.clear();
    s.RearCutOffText.clear();
}

}  // namespace quarn
