// Whole-file reading and the safe replacement of a saved design (POSIX calls, since
// the standard streams can neither flush a file to the disk nor report why they failed).
#include "file_io.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace quarn {
namespace {

FileFailure readFailure(int error) {
    return {FileFailure::Kind::System, error == ENOENT ? "File not found" : std::strerror(error)};
}
FileFailure writeFailure(int error) { return {FileFailure::Kind::System, std::strerror(error)}; }

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

// Writes from the start of the file, whatever it held.
bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
    off_t offset = 0;
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        bytes = bytes.subspan(std::size_t(n));
        offset += n;
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

// The file a save really writes: the end of a chain of links, followed as the system
// follows them on opening. A link to a missing file gives that file, which the save
// then makes. False, with errno, for a chain that does not end.
bool followLinks(const std::string& path, std::string& target) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {  // the system's own limit (ELOOP)
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        char to[PATH_MAX];
        const ssize_t n = ::readlink(target.c_str(), to, sizeof to);
        if (n < 0) return false;
        if (std::size_t(n) == sizeof to) {
            errno = ENAMETOOLONG;
            return false;
        }
        // A relative link is read from the folder the link stands in.
        const auto slash = target.find_last_of('/');
        const std::string folder =
            to[0] == '/' || slash == std::string::npos ? "" : target.substr(0, slash + 1);
        target = folder + std::string(to, std::size_t(n));
    }
    errno = ELOOP;
    return false;
}

// A design is read-only when its user may not write it, or when no one may. The
// second rule is for root, whom the system lets write any file: a design with every
// write bit cleared was marked so on purpose, and a save must not quietly replace it.
bool isReadOnly(const std::string& path, const struct stat& st) {
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
    return ::access(path.c_str(), W_OK) != 0 && errno == EACCES;
}

// The last resort when the folder takes no new file: the old file is written over.
// That cannot be complete-or-nothing, so the new bytes go over the old ones before
// the file is cut to their length: it is never left empty, and an old file as long
// as the new one needs no more room on the disk.
FileFailure writeInPlace(const std::string& path, std::span<const std::uint8_t> bytes) {
    // Without O_NONBLOCK, a pipe put in the file's place would hold the open for ever.
    Descriptor fd(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) return writeFailure(errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return writeFailure(errno);
    if (!S_ISREG(st.st_mode)) return {FileFailure::Kind::NotRegularFile, ""};
    const bool ok = writeAll(fd.get(), bytes) && ::ftruncate(fd.get(), off_t(bytes.size())) == 0 &&
                    ::fsync(fd.get()) == 0 && fd.close() == 0;
    return ok ? FileFailure{} : writeFailure(errno);
}

}  // namespace

FileBytes readFilePrefix(const std::string& path, std::size_t limit) {
    // O_NONBLOCK, so that opening a pipe does not wait for a writer; it changes nothing
    // for the regular files that are read.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) return {readFailure(errno), {}};
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return {readFailure(errno), {}};
    if (S_ISDIR(st.st_mode)) return {readFailure(EISDIR), {}};
    if (!S_ISREG(st.st_mode)) return {{FileFailure::Kind::NotRegularFile, ""}, {}};
    FileBytes result;
    result.bytes.resize(limit);
    std::size_t have = 0;
    while (have < limit) {
        const ssize_t n = ::read(fd.get(), result.bytes.data() + have, limit - have);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return {readFailure(errno), {}};
        if (n == 0) break;
        have += std::size_t(n);
    }
    result.bytes.resize(have);
    return result;
}

FileFailure replaceFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::string target;
    if (!followLinks(path, target)) return writeFailure(errno);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        if (S_ISDIR(old.st_mode)) return writeFailure(EISDIR);
        if (!S_ISREG(old.st_mode)) return {FileFailure::Kind::NotRegularFile, ""};
        if (isReadOnly(target, old)) return {FileFailure::Kind::ReadOnly, ""};
    }

    std::string tempPath;
    Descriptor fd(createTemporary(target, tempPath));
    if (fd.get() < 0) {
        const int error = errno;
        if (exists && (error == EACCES || error == EPERM)) return writeInPlace(target, bytes);
        return writeFailure(error);
    }
    // A design saved over an existing file keeps that file's permissions.
    bool ok = !exists || ::fchmod(fd.get(), old.st_mode & 07777) == 0;
    ok = ok && writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    ok = ok && fd.close() == 0;
    ok = ok && ::rename(tempPath.c_str(), target.c_str()) == 0;
    if (!ok) {
        const int error = errno;
        ::unlink(tempPath.c_str());
        return writeFailure(error);
    }
    // Make the rename itself durable; the new file is complete whatever happens here.
    Descriptor folder(::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
    return {};
}

}  // namespace quarn
