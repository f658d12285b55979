#include "dimension_dialog_labels.h"

#include <string>

namespace quarn {
namespace {

// The blanks inside the texts line the words up in columns with the small font.
const DialogLabel frameLabels[] = {
    {10, 0, "Driver                    Diameter"},
    {10, 13, "Stroke                      Length"},
    {10, 26, "Main Rod                 Length"},
    {10, 39, "DropLink to CrossHeadVert"},
    {40, 52, "\"           \"     Back Set"},
    {10, 65, "Union Link                Length"},
    {10, 78, "Combination Lever    Upper"},
    {40, 91, "\"         \"   Forward Set"},
    {40, 104, "\"           \"          Lower"},
    {10, 117, "Valve Rod                Length"},
    {10, 130, "Eccentric Crank        Length"},
    {40, 143, "\"      \" Circle Diameter"},
    {10, 156, "Eccentric Rod          Length"},
    {10, 169, "Quarn Gear Mtg Posit   Vert"},
    {40, 182, "\"           \"           Horz"},
    {204, 0, "ReverseArm  UpperLength"},
    {234, 13, "\"      \"   Lower Length"},
    {234, 26, "\"      \"     Pivot     Vert"},
    {234, 39, "\"      \"     Pivot     Horz"},
    {204, 52, "Radius Bar                Length"},
    {204, 65, "GearConRod UpperLength"},
    {234, 78, "\"       \"  Lower Length"},
    {234, 91, "\"      \" Lower Backset"},
    {204, 104, "Bell Crank          Vert Length"},
    {234, 117, "\"             \"   Back Set"},
    {234, 130, "\"       \"     Horz Length"},
    {204, 143, "Bell Crank Pivot             Vert"},
    {234, 156, "\"       \"     Pivot    Horz"},
    {204, 169, "Rev Arm   to Center    Norm"},
    {234, 182, "\"           \"              Max"},
    {1, 207, "To Show Graphic Position of Variable, Click Small Button"},
    {1, 220, "To Select Dynamic Variable, Click Dimension in Gray Area"},
};

const DialogLabel cylinderLabels[] = {
    {10, 0, "Cylinder ctr to Driver ctr"},
    {10, 13, "Cylinder CL above Driver"},
    {10, 26, "Cylinder Bore         Diameter"},
    {10, 39, "Cylinder Bore            Length"},
    {10, 52, "Cylinder Steam Port    Width"},
    {10, 65, "Piston ctr to Crosshead ctr"},
    {81, 78, "(Piston Rod)"},
    {10, 91, "Piston                         Width"},
    {10, 104, "Valve CL to Cylinder CL"},
    {10, 117, "Valve Bore            Diameter"},
    {10, 130, "Valve Bore               Length"},
    {204, 0, "ValveBore ctr to ValvePort"},
    {204, 13, "ValveBore PortWidth Rear"},
    {225, 26, "\"             \"             Front"},
    {204, 39, "Valve ctr to Inside Edge"},
    {259, 52, " of Inside Ring"},
    {204, 65, "Valve End Width (Outside"},
    {228, 78, "Edges of Rings) Rear"},
    {225, 91, "\"             \"             Front"},
    {204, 104, "Valve ctr to Joint"},
    {264, 117, "  (Valve Stem)"},
    {1, 190, "To Show Graphic Position of Variable, Click Small Button"},
    {1, 203, "To Select Dynamic Variable, ClickDimension in GrayArea"},
};

}  // namespace

std::span<const DialogLabel> frameDialogLabels() { return frameLabels; }
std::span<const DialogLabel> cylinderDialogLabels() { return cylinderLabels; }

void drawDialogLabels(Canvas& canvas, const TextScale& scale, std::span<const DialogLabel> labels) {
    const TextStyle style;  // the dialog's font, black, the background left as it is
    for (const DialogLabel& l : labels)
        canvas.text(scale.x(l.x), scale.y(l.y), std::string(l.text), style);
}

}  // namespace quarn
