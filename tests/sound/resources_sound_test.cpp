// Finding data files by plain name, and sounds that stay silent when they cannot play.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/resources.h"
#include "platform/sound.h"
#include "support/qt_app.h"

namespace quarn {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& p, const std::string& content = "x") {
    std::ofstream(p, std::ios::binary) << content;
}

struct TempDirs : ::testing::Test {
    QTemporaryDir root;
    fs::path first() const { return fs::path(root.path().toStdString()) / "first"; }
    fs::path second() const { return fs::path(root.path().toStdString()) / "second"; }
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        fs::create_directories(first());
        fs::create_directories(second());
    }
    std::vector<std::string> dirs() const { return {first().string(), second().string()}; }
};

TEST_F(TempDirs, EarlierFolderWinsLaterFolderFillsInMissingIsEmpty) {
    writeFile(first() / "Error.wav");
    writeFile(second() / "Error.wav");
    writeFile(second() / "Exhaust.wav");
    EXPECT_EQ(findResourceIn("Error.wav", dirs()), (first() / "Error.wav").string());
    EXPECT_EQ(findResourceIn("Exhaust.wav", dirs()), (second() / "Exhaust.wav").string());
    EXPECT_EQ(findResourceIn("instruct.doc", dirs()), "");
    EXPECT_EQ(findResourceIn("", dirs()), "");
}

TEST_F(TempDirs, FoldersAreNotFilesAndAPathIsTakenAsItStands) {
    fs::create_directories(first() / "Error.wav");
    writeFile(second() / "Error.wav");
    EXPECT_EQ(findResourceIn("Error.wav", dirs()), (second() / "Error.wav").string());
    const std::string path = (second() / "Error.wav").string();
    EXPECT_EQ(findResourceIn(path, {}), path);
    EXPECT_EQ(findResourceIn((first() / "none.wav").string(), dirs()), "");
}

TEST(ResourceDirs, WorkingDirectoryThenExecutableThenInstalledData) {
    const auto dirs = resourceSearchDirs();
    ASSERT_GE(dirs.size(), 3u);
    EXPECT_EQ(fs::path(dirs[0]), fs::current_path());
    EXPECT_TRUE(fs::exists(fs::path(dirs[1]) / "test_platform")) << dirs[1];
    EXPECT_EQ(fs::path(dirs.back()).filename(), "quarngear");
    EXPECT_EQ(fs::path(dirs.back()).parent_path().filename(), "share");
}

TEST(SoundVolume, ChannelsAreKeptAndTheirMeanIsTheLevel) {
    Sound s;
    s.setVolume(0x8000, 0x8000);
    EXPECT_EQ(s.leftVolume(), 0x8000);
    EXPECT_EQ(s.rightVolume(), 0x8000);
    EXPECT_NEAR(s.outputLevel(), 0.5, 1e-4);
    s.setVolume(0xFFFF, 0);
    EXPECT_NEAR(s.outputLevel(), 0.5, 1e-4);
    s.setVolume(0x0700, 0x0700);
    EXPECT_NEAR(s.outputLevel(), 0x0700 / 65535.0, 1e-6);
}

TEST_F(TempDirs, MissingFileIsSilenceAndANewSoundReplacesTheOld) {
    test::ensureApplication();
    // Not real sound data: an effect that cannot load must stay silent too.
    writeFile(first() / "Exhaust.wav");
    writeFile(first() / "Error.wav");
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(first().string())));
    {
        Sound s;
        s.setVolume(0x8000, 0x8000);
        s.play("NoSuchSound.wav");
        EXPECT_EQ(s.currentFile(), "");
        s.play("Exhaust.wav");
        EXPECT_EQ(fs::path(s.currentFile()), first() / "Exhaust.wav");
        s.play("Error.wav");
        EXPECT_EQ(fs::path(s.currentFile()), first() / "Error.wav");
        s.play("NoSuchSound.wav");
        EXPECT_EQ(s.currentFile(), "");
        Sound::beep();
    }
    QDir::setCurrent(before);
}

}  // namespace
}  // namespace quarn
