// Reading and replacing whole files for the dimension files, with the system's
// reason in every failure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quarn {

// Why a file was not read or written: the system's reason, or a file the program
// will not touch (a pipe or a device, or a design someone marked read-only).
struct FileFailure {
    enum class Kind : unsigned char { None, System, NotRegularFile, ReadOnly };
    Kind kind = Kind::None;
    std::string reason;  // for System: "File not found" or the system's reason

    bool failed() const { return kind != Kind::None; }
};

struct FileBytes {
    FileFailure failure;
    std::vector<std::uint8_t> bytes;
};

// At most `limit` bytes from the start of the file: the readers never need more, and
// the limit keeps a huge file from being read whole. Anything but a regular file is
// refused at once, so a pipe or a device can neither hang nor feed the reader.
FileBytes readFilePrefix(const std::string& path, std::size_t limit);

// Replaces the file at `path` with `bytes`; a link is followed and the file it points
// to is replaced, the link stays. Normally a failure at any point leaves the old file
// as it was: the bytes go to a new file in the same folder, which is flushed to the
// disk and then renamed over the old one. When the folder takes no new file, an
// existing writable file is written over in place instead. A pipe, a device or a
// read-only file is refused and left alone.
FileFailure replaceFile(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace quarn
