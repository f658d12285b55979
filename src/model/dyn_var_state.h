// The live-change slots and the undo history: the four dimensions bound to the
// dynamic-variable scroll bars, the last 20 changes, and the flags around them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "scroll_rule.h"

namespace quarn {

constexpr int DynVarSlotCount = 4;  // slots 1..4; entry 0 is the incoming selection
constexpr int UndoDepth = 20;       // records 1..20; record 0 is working space
constexpr std::size_t ShortNameLength = 25;

// The name of a slot that holds no dimension: 13 blanks and "??".
inline constexpr std::string_view EmptySlotName = "             ??";

struct DynVarEntry {
    std::int32_t DynVarCode = 0;
    float DynVarValue = 0;
    std::string DynVarName{EmptySlotName};
};

struct UndoRecord {
    std::int32_t DynVarCode = 0;  // 0 = empty
    float OldValue = 0;           // the dimension before the change
    float NewValue = 0;           // the dimension after it
    std::string Name;
};

struct DynVarState {
    std::array<DynVarEntry, DynVarSlotCount + 1> DynVarSlots{};
    int DynVarSel = 1;
    float DynVarStep = 0.001f;

    std::array<UndoRecord, UndoDepth + 1> UndoHistory{};  // [1] newest, [20] oldest
    int UndoCount = 0;
    // The UnDo buttons of the main window and of the four diagram windows are
    // enabled together; every window shows this one flag.
    bool UndoEnabled = false;

    std::uint8_t TypedFlag = 0;     // a key was accepted in a dimension field
    std::uint8_t DynVarsShown = 0;  // the four bars and the slot panel are shown
    std::uint8_t UndoShown = 0;     // the UnDo button and the undo line are shown
    float FocusValue = 0;           // slot value when a dynamic-variable bar took the focus

    // Remembered positions of bar k (1..4), shared by the main window's bar k and
    // bar k of every diagram window; entry 0 is unused.
    std::array<SpringBackBar, DynVarSlotCount + 1> bars{};

};

}  // namespace quarn
