// Feeds arbitrary bytes to both dimension-file readers. A file either loads whole,
// with the current item and pivot numbers safe to use and the design surviving a save
// and a second open bit for bit, or it changes nothing at all.
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "dims/file_layout.h"
#include "dims/overlay_values.h"
#include "model/gear_model.h"

namespace {

using quarn::GearModel;

void check(bool condition) {
    if (!condition) std::abort();
}

bool sameBits(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }

const GearModel& startup() {
    static const GearModel m = [] {
        GearModel s;
        quarn::InitStartupState(s);
        return s;
    }();
    return m;
}

void readOnce(std::span<const std::uint8_t> bytes, bool dos) {
    GearModel m = startup();
    const auto before = quarn::encodeDimensionFile(m);
    const quarn::FileResult r = dos ? quarn::loadDosBytes(m, bytes) : quarn::loadDimensionBytes(m, bytes);
    if (!r.ok) {
        check(quarn::encodeDimensionFile(m) == before);
        check(sameBits(m.RevArmPosition, startup().RevArmPosition));
        return;
    }
    check(m.overlay.CurrentItem >= 1 && m.overlay.CurrentItem <= quarn::OverlayItemCount);
    for (int k = 1; k <= quarn::OverlayItemCount; ++k)
        for (float stored : {m.overlay.Pivot1[k], m.overlay.Pivot2[k]}) {
            int index = -1;
            if (quarn::overlayPivotIndex(stored, index)) check(index >= 0 && index < quarn::PivotCount);
        }
    const auto saved = quarn::encodeDimensionFile(m);
    check(saved.size() == quarn::DimensionFileBytes);
    GearModel again = startup();
    check(quarn::loadDimensionBytes(again, saved).ok);
    check(quarn::encodeDimensionFile(again) == saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    readOnce(bytes, false);
    readOnce(bytes, true);
    return 0;
}
