// The program's sounds: a wave file played by name without waiting, this program's own
// output volume, and the system beep. Any trouble (no file, no audio device) is silence.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAudioSink;
class QTimer;

namespace quarn {

class Sound {
public:
    Sound();
    ~Sound();
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    // Starts the file found by findResource(fileName) and returns at once; a sound still
    // playing is cut off by the new one. Needs a running Qt application; without one,
    // silence.
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

    // Whether a sound file is still being read in the background, which whoever ends the
    // program mid-sound would wait for. Never: a file is read whole when first played.
    bool loading() const { return false; }

private:
    class Voice;

    const std::vector<float>& samplesFor(const std::string& path);
    bool openOutput();  // false when there is no device to play on
    void closeOutputWhenQuiet();

    // By resolved path, mono at the stream's rate; empty for a file that is not a
    // readable wave.
    std::map<std::string, std::vector<float>> samples;
    // One stream for every sound, opened on the first sound and closed after a quiet
    // spell. The voice is what it pulls from, so it outlives the output.
    std::unique_ptr<Voice> voice;
    std::unique_ptr<QAudioSink> output;
    std::unique_ptr<QTimer> quietTimer;
    std::string current;
    std::uint16_t left = 0xFFFF, right = 0xFFFF;
};

}  // namespace quarn
