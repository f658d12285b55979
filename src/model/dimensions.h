// The table of the 47 gear dimensions: row, label, field name, reset group,
// dynamic-variable code and where the value is stored. Every user of names reads it.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "gear_model.h"

namespace quarn {

enum class DimGroup : unsigned char { Frame, Assembly, Cylinder };
enum class DimStorage : unsigned char { FrameField, CylField, PivotHorz, PivotVert };

struct DimensionDescriptor {
    int row;                 // dialog row: 1..30 frame, 1..17 cylinder
    std::string_view label;  // the program's short label
    std::string_view field;  // the field name
    DimGroup group;
    int dynVarCode;          // 1..28, 101..117; 0 = never a dynamic variable
    double nominal;          // the decimal nominal; stored as the nearest single
    DimStorage storage;
    float FrameDims::*frameMember;  // FrameField
    float CylDims::*cylMember;      // CylField
    int pivot;                      // PivotHorz / PivotVert
    int mirror;                     // pivot copy written with it, or -1
};

std::span<const DimensionDescriptor> frameDimensions();     // 30 rows, dialog order
std::span<const DimensionDescriptor> cylinderDimensions();  // 17 rows, dialog order
std::span<const DimensionDescriptor> allDimensions();       // frame then cylinder

const DimensionDescriptor* findDimensionByField(std::string_view field);
// The dimension of a dynamic-variable code, or nullptr for a code without one.
const DimensionDescriptor* findDimensionByCode(int code);

float dimensionValue(const GearModel& m, const DimensionDescriptor& d);
// Stores a value as a dialog edit, a dynamic variable or undo does: a pivot-slot
// dimension also writes its mirror pivot, and the cylinder centre-line height or the
// valve centre-line offset also recomputes the valve stem joint height PivotVert[4].
void setDimensionValue(GearModel& m, const DimensionDescriptor& d, float value);

// A fingerprint of everything the design studies depend on: the dimensions and the
// form. Two designs with equal keys give the same events.
std::vector<float> designKey(const GearModel& m);

}  // namespace quarn
