// The two sounds the program ships: the build puts them in a resources folder beside
// the programs, the lookup finds them there, and each is a short PCM wave file.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/resources.h"

namespace quarn {
namespace {

namespace fs = std::filesystem;

std::uint32_t le32(const std::vector<unsigned char>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}
std::uint16_t le16(const std::vector<unsigned char>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

struct WaveInfo {
    bool riffWave = false;
    std::uint16_t format = 0, channels = 0;
    std::uint32_t byteRate = 0, dataBytes = 0;
    bool hasData = false;
};

// Walks the chunks of a RIFF file: "fmt " gives the format, "data" the sample bytes.
WaveInfo readWave(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>());
    WaveInfo w;
    if (b.size() < 12) return w;
    w.riffWave = std::string(b.begin(), b.begin() + 4) == "RIFF" &&
                 std::string(b.begin() + 8, b.begin() + 12) == "WAVE";
    std::size_t at = 12;
    while (at + 8 <= b.size()) {
        const std::string id(b.begin() + static_cast<std::ptrdiff_t>(at),
                             b.begin() + static_cast<std::ptrdiff_t>(at + 4));
        const std::uint32_t size = le32(b, at + 4);
        if (id == "fmt " && at + 8 + 16 <= b.size()) {
            w.format = le16(b, at + 8);
            w.channels = le16(b, at + 10);
            w.byteRate = le32(b, at + 16);
        }
        if (id == "data") {
            w.hasData = true;
            w.dataBytes = size;
        }
        at += 8 + size + (size & 1);
    }
    return w;
}

class ShippedSound : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedSound, FoundBesideTheProgramAndAShortPcmWave) {
    const std::string found = findResource(GetParam());
    ASSERT_FALSE(found.empty()) << GetParam() << " not found";
    // The build tree's copy, not a stray file in the working directory.
    EXPECT_EQ(fs::path(found).parent_path().filename(), "resources");
    const WaveInfo w = readWave(found);
    EXPECT_TRUE(w.riffWave);
    EXPECT_EQ(w.format, 1) << "PCM";
    EXPECT_EQ(w.channels, 1);
    ASSERT_TRUE(w.hasData);
    ASSERT_GT(w.byteRate, 0u);
    const double seconds = double(w.dataBytes) / w.byteRate;
    EXPECT_GT(seconds, 0.05);
    EXPECT_LT(seconds, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedSound, ::testing::Values("Exhaust.wav", "Error.wav"),
                         [](const auto& info) {
                             return fs::path(info.param).stem().string();
                         });

TEST(ResourceDirs, TheResourcesFolderBesideTheProgramComesRightAfterIt) {
    const auto dirs = resourceSearchDirs();
    ASSERT_GE(dirs.size(), 4u);
    EXPECT_EQ(fs::path(dirs[2]), fs::path(dirs[1]) / "resources");
}

}  // namespace
}  // namespace quarn
