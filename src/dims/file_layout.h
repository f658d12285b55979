// The record layout of the dimension file and of the older DOS file: which model
// value sits in which field, and the byte form of a record (five little-endian
// 4-byte floats, whatever the host).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/gear_model.h"

namespace quarn {

constexpr int FieldsPerRecord = 5;
constexpr std::size_t FieldBytes = 4;
constexpr std::size_t RecordBytes = FieldsPerRecord * FieldBytes;

// A dimension file: records 1..18 are the short part (dimensions, view, presets,
// diagram positions), 19..70 the overlay arrays, 71 the current item.
constexpr int ShortPartRecords = 18;
constexpr int ShortPartLastSize = 20;  // files of 18..20 records carry the short part only
constexpr int OverlayRecordsPerColumn = 4;
constexpr int DimensionFileRecords = 71;
constexpr std::size_t DimensionFileBytes = DimensionFileRecords * RecordBytes;  // 1420

// A DOS file is the first 12 records; in record 11 it kept something else where the
// dimension file keeps the graphic zoom, so that field is skipped.
constexpr int DosFileRecords = 12;
constexpr int DosSkippedField = 10 * FieldsPerRecord + 2;  // record 11, field 3

constexpr int ShortPartFields = ShortPartRecords * FieldsPerRecord;

// The model values of the short part in file order (record 1 field 1 first).
std::array<float*, ShortPartFields> shortPartFields(GearModel& m);
std::array<const float*, ShortPartFields> shortPartFields(const GearModel& m);

// The bit pattern of a float as four little-endian bytes, and back.
void putFloat(std::uint8_t* out, float value);
float getFloat(const std::uint8_t* in);

// What a load came to; on failure `message` says why and nothing was changed.
struct FileResult {
    bool ok = true;
    std::string message;
};

// The 71 records the program saves, 1420 bytes.
std::vector<std::uint8_t> encodeDimensionFile(const GearModel& m);

// The design as the file holds it, less what belongs to the moment rather than to the
// design: the pan and zoom (scale and offsets), the reverse-arm setting, the diagrams'
// last position and the overlay row being edited. Two models with the same fingerprint
// hold the same design; moving the gear or the view never changes it.
std::vector<std::uint8_t> designFingerprint(const GearModel& m);

// Store a whole dimension file or DOS file, given as its bytes, into the model and
// bring the rest of the model into line (mid gear, the reverse arm at its centre).
// A file of the wrong size changes nothing. The set name is left to the caller.
FileResult loadDimensionBytes(GearModel& m, std::span<const std::uint8_t> bytes);
FileResult loadDosBytes(GearModel& m, std::span<const std::uint8_t> bytes);

}  // namespace quarn
