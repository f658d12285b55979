// The lines-and-circles overlay's rules: what the dialog's choices, buttons and fields do
// to the items and to the dialog's own texts, the pick of the pivots an item is tied to,
// and the texts of its rows. The dialog only mirrors OverlayItems after each of these.
#pragma once

#include <array>
#include <string>

#include "gear_model.h"

namespace quarn {

// The captions of the dialog's three choices, in their order.
constexpr std::array<const char*, 2> OverlayTypeNames{"Line", "Circle"};
constexpr std::array<const char*, 6> OverlayColorNames{"Black", "Red",  "Green",
                                                       "Yellow", "Blue", "Gray"};
// The stored pen colours of those six, as 0x00BBGGRR values.
constexpr std::array<float, 6> OverlayColorValues{0, 255, 32768, 65535, 16711680, 8421504};
constexpr std::array<const char*, 4> OverlayReferenceNames{"0,0", "Pivot1", "Piv1/0,0",
                                                           "Piv1/Piv2"};
// What a row's reference label reads (narrower than the choices).
constexpr std::array<const char*, 4> OverlayReferenceLabels{"0 , 0", "Pivot1", "Piv1/0,0",
                                                            "Piv1/P2"};

// Reference 0 fixes the item on the drawing; 1 ties both points to one pivot; 2 ties the
// first point of a line to a pivot and leaves the second fixed; 3 ties each point of a
// line to a pivot of its own.
// Plain numbers, as the items store them in floats.
constexpr int RefFixed = 0, RefPivot1 = 1, RefPiv1Fixed = 2, RefPiv1Piv2 = 3;

// Pivots an item may be tied to: 1..26 without the two reference points.
constexpr int FirstOverlayPivot = 1;
constexpr int LastOverlayPivot = 26;

// What the dialog has to do besides mirroring the model.
struct OverlayOutcome {
    bool beep = false;
    bool close = false;
};

// The pivot a stored Pivot1 or Pivot2 stands for. False for a value that is not a number
// or that does not round to a pivot 0..26: such an item is kept as it is but not drawn.
bool overlayPivotIndex(float stored, int& index);

// The index of a stored colour in the colour table, or -1.
int overlayColorIndex(float stored);

// True while both reference points sit exactly on the driver centre: there is nothing
// yet to lay an item from. The menu command beeps then, and the type choice refuses.
bool referencePointsUnset(const GearModel& m);

// The pivot nearest to a point among 1..26 without 19 and 20, by |dVert| + |dHorz|;
// of equally near pivots the lowest number. 0 when none lies within 10000 units.
int nearestOverlayPivot(const GearModel& m, PivotPoint at);

// A click on the item number of row k (1..20): that item becomes the one edited.
void chooseOverlayItem(GearModel& m, int k);

// The three choices: type (0 line, 1 circle), colour (index into the table), reference
// (0..3). Each refuses with a beep when the choices before it are missing.
OverlayOutcome chooseOverlayType(GearModel& m, int type);
OverlayOutcome chooseOverlayColor(GearModel& m, int color);
OverlayOutcome chooseOverlayReference(GearModel& m, int ref);

// The dialog is shown (from the menu or after a pick): a pending pick puts the item back
// in front and ties it to the pivots nearest the reference points.
void overlayDialogActivated(GearModel& m);

// "Draw Close": stores the item, converts it to its reference and moves to the next.
OverlayOutcome drawCloseOverlayItem(GearModel& m);
// "Clear Line": empties the edited item.
void clearOverlayItem(GearModel& m);
// "Close": drops the choices and any pending pick.
void closeOverlayDialog(GearModel& m);

// Leaving field `column` (0 Vert1, 1 Horz1, 2 Vert2, 3 Horz2) of row `item` with `text`.
void storeOverlayField(GearModel& m, int item, int column, const std::string& text);

// Every row's fields and labels from the items (after a dimension file was read).
void refreshOverlayRows(GearModel& m);

// After a dimension file has been read: the labels emptied, the current row
// highlighted, the rows shown from the items.
void overlayFollowLoadedDesign(GearModel& m);

// A value as the rows show it: width 7, three decimals.
std::string overlayFieldText(double v);

}  // namespace quarn
