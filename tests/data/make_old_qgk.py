#!/usr/bin/env python3
# Makes old.qgk, the DOS dimension file the tests load: the first 12 records of a
# dimension file (5 little-endian 4-byte floats each), written field by field in the
# order of src/dims/file_layout.cpp. The design is the nominal one but for a few values
# a test can recognise: a longer main rod (17), a longer stroke (4.5), a closer view
# (scale 30, y offset 300). Record 11 field 3, where a dimension file keeps the graphic
# zoom, holds 99: the DOS program used that field otherwise and the import skips it.
# Run: python3 tests/data/make_old_qgk.py   (writes old.qgk beside this script)
import os
import struct

FIELDS = [
    # record 1: valve rod, combination lever upper, for set, lower, union link
    7.406, 0.492, 0.047, 3.828, 3.656,
    # record 2: main rod, eccentric rod, drop link backset and vert, gear mounting horz
    17.0, 11.094, 0.0, 0.0, 13.75,
    # record 3: gear mounting vert, eccentric crank length, stroke, crank circle, rev arm upper
    5.781, 2.797, 4.5, 3.125, 1.406,
    # record 4: radius bar, rev arm lower, rev arm pivot horz and vert, gear con rod lower
    2.188, 2.188, 2.961, 1.75, 2.488,
    # record 5: gear con rod upper and lower backset, bell crank horz and vert, pivot horz
    1.844, 0.25, 2.125, 2.916, 1.25,
    # record 6: bell crank pivot vert and backset, copies of the rev arm pivot, bell crank pivot horz copy
    0.891, 0.937, 2.961, 1.75, 1.25,
    # record 7: bell crank pivot vert copy, cylinder to driver, bore dia and length, spare
    0.891, 26.5, 2.75, 5.375, 0.0,
    # record 8: steam port width, piston to crosshead, piston width, valve bore dia and length
    0.25, 10.0, 0.377, 1.5, 6.625,
    # record 9: valve bore to port, rear port width, valve to ring, rear end width, valve to joint
    1.789, 0.297, 1.578, 0.5, 6.39,
    # record 10: valve CL to cylinder CL, front port width, front end width, cylinder CL, stem joint vert
    3.375, 0.297, 0.5, 0.25, 3.625,
    # record 11: view scale, x offset, (the DOS program's own field), y offset, rev arm to centre normal
    30.0, 86.0, 99.0, 300.0, 1.5,
    # record 12: rev arm to centre max, rev arm position, driver dia, last diagram position, travel scale
    1.7, 10.3, 9.0, 0.0, 1.5,
]
assert len(FIELDS) == 12 * 5

path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "old.qgk")
with open(path, "wb") as out:
    out.write(struct.pack("<60f", *FIELDS))
