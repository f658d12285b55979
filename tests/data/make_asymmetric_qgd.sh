#!/bin/sh
# Makes asymmetric.qgd: the nominal gear as a real drawing might move it off the ideal
# design, so that every term which vanishes on the nominal gear is exercised. The drop
# link stands 0.3 behind and 0.2 below the crosshead pin, the combination lever is set
# over by 0.1, the gear mounting sits a little forward and lower, the two cylinder ends
# differ (front valve head 0.6 wide over a 0.3125 port, rear head 0.45 over a 0.28125
# port: an exhaust lap at the front, an exhaust clearance at the rear), and the valve
# stem is lengthened to 6.42 so that both ends still take steam before dead centre.
# Run: tests/data/make_asymmetric_qgd.sh [PATH/TO/quarngear-cli]
set -e
cli=${1:-build/release/app/quarngear-cli}
exec "$cli" save "$(dirname "$0")/asymmetric.qgd" \
    --set DropLinkToCrossHBkS=0.3 --set DropLinkToCrossHVert=0.2 \
    --set ComboLeverForSet=0.1 \
    --set QuarnGearMtgHorz=13.8 --set QuarnGearMtgVert=5.75 \
    --set ValveEndWidthFront=0.6 --set ValveEndWidthRear=0.45 \
    --set ValveBorePortWidthFront=0.3125 --set ValveBorePortWidthRear=0.28125 \
    --set ValveCtrToJoint=6.42
