// Lines and circles laid over the drawing, as parallel columns of 4-byte reals (the
// dimension file stores them column by column), and the item the dialog edits.
#pragma once

#include <array>
#include <string>
#include <type_traits>

namespace quarn {

constexpr int OverlayItemCount = 20;

struct OverlayItems {
    // Index 0 is working space (reference point 1 when the dialog last opened); items
    // are 1..20.
    using Column = std::array<float, OverlayItemCount + 1>;
    Column Horz1{}, Vert1{}, Horz2{}, Vert2{};
    Column Pivot1HorzAtPick{}, Pivot1VertAtPick{}, Pivot2HorzAtPick{}, Pivot2VertAtPick{};
    // Never-used items are empty (-1), with no colour and no reference.
    Column ItemType = filled(-1), ItemColor = filled(-1), ItemRef = filled(-1);
    Column Pivot1{}, Pivot2{};
    int CurrentItem = 1;  // 1..20
    // The dialog's "Referenced to" choice: -1 none, 0 "0,0", 1 "Pivot1", 2 "Piv1/0,0",
    // 3 "Piv1/Piv2". The main frame's pick prompts read it; the file does not carry it.
    int ReferenceChoice = -1;

    // The rest of the dialog as its rules leave it; the file does not carry it either.
    // The main window's clicks read the choices to know whether a pick reopens it.
    int TypeChoice = -1;   // -1 none, 0 "Line", 1 "Circle"
    int ColorChoice = -1;  // -1 none, else an index into the colour table
    bool DrawButEnabled = false;
    int HighlightedItem = 1;  // the aqua row; follows CurrentItem only when refreshed
    // Set by every left click on the main window; the right click that completes a
    // two-pivot pick needs it and clears it.
    bool PickArmed = false;
    // The texts of a row: its type, colour and reference labels, then the fields of
    // Vert1, Horz1, Vert2, Horz2. Entry 0 is unused.
    struct RowText {
        std::string type, color, ref;
        std::array<std::string, 4> fields;
    };
    std::array<RowText, OverlayItemCount + 1> rows{};

private:
    static constexpr Column filled(float v) {
        Column c{};
        c.fill(v);
        return c;
    }
};

constexpr int OverlayColumnCount = 13;

// Every column, in the order the dimension file stores them; the one list of them.
template <class Items>  // OverlayItems or const OverlayItems
auto overlayColumns(Items& o) {
    using Col = std::conditional_t<std::is_const_v<Items>, const OverlayItems::Column,
                                   OverlayItems::Column>;
    return std::array<Col*, OverlayColumnCount>{
        &o.Horz1,  &o.Vert1,  &o.Horz2,    &o.Vert2,     &o.Pivot1HorzAtPick,
        &o.Pivot1VertAtPick,  &o.Pivot2HorzAtPick,        &o.Pivot2VertAtPick,
        &o.ItemType, &o.ItemColor, &o.ItemRef, &o.Pivot1, &o.Pivot2};
}

}  // namespace quarn
