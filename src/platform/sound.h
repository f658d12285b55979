// The program's sounds: a wave file played by name without waiting, this program's own
// output volume, and the system beep. Any trouble (no file, no audio device) is silence.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

class QSoundEffect;

namespace quarn {

class Sound {
public:
    Sound();
    ~Sound();
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    // Starts the file found by findResource(fileName) and returns at once; a sound still
    // playing is stopped first. Needs a running Qt application; without one, silence.
    void play(const std::string& fileName);

    // The output volume of this program as two 16-bit channel values (0xFFFF full).
    // The sounds play at the mean of the two; the rest of the system is not touched.
    void setVolume(std::uint16_t left, std::uint16_t right);
    std::uint16_t leftVolume() const { return left; }
    std::uint16_t rightVolume() const { return right; }
    float outputLevel() const;  // 0..1, as applied to every sound

    // The file of the sound started last ("" before any, or when it was not found).
    const std::string& currentFile() const { return current; }

    static void beep();

    // True while a sound file is still being read in the background. Whoever is about
    // to end the program mid-load (a test) waits for this to turn false first: Qt's
    // loader thread must not outlive the application's own clean-up.
    bool loading() const;

private:
    QSoundEffect* effectFor(const std::string& path);

    std::map<std::string, std::unique_ptr<QSoundEffect>> effects;  // by resolved path
    QSoundEffect* playing = nullptr;
    std::string current;
    std::uint16_t left = 0xFFFF, right = 0xFFFF;
};

}  // namespace quarn
