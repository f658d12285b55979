// The field-by-field layout of the dimension file, shared by the writer and both
// readers so that they cannot drift apart.
#include "file_layout.h"

#include <algorithm>
#include <bit>
#include <iterator>

#include "model/mid_gear.h"
#include "overlay_values.h"

namespace quarn {
namespace {

// One field of the short part: where its value lives in the model. Pivot-slot
// dimensions and their mirrors are plain pivot entries here: the file carries every
// copy and reads each back as it stands, without the write-through of an edit.
struct Slot {
    enum class Kind : unsigned char { Frame, Cyl, Horz, Vert, View, Diagram, Preset, RevArmPos };
    Kind kind;
    float FrameDims::*frame = nullptr;
    float CylDims::*cyl = nullptr;
    float ViewState::*view = nullptr;
    float DiagramPositions::*diagram = nullptr;
    int index = 0;
};

constexpr Slot fr(float FrameDims::*p) { return {Slot::Kind::Frame, p}; }
constexpr Slot cy(float CylDims::*p) { return {Slot::Kind::Cyl, nullptr, p}; }
constexpr Slot ph(int pivot) { return {Slot::Kind::Horz, nullptr, nullptr, nullptr, nullptr, pivot}; }
constexpr Slot pv(int pivot) { return {Slot::Kind::Vert, nullptr, nullptr, nullptr, nullptr, pivot}; }
constexpr Slot vw(float ViewState::*p) { return {Slot::Kind::View, nullptr, nullptr, p}; }
constexpr Slot dg(float DiagramPositions::*p) {
    return {Slot::Kind::Diagram, nullptr, nullptr, nullptr, p};
}

using F = FrameDims;
using C = CylDims;
using V = ViewState;
using D = DiagramPositions;

// Records 1..12 as the program has always written them (the DOS file shares them).
constexpr std::array<Slot, 60> dimensionRecords{{
    fr(&F::ValveRodLength), fr(&F::ComboLeverUpper), fr(&F::ComboLeverForSet),
    fr(&F::ComboLeverLower), fr(&F::UnionLinkLength),
    fr(&F::MainRodLength), fr(&F::EccRodLength), fr(&F::DropLinkToCrossHBkS),
    fr(&F::DropLinkToCrossHVert), ph(16),
    pv(16), fr(&F::EccCrankLength), fr(&F::Stroke), fr(&F::EccCrankCirDia),
    fr(&F::RevArmUpperLength),
    fr(&F::RadiusBarLength), fr(&F::RevArmLowerLength), ph(11), pv(11), fr(&F::GearConRodLower),
    fr(&F::GearConRodUpper), fr(&F::GearConRodLowerBkS), fr(&F::BellCrankHorzLength),
    fr(&F::BellCrankVertLength), ph(6),
    pv(6), fr(&F::BellCrankBackset), ph(17), pv(17), ph(18),
    pv(18), cy(&C::CylCtrToDriverCtr), cy(&C::CylinderBoreDia), cy(&C::CylinderBoreLength),
    cy(&C::CylSpare),
    cy(&C::CylSteamPortWidth), cy(&C::PistonCtrToCrosshead), cy(&C::PistonWidth),
    cy(&C::ValveBoreDia), cy(&C::ValveBoreLength),
    cy(&C::ValveBoreCtrToPort), cy(&C::ValveBorePortWidthRear), cy(&C::ValveCtrToRing),
    cy(&C::ValveEndWidthRear), cy(&C::ValveCtrToJoint),
    cy(&C::ValveCLToCylCL), cy(&C::ValveBorePortWidthFront), cy(&C::ValveEndWidthFront), pv(3),
    pv(4),
    vw(&V::ViewScale), vw(&V::ViewOffsetX), vw(&V::GraphicZoom), vw(&V::ViewOffsetY),
    fr(&F::RevArmToCentNormal),
    fr(&F::RevArmToCentMax), ph(1), fr(&F::DriverDia), dg(&D::LastDiagramRevArm),
    dg(&D::TravelScale),
}};

// Records 13..18: the 21 view preset values, then diagram positions 1..9.
constexpr std::array<Slot, ShortPartFields> makeShortPart() {
    std::array<Slot, ShortPartFields> slots{};
    std::size_t i = 0;
    for (const Slot& s : dimensionRecords) slots[i++] = s;
    for (int p = 0; p < ViewPresetCount; ++p) slots[i++] = {Slot::Kind::Preset, {}, {}, {}, {}, p};
    for (int p = 1; p < RevArmPositionSlots; ++p)
        slots[i++] = {Slot::Kind::RevArmPos, {}, {}, {}, {}, p};
    return slots;
}
static_assert(dimensionRecords.size() + ViewPresetCount + (RevArmPositionSlots - 1) ==
              ShortPartFields);
constexpr std::array<Slot, ShortPartFields> shortPart = makeShortPart();

template <class Model>
auto* slotValue(Model& m, const Slot& s) {
    switch (s.kind) {
        case Slot::Kind::Frame: return &(m.frame.*s.frame);
        case Slot::Kind::Cyl: return &(m.cyl.*s.cyl);
        case Slot::Kind::Horz: return &m.PivotHorz[s.index];
        case Slot::Kind::Vert: return &m.PivotVert[s.index];
        case Slot::Kind::View: return &(m.view.*s.view);
        case Slot::Kind::Diagram: return &(m.diagrams.*s.diagram);
        case Slot::Kind::Preset: return &m.view.ViewPresets[s.index];
        case Slot::Kind::RevArmPos: return &m.RevArmPositions[s.index];
    }
    return &m.view.ViewScale;  // not reached: every kind is handled above
}

template <class Model, class Result>
Result allShortPartFields(Model& m) {
    Result fields{};
    for (std::size_t i = 0; i < shortPart.size(); ++i) fields[i] = slotValue(m, shortPart[i]);
    return fields;
}

// Reads the fields of a byte image one after another.
class FieldReader {
public:
    explicit FieldReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    float next() {
        const float v = getFloat(bytes_.data() + at_);
        at_ += FieldBytes;
        return v;
    }
    void skip(int fields) { at_ += std::size_t(fields) * FieldBytes; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

FileResult tooShort(std::size_t records, const char* needed) {
    return {false, "Read beyond end of file (" + std::to_string(records) +
                       " records of 20 bytes; " + needed + ")"};
}

}  // namespace

std::array<float*, ShortPartFields> shortPartFields(GearModel& m) {
    return allShortPartFields<GearModel, std::array<float*, ShortPartFields>>(m);
}
std::array<const float*, ShortPartFields> shortPartFields(const GearModel& m) {
    return allShortPartFields<const GearModel, std::array<const float*, ShortPartFields>>(m);
}

void putFloat(std::uint8_t* out, float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < FieldBytes; ++i) out[i] = std::uint8_t(bits >> (8 * i));
}

float getFloat(const std::uint8_t* in) {
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < FieldBytes; ++i) bits |= std::uint32_t(in[i]) << (8 * i);
    return std::bit_cast<float>(bits);
}

std::vector<std::uint8_t> encodeDimensionFile(const GearModel& m) {
    std::vector<std::uint8_t> bytes(DimensionFileBytes, 0);
    std::uint8_t* at = bytes.data();
    auto put = [&at](float v) {
        putFloat(at, v);
        at += FieldBytes;
    };
    for (const float* value : shortPartFields(m)) put(*value);
    for (const auto* column : overlayColumns(m.overlay))
        for (int item = 1; item <= OverlayItemCount; ++item) put((*column)[item]);
    for (int f = 1; f < FieldsPerRecord; ++f) put(0);
    put(static_cast<float>(m.overlay.CurrentItem));
    return bytes;
}

std::vector<std::uint8_t> designFingerprint(const GearModel& m) {
    std::vector<std::uint8_t> bytes = encodeDimensionFile(m);
    const float* const ofTheMoment[] = {&m.view.ViewScale, &m.view.ViewOffsetX, &m.view.ViewOffsetY,
                                        &m.PivotHorz[1], &m.diagrams.LastDiagramRevArm};
    const auto fields = shortPartFields(m);
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (std::find(std::begin(ofTheMoment), std::end(ofTheMoment), fields[i]) != std::end(ofTheMoment))
            std::fill_n(bytes.begin() + std::ptrdiff_t(i * FieldBytes), FieldBytes, std::uint8_t{0});
    bytes.resize(bytes.size() - FieldBytes);  // the current overlay row, last of all
    return bytes;
}

FileResult loadDimensionBytes(GearModel& m, std::span<const std::uint8_t> bytes) {
    const std::size_t records = bytes.size() / RecordBytes;
    const bool shortOnly = records >= ShortPartRecords && records <= ShortPartLastSize;
    if (!shortOnly && records < DimensionFileRecords)
        return tooShort(records, "a dimension file has 18 to 20 records, or 71");

    FieldReader in(bytes);
    for (float* value : shortPartFields(m)) *value = in.next();
    if (shortOnly) {
        // A file of the short part only leaves the overlay as it was.
        m.overlay.CurrentItem = 1;
    } else {
        for (auto* column : overlayColumns(m.overlay))
            for (int item = 1; item <= OverlayItemCount; ++item) (*column)[item] = in.next();
        in.skip(FieldsPerRecord - 1);
        m.overlay.CurrentItem = currentItemFromFile(in.next());
    }
    CalcCentRevArm(m);
    return {};
}

FileResult loadDosBytes(GearModel& m, std::span<const std::uint8_t> bytes) {
    const std::size_t records = bytes.size() / RecordBytes;
    if (records < DosFileRecords) return tooShort(records, "a DOS dimension file has 12");

    FieldReader in(bytes);
    const auto fields = shortPartFields(m);
    for (int i = 0; i < DosFileRecords * FieldsPerRecord; ++i) {
        const float value = in.next();
        if (i != DosSkippedField) *fields[std::size_t(i)] = value;
    }
    CalcCentRevArm(m);
    return {};
}

}  // namespace quarn
