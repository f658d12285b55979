// The lookup of the program's data files by plain name.
#include "resources.h"

#include <QCoreApplication>
#include <filesystem>
#include <system_error>

namespace quarn {
namespace {

namespace fs = std::filesystem;

std::string executableDir() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath().toStdString();
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

bool isFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

}  // namespace

std::vector<std::string> resourceSearchDirs() {
    std::vector<std::string> dirs;
    std::error_code ec;
    const fs::path cwd = fs::current_path(ec);
    if (!ec) dirs.push_back(cwd.string());
    const std::string exeDir = executableDir();
    if (!exeDir.empty()) {
        dirs.push_back(exeDir);
        // The build tree: the build copies the program's data files there.
        dirs.push_back((fs::path(exeDir) / "resources").string());
        // An installed tree moved as a whole: <prefix>/bin and <prefix>/share/quarngear.
        dirs.push_back((fs::path(exeDir) / ".." / "share" / "quarngear").lexically_normal().string());
    }
    dirs.push_back(QUARN_DATA_DIR);
    return dirs;
}

std::string findResourceIn(const std::string& name, const std::vector<std::string>& dirs) {
    if (name.empty()) return {};
    const fs::path given(name);
    if (given.has_parent_path()) return isFile(given) ? given.string() : std::string();
    for (const auto& dir : dirs) {
        if (dir.empty()) continue;
        const fs::path candidate = fs::path(dir) / given;
        if (isFile(candidate)) return candidate.string();
    }
    return {};
}

std::string findResource(const std::string& name) { return findResourceIn(name, resourceSearchDirs()); }

}  // namespace quarn
