// The steam pixels of the frame: live steam in the chest, each cylinder end and its
// passage in the colour of its event, the two exhausts and their plume, and the legend.
#pragma once

#include "canvas/canvas.h"
#include "frame_mapping.h"
#include "model/gear_model.h"
#include "model/steam.h"
#include "random.h"

namespace quarn {

// Reseeds the random numbers and paints this frame's steam from `steam` (the colours
// and counts advanceSteamLevels gave) at the outline points; the legend only while
// the screen data are on. Returns true when a zero span was guarded with ErrorBeepOn
// set, so that the frame asks for one system beep.
bool drawSteam(const GearModel& m, const SteamFrame& steam, const OutlinePoints& outline,
               Canvas& canvas, Random& random);

Color steamColor(SteamEvent e);

}  // namespace quarn
