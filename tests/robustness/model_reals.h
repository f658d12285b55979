// Every real of the gear model by name, to compare what a run of user events left in
// them with what was there before.
#pragma once

#include <array>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "model/gear_model.h"

namespace quarn::test {

struct NamedReal {
    std::string name;
    float value;
};

namespace detail {

// A record made of nothing but floats, read as its run of floats.
template <class Record>
void addFloats(std::vector<NamedReal>& out, const std::string& name, const Record& r) {
    static_assert(std::is_trivially_copyable_v<Record> && sizeof(Record) % sizeof(float) == 0);
    std::array<float, sizeof(Record) / sizeof(float)> floats{};
    std::memcpy(floats.data(), &r, sizeof(Record));
    for (std::size_t i = 0; i < floats.size(); ++i)
        out.push_back({name + "[" + std::to_string(i) + "]", floats[i]});
}

}  // namespace detail

inline std::vector<NamedReal> modelReals(const GearModel& m) {
    std::vector<NamedReal> out;
    using detail::addFloats;
    static_assert(sizeof(FrameDims) == 24 * sizeof(float) && sizeof(CylDims) == 17 * sizeof(float));
    static_assert(sizeof(PortEdges) == 12 * sizeof(float));
    addFloats(out, "frame", m.frame);
    addFloats(out, "cyl", m.cyl);
    addFloats(out, "PivotHorz", m.PivotHorz);
    addFloats(out, "PivotVert", m.PivotVert);
    addFloats(out, "RevArmPositions", m.RevArmPositions);
    addFloats(out, "edges", m.edges);
    addFloats(out, "ViewPresets", m.view.ViewPresets);
    const std::pair<const char*, float> single[] = {
        {"DriverAngle", m.DriverAngle},
        {"StepAngle", m.StepAngle},
        {"StepAngleSetting", m.StepAngleSetting},
        {"RevArmPosition", m.RevArmPosition},
        {"EccLeadAngle", m.EccLeadAngle},
        {"GearConRodAngle", m.GearConRodAngle},
        {"PistonPos640", m.PistonPos640},
        {"ValveDisp", m.ValveDisp},
        {"FrontSteamOpening", m.FrontSteamOpening},
        {"FrontExhaustOpening", m.FrontExhaustOpening},
        {"RearSteamOpening", m.RearSteamOpening},
        {"RearExhaustOpening", m.RearExhaustOpening},
        {"SolvedMainRodLength", m.SolvedMainRodLength},
        {"SolvedStroke", m.SolvedStroke},
        {"ViewScale", m.view.ViewScale},
        {"ViewOffsetX", m.view.ViewOffsetX},
        {"ViewOffsetY", m.view.ViewOffsetY},
        {"SavedViewScale", m.view.SavedViewScale},
        {"SavedViewOffsetX", m.view.SavedViewOffsetX},
        {"SavedViewOffsetY", m.view.SavedViewOffsetY},
        {"ZoomAnchorScale", m.view.ZoomAnchorScale},
        {"ZoomAnchorOffsetX", m.view.ZoomAnchorOffsetX},
        {"ZoomAnchorOffsetY", m.view.ZoomAnchorOffsetY},
        {"GraphicZoom", m.view.GraphicZoom},
        {"TravelScale", m.diagrams.TravelScale},
        {"LastDiagramRevArm", m.diagrams.LastDiagramRevArm},
        {"FrontSteamLevel", m.steam.FrontSteamLevel},
        {"RearSteamLevel", m.steam.RearSteamLevel},
        {"FrontReleaseLevel", m.steam.FrontReleaseLevel},
        {"RearReleaseLevel", m.steam.RearReleaseLevel},
        {"PrevPistonPos", m.screen.PrevPistonPos},
        {"PrevFrontSteamOpening", m.screen.PrevFrontSteamOpening},
        {"PrevRearSteamOpening", m.screen.PrevRearSteamOpening},
        {"DynVarStep", m.dyn.DynVarStep},
        {"FocusValue", m.dyn.FocusValue},
    };
    for (const auto& [name, value] : single) out.push_back({name, value});
    for (std::size_t i = 0; i < m.dyn.DynVarSlots.size(); ++i)
        out.push_back({"DynVarValue[" + std::to_string(i) + "]", m.dyn.DynVarSlots[i].DynVarValue});
    for (std::size_t i = 0; i < m.dyn.UndoHistory.size(); ++i) {
        out.push_back({"UndoOld[" + std::to_string(i) + "]", m.dyn.UndoHistory[i].OldValue});
        out.push_back({"UndoNew[" + std::to_string(i) + "]", m.dyn.UndoHistory[i].NewValue});
    }
    const auto columns = overlayColumns(m.overlay);
    for (std::size_t c = 0; c < columns.size(); ++c)
        addFloats(out, "overlay" + std::to_string(c), *columns[c]);
    return out;
}

}  // namespace quarn::test
