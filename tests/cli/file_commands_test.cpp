// The file commands of quarngear-cli (save, convert, show) and --file on the others.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "cli_run.h"
#include "dims/file_layout.h"
#include "support/pipe_guard.h"

namespace quarn::cli {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class FileCommands : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "quarn-cli-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    std::string file(const std::string& name) const { return (dir_ / name).string(); }

    static Bytes read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void write(const std::string& path, const Bytes& bytes) {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    static void setField(Bytes& bytes, int record, int field, float v) {
        putFloat(bytes.data() + (record - 1) * RecordBytes + (field - 1) * FieldBytes, v);
    }
    static bool hasLine(const std::string& text, const std::string& wanted) {
        const auto lines = outputLines(text);
        return std::find(lines.begin(), lines.end(), wanted) != lines.end();
    }

    fs::path dir_;
};

TEST_F(FileCommands, SavedStartupDesignShowsAsTheNominalSet) {
    const CliRun saved = runCommand({"save", file("a.qgd")});
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(fs::file_size(file("a.qgd")), 1420u);
    const CliRun shown = runCommand({"show", file("a.qgd")});
    ASSERT_EQ(shown.status, 0) << shown.err;
    const std::string& o = shown.out;
    EXPECT_EQ(outputLines(o).at(0), "Design a (dimension file)");
    EXPECT_TRUE(hasLine(o, "   2 Stroke                     Stroke                    4.25"));
    EXPECT_TRUE(hasLine(o, "  30 Rev Arm to Cemt Max        RevArmToCentMax           1.7"));
    EXPECT_TRUE(hasLine(o, "  17 Valve ctr to Joint (Stem)  ValveCtrToJoint           6.39"));
    EXPECT_TRUE(hasLine(o, "  GraphicZoom                       7.5"));
    EXPECT_TRUE(hasLine(o, "  Preset 6                          427 -11800 1482"));
    EXPECT_TRUE(hasLine(o, "  TravelScale                       1.5"));
    EXPECT_TRUE(hasLine(o, "  CurrentItem                       1"));
    EXPECT_TRUE(hasLine(o, "  Items                             none in use"));
}

TEST_F(FileCommands, FileIsLoadedBeforeTheChanges) {
    ASSERT_EQ(runCommand({"save", file("long.qgd"), "--set", "MainRodLength=17"}).status, 0);
    const auto solve = [](std::vector<std::string> extra) {
        std::vector<std::string> args{"solve", "--angles", "0,90"};
        args.insert(args.end(), extra.begin(), extra.end());
        const CliRun r = runCommand(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return r.out;
    };
    EXPECT_EQ(solve({"--file", file("long.qgd")}), solve({"--set", "MainRodLength=17"}));
    EXPECT_EQ(solve({"--set", "MainRodLength=16.5", "--file", file("long.qgd")}), solve({}));
    EXPECT_NE(solve({"--file", file("long.qgd")}), solve({}));
    const CliRun report = runCommand({"report", "--file", file("long.qgd")});
    ASSERT_EQ(report.status, 0) << report.err;
    EXPECT_EQ(outputLines(report.out).at(0), "Valve events of long (standard form)");
}

TEST_F(FileCommands, UnreadableFileStopsEveryCommandWithStatusOne) {
    Bytes thirty(30 * RecordBytes, 0);
    write(file("thirty.qgd"), thirty);
    struct Case {
        const char* file;
        const char* text;
    };
    for (const Case& c : {Case{"missing.qgd", "File not found"},
                          Case{"thirty.qgd", "Read beyond end of file"},
                          Case{"missing.qgk", "File not found"}})
        for (const char* command : {"solve", "centre", "report", "save", "show"}) {
            std::vector<std::string> args{command};
            if (std::string(command) == "save") args.push_back(file("out.qgd"));
            if (std::string(command) != "show") args.push_back("--file");
            args.push_back(file(c.file));
            const CliRun r = runCommand(args);
            EXPECT_EQ(r.status, 1) << command << " " << c.file;
            EXPECT_NE(r.err.find(c.text), std::string::npos) << r.err;
            EXPECT_TRUE(r.out.empty()) << command;
            EXPECT_FALSE(fs::exists(file("out.qgd")));
        }
}

TEST_F(FileCommands, ConvertReadsTwelveRecordsAndWritesAWholeFile) {
    ASSERT_EQ(runCommand({"save", file("full.qgd"), "--set", "Stroke=5"}).status, 0);
    Bytes old = read(file("full.qgd"));
    old.resize(12 * RecordBytes);
    setField(old, 11, 3, 99);  // the DOS format's own use of the graphic zoom field
    write(file("Old.QGK"), old);

    const CliRun r = runCommand({"convert", file("Old.QGK"), file("new.qgd")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(fs::file_size(file("new.qgd")), 1420u);
    const CliRun shown = runCommand({"show", file("new.qgd")});
    EXPECT_TRUE(hasLine(shown.out, "   2 Stroke                     Stroke                    5"));
    EXPECT_TRUE(hasLine(shown.out, "  GraphicZoom                       7.5"));
    // --file takes the DOS import by the name's extension, whatever its case.
    EXPECT_EQ(runCommand({"solve", "--file", file("Old.QGK")}).out,
              runCommand({"solve", "--file", file("new.qgd")}).out);
    // The same twelve records under a dimension-file name are too short.
    write(file("twelve.qgd"), old);
    EXPECT_EQ(runCommand({"solve", "--file", file("twelve.qgd")}).status, 1);
}

TEST_F(FileCommands, ShowListsOverlayItemsInUse) {
    ASSERT_EQ(runCommand({"save", file("o.qgd")}).status, 0);
    Bytes bytes = read(file("o.qgd"));
    setField(bytes, 51, 2, 0);    // item 2 is a line,
    setField(bytes, 55, 2, 255);  // red,
    setField(bytes, 59, 2, 3);    // tied to two pivots:
    setField(bytes, 63, 2, 5);
    setField(bytes, 67, 2, 99);   // one that does not exist
    setField(bytes, 23, 2, 1.5f);
    setField(bytes, 71, 5, 2);
    write(file("o.qgd"), bytes);
    const CliRun r = runCommand({"show", file("o.qgd")});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* wanted :
         {"  CurrentItem                       2", "  Item 2 type                       Line",
          "  Item 2 colour                     Red", "  Item 2 referenced to              Piv1/Piv2",
          "  Item 2 Vert1 Horz1                1.5 0", "  Item 2 Pivot1                     5",
          "  Item 2 Pivot2                     99 (no pivot: not drawn)"})
        EXPECT_TRUE(hasLine(r.out, wanted)) << wanted << "\n" << r.out;
    EXPECT_EQ(r.out.find("Item 1 "), std::string::npos);
}

TEST_F(FileCommands, FailedSaveKeepsTheOldFileAndSaysSo) {
    ASSERT_EQ(runCommand({"save", file("keep.qgd")}).status, 0);
    const Bytes old = read(file("keep.qgd"));
    fs::create_directory(file("folder.qgd"));
    for (const std::string& target : {file("folder.qgd"), file("keep.qgd/inside.qgd")}) {
        const CliRun r = runCommand({"save", target, "--set", "Stroke=6"});
        EXPECT_EQ(r.status, 1) << target;
        EXPECT_NE(r.err.find("Cannot save " + target), std::string::npos) << r.err;
    }
    EXPECT_EQ(read(file("keep.qgd")), old);
}

// The normal reverse-arm travel never exceeds the maximum: each --set is taken as the
// frame dimensions dialog takes a field that is left, the limit set pulled to the
// other. Mid gear is 10.29841; the range is mid gear plus or minus the two travels.
TEST_F(FileCommands, SetKeepsTheNormalTravelWithinTheMaximum) {
    struct Row {
        const char* name;
        std::vector<std::string> sets;
        const char* normal;  // as saved and shown
        const char* max;
        const char* centre;  // the line of `centre`
        const char* note;    // on stderr, "" for none
    } rows[] = {
        {"NormalBeyondMax", {"RevArmToCentNormal=2.0"}, "1.7", "1.7",
         "centre=10.298410 min=8.598411 max=11.998410 rev=8.598411 fwd=11.998410",
         "RevArmToCentNormal 2.000 is beyond RevArmToCentMax 1.700: taken as 1.700"},
        {"MaxBelowNormal", {"RevArmToCentMax=1.2"}, "1.5", "1.5",
         "centre=10.298410 min=8.798410 max=11.798410 rev=8.798410 fwd=11.798410",
         "RevArmToCentMax 1.200 is below RevArmToCentNormal 1.500: taken as 1.500"},
        {"NormalLoweredFirst", {"RevArmToCentNormal=0.8", "RevArmToCentMax=1"}, "0.8", "1",
         "centre=10.298410 min=9.298410 max=11.298410 rev=9.498410 fwd=11.098411", ""},
        {"MaxLoweredFirst", {"RevArmToCentMax=1", "RevArmToCentNormal=0.8"}, "0.8", "1.5",
         "centre=10.298410 min=8.798410 max=11.798410 rev=9.498410 fwd=11.098411",
         "RevArmToCentMax 1.000 is below RevArmToCentNormal 1.500: taken as 1.500"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<std::string> centre{"centre"}, save{"save", file("limits.qgd")};
        for (const std::string& s : row.sets) {
            centre.insert(centre.end(), {"--set", s});
            save.insert(save.end(), {"--set", s});
        }
        const CliRun c = runCommand(centre);
        ASSERT_EQ(c.status, 0) << c.err;
        EXPECT_EQ(c.out, std::string(row.centre) + "\n");
        const std::string note = *row.note ? "quarngear-cli: " + std::string(row.note) + "\n" : "";
        EXPECT_EQ(c.err, note);
        const CliRun saved = runCommand(save);
        ASSERT_EQ(saved.status, 0) << saved.err;
        EXPECT_EQ(saved.err, note);
        const std::string shown = runCommand({"show", file("limits.qgd")}).out;
        EXPECT_TRUE(hasLine(shown, "  29 Rev Arm to Cent Normal     RevArmToCentNormal        " +
                                       std::string(row.normal)));
        EXPECT_TRUE(hasLine(shown, "  30 Rev Arm to Cemt Max        RevArmToCentMax           " +
                                       std::string(row.max)));
    }
}

TEST_F(FileCommands, NamedPipeIsRefusedAtOnce) {
    ASSERT_EQ(::mkfifo(file("pipe.qgd").c_str(), 0644), 0);
    const std::vector<std::vector<std::string>> commands{{"show", file("pipe.qgd")},
                                                         {"solve", "--file", file("pipe.qgd")},
                                                         {"save", file("pipe.qgd")}};
    for (const auto& args : commands) {
        SCOPED_TRACE(args[0]);
        const auto r = test::doneWithinTwoSeconds(file("pipe.qgd"), [&] { return runCommand(args); });
        ASSERT_TRUE(r) << "still waiting after two seconds";
        EXPECT_EQ(r->status, 1);
        EXPECT_EQ(r->err, "quarngear-cli " + args[0] + ": " + file("pipe.qgd") +
                              " is not a regular file\n");
        EXPECT_TRUE(r->out.empty());
    }
    EXPECT_TRUE(fs::is_fifo(file("pipe.qgd")));
}

TEST_F(FileCommands, WrongFileArgumentsAreUsageErrors) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"save"},
             {"save", "a.qgd", "b.qgd"},
             {"convert", "a.qgk"},
             {"convert", "a.qgk", "b.qgd", "--set", "Stroke=1"},
             {"show"},
             {"show", "a.qgd", "b.qgd"},
             {"show", "a.qgd", "--set", "Stroke=1"},
             {"save", "a.qgd", "--gear", "mid"}}) {
        const CliRun r = runCommand(args);
        EXPECT_EQ(r.status, 2) << args.size();
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_FALSE(fs::exists("a.qgd"));
    EXPECT_FALSE(fs::exists("b.qgd"));
}

}  // namespace
}  // namespace quarn::cli
