// A frame's requests applied to the window's parts: the sound started at its volume,
// the Error item shown or hidden, and the hooks of the panels handed their values.
// Here and not with the window tests, because it starts a sound.
#include <gtest/gtest.h>

#include <QAction>
#include <QTemporaryDir>

#include "mainwin/frame_requests.h"
#include "platform/sound.h"
#include "support/qt_app.h"
#include "support/tiny_wav.h"

namespace quarn {
namespace {

struct Applied : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        test::writeTinyWav(wav);
        error.setVisible(false);
    }
    FrameRequestTargets targets() {
        return {sound, error,
                [this](std::optional<int> top) { undoTops.push_back(top); },
                [this](const std::array<bool, 5>& e) { dynVarBars.push_back(e); },
                [this](DialogRequest d) { dialogs.push_back(d); },
                {}};
    }
    // First: the QAction below needs the application to exist.
    const bool haveApplication = (test::ensureApplication(), true);
    QTemporaryDir dir;
    const std::string wav = dir.filePath(QStringLiteral("Exhaust.wav")).toStdString();
    Sound sound;
    QAction error;
    std::vector<std::optional<int>> undoTops;
    std::vector<std::array<bool, 5>> dynVarBars;
    std::vector<DialogRequest> dialogs;
};

TEST_F(Applied, EveryRequestReachesItsTarget) {
    FrameRequests r;
    r.sounds = {{wav, std::uint16_t{0x0700}}};
    r.errorItemVisible = true;
    r.undoButtonTop = 212;
    r.dynVarBarsEnabled = std::array<bool, 5>{false, true, false, true, true};
    r.dialog = DialogRequest::ShowCylinderDialog;
    applyFrameRequests(r, targets());
    EXPECT_EQ(sound.currentFile(), wav);
    EXPECT_EQ(sound.leftVolume(), 0x0700);
    EXPECT_EQ(sound.rightVolume(), 0x0700);
    EXPECT_TRUE(error.isVisible());
    ASSERT_EQ(undoTops.size(), 1u);
    EXPECT_EQ(undoTops[0], 212);
    ASSERT_EQ(dynVarBars.size(), 1u);
    EXPECT_EQ(dynVarBars[0], (std::array<bool, 5>{false, true, false, true, true}));
    EXPECT_EQ(dialogs, std::vector<DialogRequest>{DialogRequest::ShowCylinderDialog});
}

TEST_F(Applied, EmptyRequestsLeaveThingsAsTheyAreButHideUnDo) {
    sound.setVolume(0x8000, 0x8000);
    error.setVisible(true);
    applyFrameRequests(FrameRequests{}, targets());
    EXPECT_EQ(sound.currentFile(), "");
    EXPECT_EQ(sound.leftVolume(), 0x8000);
    EXPECT_TRUE(error.isVisible());
    ASSERT_EQ(undoTops.size(), 1u);
    EXPECT_EQ(undoTops[0], std::nullopt);
    EXPECT_TRUE(dynVarBars.empty());
    EXPECT_TRUE(dialogs.empty());
}

TEST_F(Applied, ErrorItemHidesAgainAndASoundWithoutVolumeKeepsTheLevel) {
    error.setVisible(true);
    sound.setVolume(0x8000, 0x8000);
    FrameRequests r;
    r.errorItemVisible = false;
    r.sounds = {{wav, std::nullopt}};
    applyFrameRequests(r, targets());
    EXPECT_FALSE(error.isVisible());
    EXPECT_EQ(sound.currentFile(), wav);
    EXPECT_EQ(sound.leftVolume(), 0x8000);
}

TEST_F(Applied, EmptyHooksAreSkipped) {
    FrameRequests r;
    r.undoButtonTop = 5;
    r.dynVarBarsEnabled = std::array<bool, 5>{};
    r.dialog = DialogRequest::CloseFrameDialog;
    r.errorItemVisible = true;
    applyFrameRequests(r, {sound, error, {}, {}, {}, {}});
    EXPECT_TRUE(error.isVisible());
}

}  // namespace
}  // namespace quarn
