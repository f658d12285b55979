// The fixture files of tests/data and the README, found through the source folder the
// build names, and text compared line by line.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace quarn::cli {

inline std::string dataFile(const std::string& name) {
    return std::string(QUARN_TEST_DATA) + "/" + name;
}
inline std::string sourceFile(const std::string& name) {
    return std::string(QUARN_SOURCE_ROOT) + "/" + name;
}

inline std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
inline std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Where two texts first part, for a failure message that a person can act on; empty
// when they are the same.
inline std::string firstDifference(const std::string& got, const std::string& wanted) {
    if (got == wanted) return "";
    std::istringstream g(got), w(wanted);
    std::string gl, wl;
    for (int n = 1;; ++n) {
        const bool hasG = bool(std::getline(g, gl)), hasW = bool(std::getline(w, wl));
        if (!hasG && !hasW) return "the texts differ in their last line end";
        if (!hasG || !hasW || gl != wl)
            return "line " + std::to_string(n) + ":\n  got    " + (hasG ? gl : "(end)") +
                   "\n  wanted " + (hasW ? wl : "(end)");
    }
}

}  // namespace quarn::cli
