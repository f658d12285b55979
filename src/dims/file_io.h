// Reading and replacing whole files for the dimension files, with the system's
// reason in every failure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quarn {

struct FileBytes {
    bool ok = true;
    std::string error;  // "File not found" or the system's reason
    std::vector<std::uint8_t> bytes;
};

// At most `limit` bytes from the start of the file: the readers never need more, and
// the limit keeps a huge or endless file (a device) from being read whole.
FileBytes readFilePrefix(const std::string& path, std::size_t limit);

// Replaces the file at `path` with `bytes` so that a failure at any point leaves the
// old file as it was: the bytes go to a new file in the same folder, which is flushed
// to the disk and then renamed over the old one. Returns "" or the reason it failed.
std::string replaceFile(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace quarn
