// The main loop's tick in its order.
#include "tick.h"

#include "frame_mapping.h"
#include "model/motion.h"

namespace quarn {

FrameRequests runTick(GearModel& m, Canvas& canvas, Random& random) {
    solveAndMapFrame(m);
    advanceDriverAngle(m);
    return RunFrame(m, canvas, random);
}

}  // namespace quarn
