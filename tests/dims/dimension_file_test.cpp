// Saving, opening and importing designs by file name: sizes, names, and failures that
// must leave both the design and the user's old file as they were.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>

#include "dims/dimension_file.h"
#include "dims_test_support.h"
#include "support/pipe_guard.h"

namespace quarn {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> folderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(DimensionFile, StartupDesignSurvivesSaveAndOpenBitForBit) {
    TempFolder dir;
    GearModel saved = startupModel();
    const FileResult s = saveDimensionFile(saved, dir.file("Test.qgd"));
    ASSERT_TRUE(s.ok) << s.message;
    EXPECT_EQ(saved.DimSetName, "Test");
    const auto bytes = readBytes(dir.file("Test.qgd"));
    EXPECT_EQ(bytes, encodeDimensionFile(startupModel()));

    // Read into a design that differs in every field the file carries.
    GearModel read = startupModel();
    ASSERT_TRUE(loadDimensionBytes(read, distinctImage(71)).ok);
    const FileResult o = openDimensionFile(read, dir.file("Test.qgd"));
    ASSERT_TRUE(o.ok) << o.message;
    EXPECT_EQ(read.DimSetName, "Test");
    EXPECT_EQ(encodeDimensionFile(read), bytes);
    EXPECT_EQ(read.PivotHorz, startupModel().PivotHorz);
    EXPECT_EQ(read.PivotVert, startupModel().PivotVert);
    EXPECT_EQ(read.RevArmPosition, startupModel().RevArmPosition);
}

struct FailedRead {
    const char* name;
    const char* file;
    bool dos;
    const char* text;
};
void PrintTo(const FailedRead& c, std::ostream* os) { *os << c.name << ": " << c.file; }

class FailedOpenOrImport : public ::testing::TestWithParam<FailedRead> {};

TEST_P(FailedOpenOrImport, ChangesNothing) {
    const FailedRead& c = GetParam();
    TempFolder dir;
    writeBytes(dir.file("thirty.qgd"), distinctImage(30));
    writeBytes(dir.file("short.qgk"), distinctImage(11));
    fs::create_directory(dir.path() / "folder.qgd");
    GearModel m = startupModel();
    m.DimSetName = "Mine";
    m.overlay.ItemType[2] = 1;
    ASSERT_EQ(::mkfifo(dir.file("pipe.qgd").c_str(), 0644), 0);
    ASSERT_EQ(::mkfifo(dir.file("pipe.qgk").c_str(), 0644), 0);
    const GearModel before = m;
    const auto read = test::doneWithinTwoSeconds(dir.file(c.file), [&] {
        return c.dos ? importDosFile(m, dir.file(c.file)) : openDimensionFile(m, dir.file(c.file));
    });
    ASSERT_TRUE(read) << "still reading after two seconds";
    const FileResult& r = *read;
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(c.text), std::string::npos) << r.message;
    EXPECT_NE(r.message.find(dir.file(c.file)), std::string::npos) << r.message;
    expectSameDesign(m, before);
    EXPECT_TRUE(sameOverlay(m.overlay, before.overlay));
}

