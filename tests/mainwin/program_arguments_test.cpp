// The desktop program's command line, read before any window opens.
#include <gtest/gtest.h>

#include "mainwin/program_arguments.h"

namespace quarn {
namespace {

struct ArgumentRow {
    const char* name;
    QStringList arguments;  // after the program's own name
    bool ok;
    const char* file;
    int exitCode;
    const char* messageHas;  // a part of the message, "" for none at all
};

class ProgramArgumentsTest : public ::testing::TestWithParam<ArgumentRow> {};

TEST_P(ProgramArgumentsTest, Reads) {
    const ArgumentRow& row = GetParam();
    const ProgramArguments a =
        parseProgramArguments(QStringList{QStringLiteral("quarngear")} + row.arguments);
    EXPECT_EQ(a.ok, row.ok);
    EXPECT_EQ(a.file.toStdString(), row.file);
    EXPECT_EQ(a.exitCode, row.exitCode);
    if (*row.messageHas) {
        EXPECT_TRUE(a.message.contains(QString::fromLatin1(row.messageHas)))
            << a.message.toStdString();
    } else {
        EXPECT_TRUE(a.message.isEmpty()) << a.message.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ProgramArgumentsTest,
    ::testing::Values(
        ArgumentRow{"Nothing", {}, true, "", 0, ""},
        ArgumentRow{"DesignFile", {"/tmp/a.qgd"}, true, "/tmp/a.qgd", 0, ""},
        ArgumentRow{"DosFileInCapitals", {"OLD.QGK"}, true, "OLD.QGK", 0, ""},
        ArgumentRow{"FileAfterDoubleDash", {"--", "-odd.qgd"}, true, "-odd.qgd", 0, ""},
        ArgumentRow{"Help", {"--help"}, false, "", 0, "--version"},
        ArgumentRow{"ShortHelp", {"-h"}, false, "", 0, "[design]"},
        ArgumentRow{"Version", {"--version"}, false, "", 0, "quarngear 2.6\n"},
        ArgumentRow{"HelpWinsOverAFile", {"a.qgd", "--help"}, false, "", 0, "Usage:"},
        ArgumentRow{"UnknownOption", {"--bogus"}, false, "", 2, "Unknown option 'bogus'"},
        ArgumentRow{"TwoFiles", {"a.qgd", "b.qgd"}, false, "", 2, "one design file at most"},
        ArgumentRow{"UsageFollowsAnError", {"a.qgd", "b.qgd"}, false, "", 2, "Usage:"},
        ArgumentRow{"NotADesign", {"notes.txt"}, false, "", 2, "not a design file"},
        ArgumentRow{"NoEnding", {"design"}, false, "", 2, "(.qgd or .qgk): design"},
        ArgumentRow{"HelpNamesTheProgram", {"--help"}, false, "", 0,
                    "Usage: quarngear [options] [design]\n"},
        ArgumentRow{"HelpAllListsQtsOptions", {"--help-all"}, false, "", 0, "-platform <"},
        // Qt's own options are left for the application object, with their values.
        ArgumentRow{"QtPlatform", {"-platform", "offscreen"}, true, "", 0, ""},
        ArgumentRow{"QtOptionsAroundADesign", {"-style", "fusion", "a.qgd", "-reverse"}, true,
                    "a.qgd", 0, ""},
        ArgumentRow{"QtOptionWithTwoDashes", {"--platform", "offscreen", "a.qgd"}, true, "a.qgd",
                    0, ""},
        ArgumentRow{"QtOptionWithoutItsValue", {"-platform"}, false, "", 2, "Usage:"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quarn
