// A design in and out of its file: all reading and checking happens before the model
// is touched, and a save replaces the old file only once the new one is complete.
#include "dimension_file.h"

#include <algorithm>
#include <cctype>

#include "file_io.h"
#include "model/undo_history.h"
#include "model/view_control.h"
#include "set_name.h"

namespace quarn {
namespace {

using Loader = FileResult (*)(GearModel&, std::span<const std::uint8_t>);

// The message names the file as the user gave it, also when it was a link.
std::string failureMessage(const char* verb, const std::string& path, const FileFailure& f) {
    switch (f.kind) {
        case FileFailure::Kind::NotRegularFile: return path + " is not a regular file";
        case FileFailure::Kind::ReadOnly: return path + " is read-only";
        case FileFailure::Kind::None:
        case FileFailure::Kind::System: break;
    }
    return std::string("Cannot ") + verb + " " + path + ": " + f.reason;
}

FileResult load(GearModel& m, const std::string& path, std::size_t bytesNeeded, Loader loader,
                const char* verb) {
    const FileBytes file = readFilePrefix(path, bytesNeeded);
    if (file.failure.failed()) return {false, failureMessage(verb, path, file.failure)};
    FileResult result = loader(m, file.bytes);
    if (!result.ok) {
        result.message = std::string("Cannot ") + verb + " " + path + ": " + result.message;
        return result;
    }
    m.DimSetName = setNameFromPath(path);
    followNewDesign(m);
    followOpenedView(m);
    return result;
}

}  // namespace

FileResult saveDimensionFile(GearModel& m, const std::string& path) {
    const FileFailure failure = replaceFile(path, encodeDimensionFile(m));
    if (failure.failed()) return {false, failureMessage("save", path, failure)};
    m.DimSetName = setNameFromPath(path);
    return {};
}

FileResult openDimensionFile(GearModel& m, const std::string& path) {
    return load(m, path, DimensionFileBytes, loadDimensionBytes, "open");
}

FileResult importDosFile(GearModel& m, const std::string& path) {
    return load(m, path, DosFileRecords * RecordBytes, loadDosBytes, "import");
}

bool isDosFileName(const std::string& path) {
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return ext == ".qgk";
}

FileResult loadDesignFile(GearModel& m, const std::string& path) {
    return isDosFileName(path) ? importDosFile(m, path) : openDimensionFile(m, path);
}

}  // namespace quarn
