// Saving, opening and importing a design by file name: the dimension file (.qgd) and
// the older DOS file (.qgk), which the program reads but never writes.
#pragma once

#include <string>

#include "file_layout.h"
#include "model/gear_model.h"

namespace quarn {

// Writes the design as a 71-record dimension file and names the set after the file.
// A failed save leaves the old file and the set name as they were.
FileResult saveDimensionFile(GearModel& m, const std::string& path);

// Reads a dimension file into the design, names the set after the file and brings
// the model into line (mid gear). A file that cannot be read whole, or whose size is
// not one the program writes, changes nothing at all.
FileResult openDimensionFile(GearModel& m, const std::string& path);

// The same for a DOS file: its dimensions and view; the presets, graphic zoom, the
// later diagram positions and the overlay stay as they were.
FileResult importDosFile(GearModel& m, const std::string& path);

// Whether a file name is a DOS file's (it ends in .qgk, in any case).
bool isDosFileName(const std::string& path);
// Opens a design given by name alone, as from the command line: the DOS import for a
// DOS file, the dimension file otherwise.
FileResult loadDesignFile(GearModel& m, const std::string& path);

}  // namespace quarn
