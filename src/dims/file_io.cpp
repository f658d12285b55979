// Whole-file reading and the safe replacement of a saved design (POSIX calls, since
// the standard streams can neither flush a file to the disk nor report why they failed).
#include "file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace quarn {
namespace {

std::string readReason(int error) {
    if (error == ENOENT) return "File not found";
    return std::strerror(error);
}

// Closes the descriptor it holds when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now, where a failure still counts (a write can surface only here).
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        bytes = bytes.subspan(std::size_t(n));
    }
    return true;
}

// A new, unused name beside the target; O_EXCL guarantees no other file is touched.
int createTemporary(const std::string& path, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    const auto slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder + "." + name + "." + std::to_string(::getpid()) + "-" +
                   std::to_string(counter++) + ".tmp";
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

FileBytes readFilePrefix(const std::string& path, std::size_t limit) {
    FileBytes result;
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return {false, readReason(errno), {}};
    result.bytes.resize(limit);
    std::size_t have = 0;
    while (have < limit) {
        const ssize_t n = ::read(fd.get(), result.bytes.data() + have, limit - have);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return {false, readReason(errno), {}};
        if (n == 0) break;
        have += std::size_t(n);
    }
    result.bytes.resize(have);
    return result;
}

std::string replaceFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::string tempPath;
    Descriptor fd(createTemporary(path, tempPath));
    if (fd.get() < 0) return std::strerror(errno);

    // A design saved over an existing file keeps that file's permissions.
    struct stat old {};
    bool ok = true;
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ok = ::fchmod(fd.get(), old.st_mode & 07777) == 0;
    ok = ok && writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    ok = ok && fd.close() == 0;
    ok = ok && ::rename(tempPath.c_str(), path.c_str()) == 0;
    if (!ok) {
        const int error = errno;
        ::unlink(tempPath.c_str());
        return std::strerror(error);
    }
    // Make the rename itself durable; the new file is complete whatever happens here.
    Descriptor folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
    return "";
}

}  // namespace quarn
