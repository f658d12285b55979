// Helpers of the dimension-file tests: a scratch folder, byte images and model states.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "dims/file_layout.h"
#include "model/gear_model.h"

namespace quarn {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quarn-dims-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline GearModel startupModel() {
    GearModel m;
    InitStartupState(m);
    return m;
}

inline std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// The float of field f (1..5) of record r (1..71) in a byte image.
inline float fieldAt(const std::vector<std::uint8_t>& bytes, int r, int f) {
    return getFloat(bytes.data() + (r - 1) * RecordBytes + (f - 1) * FieldBytes);
}
inline void setFieldAt(std::vector<std::uint8_t>& bytes, int r, int f, float v) {
    putFloat(bytes.data() + (r - 1) * RecordBytes + (f - 1) * FieldBytes, v);
}

// An image of `records` records in which every field holds its own distinct value.
inline std::vector<std::uint8_t> distinctImage(int records) {
    std::vector<std::uint8_t> bytes(std::size_t(records) * RecordBytes);
    for (std::size_t i = 0; i * FieldBytes < bytes.size(); ++i)
        putFloat(bytes.data() + i * FieldBytes, 1000.0f + float(i));
    return bytes;
}

inline bool sameOverlay(const OverlayItems& a, const OverlayItems& b) {
    const auto x = overlayColumns(a);
    const auto y = overlayColumns(b);
    for (std::size_t c = 0; c < x.size(); ++c)
        if (std::memcmp(x[c]->data(), y[c]->data(), sizeof(OverlayItems::Column)) != 0) return false;
    return true;
}

// Everything a file carries, plus the set name and the reverse arm: equal when a
// failed load has left the design exactly as it was.
inline void expectSameDesign(const GearModel& a, const GearModel& b) {
    EXPECT_EQ(encodeDimensionFile(a), encodeDimensionFile(b));
    EXPECT_EQ(a.DimSetName, b.DimSetName);
    EXPECT_EQ(a.RevArmPosition, b.RevArmPosition);
    EXPECT_EQ(a.RevArmPositions, b.RevArmPositions);
    EXPECT_EQ(a.PivotHorz, b.PivotHorz);
    EXPECT_EQ(a.PivotVert, b.PivotVert);
    EXPECT_EQ(a.overlay.CurrentItem, b.overlay.CurrentItem);
}

}  // namespace quarn