INSTANTIATE_TEST_SUITE_P(
    DimensionFile, FailedOpenOrImport,
    ::testing::Values(FailedRead{"MissingFile", "missing.qgd", false, "File not found"},
                      FailedRead{"MissingDosFile", "missing.qgk", true, "File not found"},
                      FailedRead{"ThirtyRecords", "thirty.qgd", false, "Read beyond end of file"},
                      FailedRead{"DosFileOfElevenRecords", "short.qgk", true,
                                 "Read beyond end of file"},
                      FailedRead{"Folder", "folder.qgd", false, "Is a directory"},
                      FailedRead{"Pipe", "pipe.qgd", false, "pipe.qgd is not a regular file"},
                      FailedRead{"DosPipe", "pipe.qgk", true, "pipe.qgk is not a regular file"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DimensionFile, DosImportKeepsGraphicZoomAndNamesTheSet) {
    TempFolder dir;
    auto image = encodeDimensionFile(startupModel());
    image.resize(12 * RecordBytes);
    setFieldAt(image, 11, 3, 99.0f);  // the DOS format's own use of this field
    setFieldAt(image, 3, 3, 5.0f);    // Stroke
    writeBytes(dir.file("Old.qgk"), image);
    GearModel m = startupModel();
    const FileResult r = importDosFile(m, dir.file("Old.qgk"));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(m.DimSetName, "Old");
    EXPECT_EQ(m.frame.Stroke, 5.0f);
    EXPECT_EQ(m.view.GraphicZoom, 7.5f);
}

TEST(DimensionFile, DosImportOfADimensionFileTakesItsDimensionsAndView) {
    TempFolder dir;
    GearModel source = startupModel();
    source.frame.MainRodLength = 17;
    source.view.ViewScale = 30;
    source.view.GraphicZoom = 50;
    source.view.ViewPresets[5] = 1;
    ASSERT_TRUE(saveDimensionFile(source, dir.file("New.qgd")).ok);
    GearModel m = startupModel();
    ASSERT_TRUE(importDosFile(m, dir.file("New.qgd")).ok);
    EXPECT_EQ(m.frame.MainRodLength, 17.0f);
    EXPECT_EQ(m.view.ViewScale, 30.0f);
    EXPECT_EQ(m.view.GraphicZoom, 7.5f);
    EXPECT_EQ(m.view.ViewPresets, startupModel().view.ViewPresets);
}

TEST(DimensionFile, SaveThatFailsHalfWayKeepsTheOldFile) {
    TempFolder dir;
    const std::string target = dir.file("Design.qgd");
    const auto old = encodeDimensionFile(startupModel());
    writeBytes(target, old);
    // The file size limit stops the write after 100 bytes, for root as for anyone.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    GearModel m = startupModel();
    m.frame.Stroke = 6;
    const FileResult r = saveDimensionFile(m, target);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("too large"), std::string::npos) << r.message;
    EXPECT_EQ(m.DimSetName, "Nominal");
    EXPECT_EQ(readBytes(target), old);
    EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"Design.qgd"});
}

// Saves `m` to `target` as a user who may not write to the target's folder. Root, whom
// no mode bit stops, saves from a child process that has become "nobody", with the
// file, when there is one, handed over to it as a user would own it.
FileResult saveLockedOut(const TempFolder& dir, const std::string& target, const GearModel& m) {
    if (::getuid() != 0) {
        fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
        GearModel copy = m;
        return saveDimensionFile(copy, target);
    }
    const uid_t nobody = 65534;
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
    if (fs::exists(target) && ::chown(target.c_str(), nobody, nobody) != 0) return {false, "chown"};
    int reply[2];
    if (::pipe(reply) != 0) return {false, "pipe"};
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setresgid(nobody, nobody, nobody) != 0 || ::setresuid(nobody, nobody, nobody) != 0)
            ::_exit(1);
        GearModel copy = m;
        const FileResult r = saveDimensionFile(copy, target);
        const std::string text = (r.ok ? "1" : "0") + r.message;
        ::_exit(::write(reply[1], text.data(), text.size()) == ssize_t(text.size()) ? 0 : 1);
    }
    ::close(reply[1]);
    std::string text;
    char buf[512];
    for (ssize_t n; (n = ::read(reply[0], buf, sizeof buf)) > 0;) text.append(buf, std::size_t(n));
    ::close(reply[0]);
    ::waitpid(child, nullptr, 0);
    if (text.empty()) return {false, "the child saved nothing"};
    return {text[0] == '1', text.substr(1)};
}

