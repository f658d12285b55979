// The window captions: prefix, set name, date, time and version, spaced as always.
#include <gtest/gtest.h>

#include "model/window_caption.h"

namespace quarn {
namespace {

TEST(FrameCaption, PrefixSetDateTimeVersion) {
    EXPECT_EQ(frameCaption(caption::MainWindow, "Nominal", "08/12/2026", "18:50:07"),
              "QUARN Inside Admission" + std::string(12, ' ') +
                  "Nominal     08/12/2026   18:50:07   Version 2.6");
    EXPECT_EQ(frameCaption(caption::DataTable, "Big4", "d", "t"),
              "QUARN Inside Admission  DataTable  Big4     d   t   Version 2.6");
}

}  // namespace
}  // namespace quarn
