// The contract of `quarngear-cli diagram`: the CSV headers and rows of each sweep, the
// figures, the positions and scale as the position dialog stores them, the picture
// files and list, and the usage errors.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <ostream>
#include <string>
#include <vector>

#include "cli_run.h"
#include "test_data.h"

namespace quarn::cli {
namespace {

std::vector<std::string> withOptions(std::vector<std::string> args,
                                     const std::vector<std::string>& options) {
    args.insert(args.end(), options.begin(), options.end());
    return args;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (true) {
        const auto comma = line.find(',', start);
        out.push_back(line.substr(start, comma - start));
        if (comma == std::string::npos) return out;
        start = comma + 1;
    }
}

struct CsvCase {
    const char* name;
    std::vector<std::string> args;
    const char* header;
    std::size_t rows;
};
void PrintTo(const CsvCase& c, std::ostream* os) { *os << c.name; }

class DiagramCsv : public ::testing::TestWithParam<CsvCase> {};

TEST_P(DiagramCsv, HasItsHeaderAndARowPerSolve) {
    const CliRun r = runCommand(GetParam().args);
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = outputLines(r.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], GetParam().header);
    EXPECT_EQ(lines.size() - 1, GetParam().rows);
    const std::size_t columns = fields(GetParam().header).size();
    for (std::size_t n = 1; n < lines.size(); ++n) ASSERT_EQ(fields(lines[n]).size(), columns) << n;
}

INSTANTIATE_TEST_SUITE_P(
    Sweeps, DiagramCsv,
    ::testing::Values(
        CsvCase{"SineThreePositions", {"diagram", "sine", "--csv"},
                "position,revarm,step,angle,valve_disp,joint_h", 3 * 67},
        CsvCase{"SineOnePosition", {"diagram", "sine", "--csv", "--positions", "11"},
                "position,revarm,step,angle,valve_disp,joint_h", 67},
        CsvCase{"OvalThreePositions", {"diagram", "oval", "--csv"},
                "position,revarm,step,angle,piston_u,valve_disp,joint_h", 3 * 46},
        CsvCase{"SteamThreePositions", {"diagram", "steam", "--csv"},
                "position,revarm,step,angle,piston640,front_pressure,rear_pressure,front_phase,"
                "rear_phase",
                3 * 150},
        CsvCase{"SteamNinePositions",
                {"diagram", "steam", "--csv", "--positions", "9,9.5,10,10.3,10.5,11,11.5,11.9,12"},
                "position,revarm,step,angle,piston640,front_pressure,rear_pressure,front_phase,"
                "rear_phase",
                9 * 150},
        CsvCase{"SteamZeroEndsTheList", {"diagram", "steam", "--csv", "--positions", "10.3,11,0,9"},
                "position,revarm,step,angle,piston640,front_pressure,rear_pressure,front_phase,"
                "rear_phase",
                2 * 150}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DiagramCsv, SineRowsStepThroughTheTurnFrom328) {
    const auto lines = outputLines(runCommand({"diagram", "sine", "--csv"}).out);
    ASSERT_EQ(lines.size(), 1u + 3 * 67);
    EXPECT_EQ(fields(lines[1])[0], "1");
    EXPECT_EQ(fields(lines[1])[2], "7");
    EXPECT_EQ(fields(lines[1])[3], "328.0000");
    EXPECT_EQ(fields(lines[5])[3], "360.0000");  // j = 11
    EXPECT_EQ(fields(lines[67])[2], "73");
    EXPECT_EQ(fields(lines[67])[3], "136.0000");
    EXPECT_EQ(fields(lines[68])[0], "2");
    EXPECT_EQ(fields(lines[68])[1], "11.798410");  // mid gear + 1.5
}

TEST(DiagramCsv, PortsBothIsForwardThenReverse) {
    const CliRun fwd = runCommand({"diagram", "ports", "--csv"});
    const CliRun rev = runCommand({"diagram", "ports", "--csv", "--mode", "rev"});
    const CliRun both = runCommand({"diagram", "ports", "--csv", "--mode", "both"});
    ASSERT_EQ(both.status, 0) << both.err;
    const auto f = outputLines(fwd.out), r = outputLines(rev.out), b = outputLines(both.out);
    EXPECT_EQ(b[0], "mode,position,revarm,step,event,piston640");
    ASSERT_EQ(b.size(), f.size() + r.size() - 1);
    EXPECT_EQ(std::vector<std::string>(b.begin(), b.begin() + long(f.size())), f);
    EXPECT_EQ(std::vector<std::string>(b.begin() + long(f.size()), b.end()),
              std::vector<std::string>(r.begin() + 1, r.end()));
    for (std::size_t n = 1; n < r.size(); ++n) EXPECT_EQ(r[n][0], 'R');
    // Mid gear opens at position 0 and full reverse gear at 18.
    EXPECT_EQ(fields(f[1])[1], "0");
    EXPECT_EQ(fields(f.back())[1], "18");
}

// Position 1 typed 0 becomes 0.001, which the clamp raises to the range's lower end;
// 50 is brought down to its upper end.
TEST(DiagramCsv, PositionsAreStoredAsTheDialogStoresThem) {
    const auto lines =
        outputLines(runCommand({"diagram", "oval", "--csv", "--positions", "0,50"}).out);
    ASSERT_EQ(lines.size(), 1u + 2 * 46);
    EXPECT_NEAR(std::stod(fields(lines[1])[1]), 10.29841 - 1.7, 2e-6);
    EXPECT_NEAR(std::stod(fields(lines[47])[1]), 10.29841 + 1.7, 2e-6);
}

TEST(DiagramFigures, SineHasTheMidGearColumnOnce) {
    const CliRun r = runCommand({"diagram", "sine", "--figures"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = outputLines(r.out);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "position,revarm,name,value");
    const char* names[] = {"front_lead", "front_lap", "front_exhaust_clearance",
                           "rear_exhaust_clearance", "rear_lap", "rear_lead"};
    for (int n = 0; n < 6; ++n) {
        EXPECT_EQ(fields(lines[1 + n])[0], "1");
        EXPECT_EQ(fields(lines[1 + n])[2], names[n]);
    }
    // Lap 1.789 - 1.578 = 0.211 about the middle of the valve's travel.
    EXPECT_NEAR(std::stod(fields(lines[2])[3]), 0.211, 0.002);
    EXPECT_TRUE(outputLines(runCommand({"diagram", "sine", "--figures", "--positions", "11"}).out)
                    .size() == 1u);
}

TEST(DiagramFigures, SteamCutOffsOfNormalForwardNearSeventyEightPercent) {
    const auto lines = outputLines(runCommand({"diagram", "steam", "--figures"}).out);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(fields(lines[3])[0], "2");
    EXPECT_EQ(fields(lines[3])[2], "front_cutoff");
    EXPECT_NEAR(std::stod(fields(lines[3])[3]), 78.3, 0.3);
    EXPECT_EQ(fields(lines[4])[2], "rear_cutoff");
    EXPECT_NEAR(std::stod(fields(lines[4])[3]), 78.4, 0.3);
}

TEST(DiagramFigures, SteamWithoutCutOffAndPortsHaveTheHeaderOnly) {
    EXPECT_EQ(runCommand({"diagram", "steam", "--figures", "--set", "ValveCtrToRing=5"}).out,
              "position,revarm,name,value\n");
    EXPECT_EQ(runCommand({"diagram", "ports", "--figures"}).out, "position,revarm,name,value\n");
}

TEST(DiagramList, TravelScaleIsRaisedToOneTenth) {
    const CliRun r = runCommand({"diagram", "sine", "--list", "--travel-scale", "0.05"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("text 50 18 #000000 8 normal opaque \"0.1\""), std::string::npos);
}

TEST(DiagramList, IsTheStoredPrimitiveListOfTheSineDiagram) {
    const CliRun r = runCommand({"diagram", "sine", "--list"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string golden = readText(dataFile("diagram_sine.list.txt"));
    ASSERT_FALSE(golden.empty());
    EXPECT_TRUE(r.out == golden) << firstDifference(r.out, golden);
}

struct OutCase {
    const char* name;
    std::vector<std::string> args;
    const char* file;
    int height;
};
void PrintTo(const OutCase& c, std::ostream* os) { *os << c.name; }

class DiagramOut : public ::testing::TestWithParam<OutCase> {};

TEST_P(DiagramOut, WritesThePictureAtTheWindowsSize) {
    QTemporaryDir dir;
    const std::string path = (dir.path() + "/" + GetParam().file).toStdString();
    const CliRun r = runCommand(withOptions(GetParam().args, {"--out", path}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    const QImage image(QString::fromStdString(path));
    EXPECT_EQ(image.size(), QSize(632, GetParam().height));
    EXPECT_EQ(image.pixelColor(1, 1), QColor(255, 255, 255));
}

INSTANTIATE_TEST_SUITE_P(
    Diagrams, DiagramOut,
    ::testing::Values(OutCase{"Sine", {"diagram", "sine"}, "s.png", 414},
                      OutCase{"Oval", {"diagram", "oval"}, "o.png", 426},
                      OutCase{"Steam", {"diagram", "steam"}, "st.PNG", 414},
                      OutCase{"PortsBoth", {"diagram", "ports", "--mode", "both"}, "p.png", 414}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DiagramOut, SvgAndPdfToo) {
    QTemporaryDir dir;
    for (const char* name : {"/a.svg", "/a.pdf"}) {
        const std::string path = (dir.path() + name).toStdString();
        ASSERT_EQ(runCommand({"diagram", "oval", "--out", path}).status, 0) << name;
        QFile f(QString::fromStdString(path));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_TRUE(f.read(8).startsWith(name[3] == 's' ? "<?xml" : "%PDF")) << name;
    }
}

TEST(DiagramOut, RenderFrameWritesSvgAndPdf) {
    QTemporaryDir dir;
    for (const char* name : {"/f.svg", "/f.pdf"}) {
        const std::string path = (dir.path() + name).toStdString();
        const CliRun r = runCommand({"render", "frame", "--out", path});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(QFile::exists(QString::fromStdString(path))) << name;
    }
}

TEST(DiagramOut, UnwritableFileIsStatusOne) {
    const CliRun r = runCommand({"diagram", "sine", "--out", "/nonexistent-folder/s.png"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Cannot save /nonexistent-folder/s.png"), std::string::npos) << r.err;
}

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    const char* said;
};
void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.name; }

class DiagramUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(DiagramUsage, IsStatusTwoAndWritesNothing) {
    QTemporaryDir dir;
    std::vector<std::string> args = GetParam().args;
    for (auto& a : args)
        if (a.rfind("DIR/", 0) == 0) a = (dir.path() + a.substr(3).c_str()).toStdString();
    const CliRun r = runCommand(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find(GetParam().said), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("quarngear-cli diagram sine|oval|steam|ports"), std::string::npos);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    BadArguments, DiagramUsage,
    ::testing::Values(
        UsageCase{"NoDiagram", {"diagram"}, "needs the diagram: sine, oval, steam or ports"},
        UsageCase{"UnknownDiagram", {"diagram", "bar", "--csv"}, "not 'bar'"},
        UsageCase{"NoOutput", {"diagram", "sine"}, "needs --csv, --figures, --out FILE or --list"},
        UsageCase{"TwoOutputs", {"diagram", "sine", "--csv", "--list"}, "takes one of"},
        UsageCase{"ModeForSine", {"diagram", "sine", "--csv", "--mode", "rev"},
                  "--mode chooses the graph of the ports diagram only"},
        UsageCase{"UnknownMode", {"diagram", "ports", "--csv", "--mode", "up"},
                  "--mode takes fwd, rev or both"},
        UsageCase{"PositionNotANumber", {"diagram", "sine", "--csv", "--positions", "10,x"},
                  "--positions takes numbers"},
        UsageCase{"EmptyPosition", {"diagram", "sine", "--csv", "--positions", "10,,11"},
                  "--positions takes numbers"},
        UsageCase{"TenPositions",
                  {"diagram", "sine", "--csv", "--positions", "1,2,3,4,5,6,7,8,9,10"},
                  "at most 9"},
        UsageCase{"ScaleNotANumber", {"diagram", "sine", "--csv", "--travel-scale", "big"},
                  "--travel-scale takes a number"},
        UsageCase{"GifEnding", {"diagram", "sine", "--out", "DIR/x.gif"}, "ends in .gif"},
        UsageCase{"GearSettingIsNotTaken", {"diagram", "sine", "--csv", "--gear", "fwd"},
                  "unknown option '--gear'"},
        UsageCase{"OutWithoutName", {"diagram", "sine", "--out"}, "--out needs a value"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DiagramCommand, StrangeDesignsStillDraw) {
    for (const char* set : {"MainRodLength=1", "DriverDia=1e30", "Stroke=0", "RevArmToCentMax=0",
                            "ValveCtrToRing=-3e38"}) {
        for (const char* kind : {"sine", "oval", "steam", "ports"}) {
            const CliRun r = runCommand({"diagram", kind, "--list", "--set", set});
            EXPECT_EQ(r.status, 0) << kind << " " << set << r.err;
        }
    }
}

}  // namespace
}  // namespace quarn::cli