// What stands at the name a design is saved to; the save either writes the file that
// name leads to or refuses, and leaves the name itself what it was.
TEST(DimensionFile, SaveFollowsLinksAndRefusesWhatItMustNotReplace) {
    enum What { Writable, ReadOnly, Pipe, Nothing };
    struct Row {
        const char* name;
        What what;          // at Design.qgd, or at the file a link there points to
        bool link;
        bool lockedFolder;  // the folder takes no new file
        const char* refusal;  // nullptr: the design is saved
    } rows[] = {
        {"ThroughALink", Writable, true, false, nullptr},
        {"ReadOnlyFile", ReadOnly, false, false, "Design.qgd is read-only"},
        {"LinkToAReadOnlyFile", ReadOnly, true, false, "Design.qgd is read-only"},
        {"Pipe", Pipe, false, false, "Design.qgd is not a regular file"},
        {"LinkToAPipe", Pipe, true, false, "Design.qgd is not a regular file"},
        {"FileInALockedFolder", Writable, false, true, nullptr},
        {"NewFileInALockedFolder", Nothing, false, true, "Permission denied"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder dir;
        const std::string target = dir.file("Design.qgd");
        const std::string real = row.link ? dir.file("real") : target;
        if (row.what == Pipe) {
            ASSERT_EQ(::mkfifo(real.c_str(), 0644), 0);
        }
        if (row.what == Writable || row.what == ReadOnly) {
            writeBytes(real, std::vector<std::uint8_t>(3000, 0xAB));
            // 0444: a read-only file that root, too, must leave alone.
            ::chmod(real.c_str(), row.what == ReadOnly ? 0444 : 0640);
        }
        if (row.link) fs::create_symlink("real", target);
        const auto kind = fs::symlink_status(target).type();
        const auto led = fs::status(target);
        const auto old = fs::is_regular_file(led) ? readBytes(target) : std::vector<std::uint8_t>{};
        const auto entries = folderEntries(dir.path());

        GearModel m = startupModel();
        m.frame.Stroke = 6;
        const FileResult r = row.lockedFolder ? saveLockedOut(dir, target, m) : saveDimensionFile(m, target);
        EXPECT_EQ(fs::symlink_status(target).type(), kind);
        EXPECT_EQ(fs::status(target).permissions(), led.permissions());
        EXPECT_EQ(folderEntries(dir.path()), entries);
        if (!row.refusal) {
            EXPECT_TRUE(r.ok) << r.message;
            EXPECT_EQ(readBytes(target), encodeDimensionFile(m));
            continue;
        }
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.message.find(row.refusal), std::string::npos) << r.message;
        EXPECT_NE(r.message.find(target), std::string::npos) << r.message;
        if (fs::is_regular_file(led)) {
            EXPECT_EQ(readBytes(target), old);
        }
    }
}

struct FailedSave {
    const char* name;
    const char* target;  // within a folder that holds only the empty folder Folder.qgd
};
void PrintTo(const FailedSave& c, std::ostream* os) { *os << c.name << ": " << c.target; }

class SaveWithoutAPlace : public ::testing::TestWithParam<FailedSave> {};

TEST_P(SaveWithoutAPlace, FailsAndLeavesTheFoldersAlone) {
    TempFolder dir;
    fs::create_directory(dir.path() / "Folder.qgd");
    GearModel m = startupModel();
    const std::string target = dir.file(GetParam().target);
    const FileResult r = saveDimensionFile(m, target);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(target), std::string::npos) << r.message;
    EXPECT_EQ(m.DimSetName, "Nominal");
    EXPECT_TRUE(fs::is_directory(dir.path() / "Folder.qgd"));
    EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"Folder.qgd"});
    EXPECT_TRUE(folderEntries(dir.path() / "Folder.qgd").empty());
}

INSTANTIATE_TEST_SUITE_P(DimensionFile, SaveWithoutAPlace,
                         ::testing::Values(FailedSave{"OntoAFolder", "Folder.qgd"},
                                           FailedSave{"IntoAMissingFolder", "missing/Design.qgd"},
                                           FailedSave{"IntoAMissingFolderBelowAFolder",
                                                      "Folder.qgd/x/y.qgd"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DimensionFile, SaveReplacesAnOldFileAndKeepsItsPermissions) {
    TempFolder dir;
    const std::string target = dir.file("Design.qgd");
    writeBytes(target, std::vector<std::uint8_t>(3000, 0xAB));
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    GearModel m = startupModel();
    m.overlay.CurrentItem = 9;
    ASSERT_TRUE(saveDimensionFile(m, target).ok);
    EXPECT_EQ(readBytes(target), encodeDimensionFile(m));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"Design.qgd"});
}

}  // namespace
}  // namespace quarn
