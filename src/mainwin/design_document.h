// Where the design on the screen came from and whether it has changed since: the file
// it was opened from or saved to, and the designs opened or saved lately.
#pragma once

#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

#include "model/gear_model.h"

namespace quarn {

// The design as it was when it last matched its file (or the nominal gear, which has no
// file). A change made and then undone is no change: the comparison is of the design as
// the file would hold it, not a count of edits.
class DesignDocument {
public:
    // The design as it stands is the one on file at `path` ("" for none: the nominal
    // gear, or a DOS file, which is never written).
    void markClean(const GearModel& m, std::string path);
    bool modified(const GearModel& m) const;
    const std::string& path() const { return path_; }

private:
    std::vector<std::uint8_t> clean_;
    std::string path_;
};

// The last designs opened or saved, newest first, kept between runs in the program's
// settings. Paths are kept absolute, so a design is found from any working folder.
class RecentDesigns {
public:
    static constexpr int Limit = 8;

    QStringList list() const;
    void add(const QString& path);
    void remove(const QString& path);
};

}  // namespace quarn
