// The main loop's tick in its order.
#include "tick.h"

#include "frame_mapping.h"
#include "model/motion.h"

namespace quarn {

FrameRequests runTick(GearModel& m, Canvas& canvas, Random& random,
                      const FrameOptions& options) {
    solveAndMapFrame(m);
    advanceDriverAngle(m);
    return RunFrame(m, canvas, random, options);
}

}  // namespace quarn
