// save, convert and show: designs in and out of dimension files.
#include <charconv>
#include <ostream>
#include <string>

#include "command_line.h"
#include "commands.h"
#include "dims/dimension_file.h"
#include "dims/overlay_values.h"
#include "model/dimensions.h"
#include "model/number_text.h"
#include "options.h"

namespace quarn::cli {
namespace {

void saveDesign(GearModel& m, const std::string& path) {
    const FileResult r = saveDimensionFile(m, path);
    if (!r.ok) throw WorkError{r.message};
}

// Exactly `count` file names, or a usage error that says what the command needs.
void requireFileNames(const std::vector<std::string>& names, std::size_t count, const char* what) {
    if (names.size() > count)
        throw UsageError{std::string("needs ") + what + ", not '" + names[count] + "' as well"};
    if (names.size() < count) throw UsageError{std::string("needs ") + what};
}

// The shortest text that reads back as the same float, so that two designs compare
// exactly as text.
std::string number(float v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

void line(std::ostream& out, const std::string& label, const std::string& value,
          std::size_t width = 36) {
    std::string text = "  " + label;
    text.resize(std::max(text.size() + 1, width), ' ');
    out << text << value << "\n";
}

void showDimensions(std::ostream& out, const GearModel& m, const char* title,
                    std::span<const DimensionDescriptor> dims) {
    out << title << "\n";
    for (const auto& d : dims) {
        std::string label = Str(d.row, 2) + " ";
        label += d.label;
        label.resize(std::max<std::size_t>(label.size() + 1, 30), ' ');
        label += d.field;
        line(out, label, number(dimensionValue(m, d)), 58);
    }
}

void showCarriedPivots(std::ostream& out, const GearModel& m) {
    out << "Also carried\n";
    line(out, "CylSpare", number(m.cyl.CylSpare));
    line(out, "Valve stem joint Vert (pivot 4)", number(m.PivotVert[4]));
    line(out, "Rev arm pivot copy (pivot 17)", number(m.PivotHorz[17]) + " " + number(m.PivotVert[17]));
    line(out, "Bell crank pivot copy (pivot 18)",
         number(m.PivotHorz[18]) + " " + number(m.PivotVert[18]));
}

void showView(std::ostream& out, const GearModel& m, bool dos) {
    out << "View\n";
    line(out, "ViewScale", number(m.view.ViewScale));
    line(out, "ViewOffsetX", number(m.view.ViewOffsetX));
    line(out, "ViewOffsetY", number(m.view.ViewOffsetY));
    if (dos) return;  // the rest is not in a DOS file
    line(out, "GraphicZoom", number(m.view.GraphicZoom));
    out << "View presets (scale, x offset, y offset)\n";
    for (int k = 0; k <= 6; ++k)
        line(out, k == 0 ? std::string("Captured") : "Preset " + std::to_string(k),
             number(m.view.ViewPresets[3 * k]) + " " + number(m.view.ViewPresets[3 * k + 1]) + " " +
                 number(m.view.ViewPresets[3 * k + 2]));
}

void showDiagrams(std::ostream& out, const GearModel& m, bool dos) {
    out << "Diagrams\n";
    line(out, "TravelScale", number(m.diagrams.TravelScale));
    line(out, "LastDiagramRevArm", number(m.diagrams.LastDiagramRevArm));
    line(out, "Mid gear (computed)", number(m.RevArmCentre()));
    // Positions 1..3 are laid out from mid gear on every load; 4..9 are the file's.
    for (int i = 1; i < (dos ? 4 : RevArmPositionSlots); ++i)
        line(out, "Rev arm position " + std::to_string(i), number(m.RevArmPositions[i]));
}

std::string named(float v, std::initializer_list<const char*> names) {
    int i = 0;
    for (const char* name : names) {
        if (v == float(i)) return name;
        ++i;
    }
    return number(v);
}

std::string colourName(float v) {
    const int c = overlayColorIndex(v);
    return c >= 0 ? OverlayColorNames[std::size_t(c)] : number(v);
}

std::string pivotText(float v) {
    int index = 0;
    return overlayPivotIndex(v, index) ? number(v) : number(v) + " (no pivot: not drawn)";
}

void showOverlay(std::ostream& out, const GearModel& m) {
    const OverlayItems& o = m.overlay;
    out << "Overlay\n";
    line(out, "CurrentItem", std::to_string(m.overlay.CurrentItem));
    bool any = false;
    for (int k = 1; k <= OverlayItemCount; ++k) {
        if (o.ItemType[k] == -1.0f) continue;  // never used or cleared
        any = true;
        const std::string item = "Item " + std::to_string(k) + " ";
        line(out, item + "type", named(o.ItemType[k], {"Line", "Circle"}));
        line(out, item + "colour", colourName(o.ItemColor[k]));
        line(out, item + "referenced to", named(o.ItemRef[k], {"0,0", "Pivot1", "Piv1/0,0", "Piv1/Piv2"}));
        line(out, item + "Vert1 Horz1", number(o.Vert1[k]) + " " + number(o.Horz1[k]));
        line(out, item + "Vert2 Horz2", number(o.Vert2[k]) + " " + number(o.Horz2[k]));
        line(out, item + "Pivot1", pivotText(o.Pivot1[k]));
        line(out, item + "Pivot2", pivotText(o.Pivot2[k]));
        line(out, item + "Pivot1 at pick",
             number(o.Pivot1HorzAtPick[k]) + " " + number(o.Pivot1VertAtPick[k]));
        line(out, item + "Pivot2 at pick",
             number(o.Pivot2HorzAtPick[k]) + " " + number(o.Pivot2VertAtPick[k]));
    }
    if (!any) line(out, "Items", "none in use");
}

}  // namespace

void saveCommand(const Args& args, std::ostream&, std::ostream& err) {
    CommandLine line;
    const SharedOptions shared(line, {});
    std::vector<std::string> names;
    line.words(names);
    line.parse(args);
    const CommonOptions common = shared.read();
    requireFileNames(names, 1, "the name of the file to write");
    GearModel m;
    buildModel(m, common, err);
    saveDesign(m, names[0]);
}

namespace {

// The file names of a command that takes nothing else (no --file, no --set).
std::vector<std::string> plainFileNames(const Args& args, std::size_t count, const char* what) {
    CommandLine line;
    std::vector<std::string> names;
    line.words(names);
    line.parse(args);
    requireFileNames(names, count, what);
    return names;
}

}  // namespace

void convertCommand(const Args& args, std::ostream&, std::ostream&) {
    const auto names =
        plainFileNames(args, 2, "the DOS file to read and the dimension file to write");
    GearModel m;
    InitStartupState(m);
    const FileResult r = importDosFile(m, names[0]);
    if (!r.ok) throw WorkError{r.message};
    saveDesign(m, names[1]);
}

void showCommand(const Args& args, std::ostream& out, std::ostream&) {
    const auto names = plainFileNames(args, 1, "the file to show");
    GearModel m;
    InitStartupState(m);
    loadDesign(m, names[0]);
    const bool dos = isDosFileName(names[0]);
    out << "Design " << m.DimSetName << (dos ? " (DOS dimension file)" : " (dimension file)")
        << "\n";
    showDimensions(out, m, "Frame dimensions", frameDimensions());
    showDimensions(out, m, "Cylinder dimensions", cylinderDimensions());
    showCarriedPivots(out, m);
    showView(out, m, dos);
    showDiagrams(out, m, dos);
    if (!dos) showOverlay(out, m);
}

}  // namespace quarn::cli
