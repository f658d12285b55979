// The overlay dialog's rules on the items, the pivot pick and the row texts.
#include "overlay.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "motion.h"
#include "number_text.h"
#include "pointer.h"
#include "rounding.h"

namespace quarn {
namespace {

using Row = OverlayItems::RowText;

// The item the dialog writes to. CurrentItem leaves 1..20 only while the dialog is shut
// for a pick, but a file read in between may have moved it; no write may miss the rows.
int editedItem(const OverlayItems& o) { return std::clamp(o.CurrentItem, 1, OverlayItemCount); }

bool allChosen(const OverlayItems& o) {
    return o.TypeChoice >= 0 && o.ColorChoice >= 0 && o.ReferenceChoice >= 0;
}

void clearChoices(OverlayItems& o) {
    o.TypeChoice = o.ColorChoice = o.ReferenceChoice = -1;
}

// A value shown in a row is read back from its text, so the item holds what it shows.
float shownValue(Row& row, int column, double v) {
    std::string text = overlayFieldText(v);
    row.fields[std::size_t(column)] = text;
    const std::size_t first = text.find_first_not_of(' ');
    return static_cast<float>(
        leadingNumber(first == std::string::npos ? std::string_view{}
                                                 : std::string_view(text).substr(first)));
}

PivotPoint referencePoint(const GearModel& m, int pivot) {
    return {m.PivotHorz[std::size_t(pivot)], m.PivotVert[std::size_t(pivot)]};
}

double distance(double v1, double h1, double v2, double h2) {
    return std::sqrt((v1 - v2) * (v1 - v2) + (h1 - h2) * (h1 - h2));
}

// The item's values made relative to the pivots it was tied to, as the table of the
// conversion has it, and shown in its row.
void convertItem(GearModel& m, int k) {
    OverlayItems& o = m.overlay;
    Row& row = o.rows[std::size_t(k)];
    const auto i = std::size_t(k);
    const bool circle = o.ItemType[i] == 1;
    const int ref = o.ReferenceChoice;
    double v1 = o.Vert1[i], h1 = o.Horz1[i], v2 = o.Vert2[i], h2 = o.Horz2[i];
    if (ref != RefFixed) {
        v1 -= o.Pivot1VertAtPick[i];
        h1 -= o.Pivot1HorzAtPick[i];
    }
    if (!circle && ref == RefPivot1) {
        v2 -= o.Pivot1VertAtPick[i];
        h2 -= o.Pivot1HorzAtPick[i];
    } else if (!circle && ref == RefPiv1Piv2) {
        v2 -= o.Pivot2VertAtPick[i];
        h2 -= o.Pivot2HorzAtPick[i];
    } else if (circle) {
        // Centred on reference point 1, through reference point 2. Tied to a pivot, the
        // centre is the point kept when the dialog opened before the pick moved point 1.
        h2 = ref == RefFixed ? distance(o.Vert1[i], o.Horz1[i], v2, h2)
                             : distance(o.Vert1[0], o.Horz1[0], v2, h2);
    }
    o.Vert1[i] = shownValue(row, 0, v1);
    o.Horz1[i] = shownValue(row, 1, h1);
    if (circle)
        row.fields[2].clear();  // a circle has no second point
    else
        o.Vert2[i] = shownValue(row, 2, v2);
    o.Horz2[i] = shownValue(row, 3, h2);
}

void tieToPivot(GearModel& m, int k, int refPoint, OverlayItems::Column& pivot,
                OverlayItems::Column& horzAtPick, OverlayItems::Column& vertAtPick) {
    const int p = nearestOverlayPivot(m, referencePoint(m, refPoint));
    const auto i = std::size_t(k);
    pivot[i] = static_cast<float>(p);
    horzAtPick[i] = m.PivotHorz[std::size_t(p)];
    vertAtPick[i] = m.PivotVert[std::size_t(p)];
}

}  // namespace

bool overlayPivotIndex(float stored, int& index) {
    if (!(stored >= -0.5f && stored <= float(PivotCount - 1) + 0.5f)) return false;
    index = roundHalfEven(stored);
    return true;
}

int overlayColorIndex(float stored) {
    const auto at = std::find(OverlayColorValues.begin(), OverlayColorValues.end(), stored);
    return at == OverlayColorValues.end() ? -1 : int(at - OverlayColorValues.begin());
}

bool referencePointsUnset(const GearModel& m) {
    return m.PivotHorz[19] == 0 && m.PivotVert[19] == 0 && m.PivotHorz[20] == 0 &&
           m.PivotVert[20] == 0;
}

int nearestOverlayPivot(const GearModel& m, PivotPoint at) {
    double best = PickSearchDistance;
    int chosen = 0;
    for (int p = FirstOverlayPivot; p <= LastOverlayPivot; ++p) {
        if (p == 19 || p == 20) continue;
        const double d = std::fabs(double(m.PivotVert[std::size_t(p)]) - at.Vert) +
                         std::fabs(double(m.PivotHorz[std::size_t(p)]) - at.Horz);
        if (d < best) {
            best = d;
            chosen = p;
        }
    }
    return chosen;
}

void chooseOverlayItem(GearModel& m, int k) {
    OverlayItems& o = m.overlay;
    if (k < 1 || k > OverlayItemCount) return;
    o.CurrentItem = k;
    o.HighlightedItem = k;
    clearChoices(o);
    o.DrawButEnabled = false;
}

OverlayOutcome chooseOverlayType(GearModel& m, int type) {
    OverlayItems& o = m.overlay;
    if (referencePointsUnset(m)) {
        o.TypeChoice = -1;
        return {true, true};
    }
    if (type != 0 && type != 1) return {};
    o.TypeChoice = type;
    o.rows[std::size_t(editedItem(o))].type = OverlayTypeNames[std::size_t(type)];
    if (allChosen(o)) o.DrawButEnabled = true;
    return {};
}

OverlayOutcome chooseOverlayColor(GearModel& m, int color) {
    OverlayItems& o = m.overlay;
    if (o.TypeChoice < 0 || color < 0 || color >= int(OverlayColorNames.size())) {
        o.ColorChoice = -1;
        return {true, false};
    }
    o.ColorChoice = color;
    o.rows[std::size_t(editedItem(o))].color = OverlayColorNames[std::size_t(color)];
    return {};
}

OverlayOutcome chooseOverlayReference(GearModel& m, int ref) {
    OverlayItems& o = m.overlay;
    if (o.TypeChoice < 0 || o.ColorChoice < 0 || ref < RefFixed || ref > RefPiv1Piv2) {
        o.ReferenceChoice = -1;
        return {true, false};
    }
    o.ReferenceChoice = ref;
    const int k = editedItem(o);
    const auto i = std::size_t(k);
    o.Vert1[i] = m.PivotVert[19];
    o.Horz1[i] = m.PivotHorz[19];
    o.Vert2[i] = m.PivotVert[20];
    o.Horz2[i] = m.PivotHorz[20];
    const bool circle = o.TypeChoice == 1;
    if (circle && (ref == RefPiv1Fixed || ref == RefPiv1Piv2)) {
        // A circle is fixed or tied to one pivot; it has no second point to tie.
        clearOverlayItem(m);
        return {true, false};
    }
    o.rows[i].ref = OverlayReferenceLabels[std::size_t(ref)];
    o.ItemRef[i] = static_cast<float>(ref);
    if (ref != RefFixed) m.screen.PickPending = 1;
    if (allChosen(o)) o.DrawButEnabled = true;
    if (ref == RefFixed) return {};
    // Shut for the pick: the item steps back so that reopening brings it in front again.
    o.CurrentItem = std::max(o.CurrentItem - 1, 0);
    return {false, true};
}

void overlayDialogActivated(GearModel& m) {
    OverlayItems& o = m.overlay;
    const int ref = o.ReferenceChoice;
    if (ref < 0) {
        o.Vert1[0] = m.PivotVert[19];
        o.Horz1[0] = m.PivotHorz[19];
        return;
    }
    if (ref == RefFixed) return;
    o.CurrentItem = std::min(o.CurrentItem + 1, OverlayItemCount);
    const int k = editedItem(o);
    tieToPivot(m, k, 19, o.Pivot1, o.Pivot1HorzAtPick, o.Pivot1VertAtPick);
    if (ref == RefPiv1Piv2) tieToPivot(m, k, 20, o.Pivot2, o.Pivot2HorzAtPick, o.Pivot2VertAtPick);
}

OverlayOutcome drawCloseOverlayItem(GearModel& m) {
    OverlayItems& o = m.overlay;
    OverlayOutcome out{false, true};
    const int k = editedItem(o);
    const auto i = std::size_t(k);
    if (o.ColorChoice >= 0) o.ItemColor[i] = OverlayColorValues[std::size_t(o.ColorChoice)];
    o.ItemType[i] = static_cast<float>(o.TypeChoice);
    if (allChosen(o)) convertItem(m, k);
    if (o.CurrentItem >= OverlayItemCount) {
        o.CurrentItem = OverlayItemCount;
        out.beep = true;
    } else {
        o.CurrentItem = std::max(o.CurrentItem + 1, 1);
    }
    o.HighlightedItem = o.CurrentItem;
    o.DrawButEnabled = false;
    m.screen.PickPending = 0;
    clearChoices(o);
    return out;
}

void clearOverlayItem(GearModel& m) {
    OverlayItems& o = m.overlay;
    const auto i = std::size_t(editedItem(o));
    for (auto* column : {&o.Vert1, &o.Horz1, &o.Vert2, &o.Horz2, &o.Pivot1HorzAtPick,
                         &o.Pivot1VertAtPick, &o.Pivot2HorzAtPick, &o.Pivot2VertAtPick})
        (*column)[i] = 0;
    // The pivots it was tied to stay: they are harmless without a type.
    o.ItemType[i] = o.ItemColor[i] = o.ItemRef[i] = -1;
    o.rows[i] = Row{};
    clearChoices(o);
    o.DrawButEnabled = false;
    m.screen.PickPending = 0;
}

void closeOverlayDialog(GearModel& m) {
    clearChoices(m.overlay);
    m.screen.PickPending = 0;
}

void storeOverlayField(GearModel& m, int item, int column, const std::string& text) {
    OverlayItems& o = m.overlay;
    if (item < 1 || item > OverlayItemCount || column < 0 || column > 3) return;
    const auto i = std::size_t(item);
    o.rows[i].fields[std::size_t(column)] = text;
    const std::size_t first = text.find_first_not_of(' ');
    const float v = static_cast<float>(leadingNumber(
        first == std::string::npos ? std::string_view{} : std::string_view(text).substr(first)));
    OverlayItems::Column* columns[] = {&o.Vert1, &o.Horz1, &o.Vert2, &o.Horz2};
    (*columns[column])[i] = v;
}

void refreshOverlayRows(GearModel& m) {
    OverlayItems& o = m.overlay;
    for (int k = 1; k <= OverlayItemCount; ++k) {
        const auto i = std::size_t(k);
        Row& row = o.rows[i];
        const bool inUse = o.ItemType[i] > -1;
        const float values[] = {o.Vert1[i], o.Horz1[i], o.Vert2[i], o.Horz2[i]};
        for (std::size_t c = 0; c < 4; ++c)
            row.fields[c] = inUse ? overlayFieldText(values[c]) : std::string{};
        // A value outside the tables leaves its label as it stood.
        if (o.ItemType[i] == 0 || o.ItemType[i] == 1)
            row.type = OverlayTypeNames[std::size_t(o.ItemType[i])];
        if (const int c = overlayColorIndex(o.ItemColor[i]); c >= 0)
            row.color = OverlayColorNames[std::size_t(c)];
        for (int r = RefFixed; r <= RefPiv1Piv2; ++r)
            if (o.ItemRef[i] == float(r)) row.ref = OverlayReferenceLabels[std::size_t(r)];
    }
}

void overlayFollowLoadedDesign(GearModel& m) {
    OverlayItems& o = m.overlay;
    for (Row& row : o.rows) {
        row.type.clear();
        row.color.clear();
        row.ref.clear();
    }
    o.HighlightedItem = o.CurrentItem;
    refreshOverlayRows(m);
}

std::string overlayFieldText(double v) { return Str(v, 7, 3); }

}  // namespace quarn
