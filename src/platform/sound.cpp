// Sounds through one audio stream that this class feeds itself. Qt 6.4's QSoundEffect,
// restarted before its sound has ended, goes silent for good while it still reports
// that it plays, and the exhaust beats come faster than Exhaust.wav lasts; here no
// stream is ever restarted: a new sound takes over the samples the stream pulls.
#include "sound.h"

#include <QApplication>
#include <QAudioFormat>
#include <QAudioSink>
#include <QFile>
#include <QMediaDevices>
#include <QTimer>
#include <QWaveDecoder>
#include <algorithm>
#include <cstring>

#include "model/rounding.h"
#include "resources.h"

namespace quarn {
namespace {

// The stream's format: every sound is converted to it when first read.
constexpr int MixRate = 44100;

// A stream left silent this long is closed, so that an idle program holds no stream
// open to keep the sound card awake; the next sound opens a fresh one.
constexpr int QuietCloseMs = 2000;

QAudioFormat mixFormat() {
    QAudioFormat f;
    f.setSampleRate(MixRate);
    f.setChannelCount(1);
    f.setSampleFormat(QAudioFormat::Int16);
    return f;
}

// The wave file's frames, its channels averaged, as -1..1 at the file's own rate.
std::vector<float> readMono(QWaveDecoder& wave) {
    const QAudioFormat f = wave.audioFormat();
    const QByteArray bytes = wave.readAll();
    const int frameBytes = f.bytesPerFrame();
    std::vector<float> mono;
    if (frameBytes <= 0) return mono;
    mono.reserve(static_cast<std::size_t>(bytes.size() / frameBytes));
    for (qsizetype at = 0; at + frameBytes <= bytes.size(); at += frameBytes) {
        float sum = 0;
        for (int c = 0; c < f.channelCount(); ++c)
            sum += f.normalizedSampleValue(bytes.constData() + at + c * f.bytesPerSample());
        mono.push_back(sum / static_cast<float>(f.channelCount()));
    }
    return mono;
}

// Linear interpolation is plenty for short effects and keeps their length exact.
std::vector<float> resample(const std::vector<float>& in, int fromRate) {
    if (fromRate == MixRate || in.size() < 2) return in;
    const double step = double(fromRate) / MixRate;
    const auto count = static_cast<std::size_t>(double(in.size() - 1) / step) + 1;
    std::vector<float> out(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double x = double(i) * step;
        const auto k = std::min(static_cast<std::size_t>(x), in.size() - 2);
        const double t = x - double(k);
        out[i] = static_cast<float>(in[k] * (1 - t) + in[k + 1] * t);
    }
    return out;
}

std::vector<float> readWave(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QWaveDecoder wave(&file);
    if (!wave.open(QIODevice::ReadOnly) || !wave.audioFormat().isValid()) return {};
    return resample(readMono(wave), wave.audioFormat().sampleRate());
}

}  // namespace

// The samples the stream pulls: the current sound at the program's level, then silence.
// It never runs dry, since an output whose source ends stops pulling.
class Sound::Voice final : public QIODevice {
public:
    explicit Voice(const Sound& s) : owner(s) {
        // Unbuffered: Qt would otherwise read ahead 16 kB, and a new sound would wait.
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    void start(const std::vector<float>& s) {
        sound = &s;
        at = 0;
    }
    void stop() { sound = nullptr; }
    bool sounding() const { return sound && at < sound->size(); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 count = maxSize / qint64(sizeof(qint16));
        const double level = owner.outputLevel();
        for (qint64 i = 0; i < count; ++i) {
            const double v = sounding() ? (*sound)[at++] * level : 0.0;
            const auto sample = static_cast<qint16>(roundHalfEven(v * 32767.0, 32767));
            std::memcpy(data + i * qint64(sizeof sample), &sample, sizeof sample);
        }
        return count * qint64(sizeof(qint16));
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    const Sound& owner;
    const std::vector<float>* sound = nullptr;
    std::size_t at = 0;
};

Sound::Sound() : voice(std::make_unique<Voice>(*this)) {}

Sound::~Sound() {
    if (output) output->stop();
}

float Sound::outputLevel() const {
    return static_cast<float>((double(left) + double(right)) / 2.0 / 65535.0);
}

const std::vector<float>& Sound::samplesFor(const std::string& path) {
    auto found = samples.find(path);
    if (found == samples.end()) found = samples.emplace(path, readWave(path)).first;
    return found->second;
}

bool Sound::openOutput() {
    // An output stopped by an error (the server went away) is replaced, not left silent.
    if (output && output->state() != QAudio::StoppedState) return true;
    output.reset();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return false;
    output = std::make_unique<QAudioSink>(device, mixFormat());
    output->start(voice.get());
    if (output->error() != QAudio::NoError) output.reset();
    return output != nullptr;
}

void Sound::closeOutputWhenQuiet() {
    if (voice->sounding()) {
        quietTimer->start();
        return;
    }
    if (output) output->stop();
    output.reset();
}

void Sound::play(const std::string& fileName) {
    voice->stop();
    current = findResource(fileName);
    if (current.empty() || !QCoreApplication::instance()) return;
    const std::vector<float>& s = samplesFor(current);
    if (s.empty()) return;
    // The sound first, so that the stream's very first pull of a new output carries it.
    voice->start(s);
    if (!openOutput()) {
        voice->stop();
        return;
    }
    if (!quietTimer) {
        quietTimer = std::make_unique<QTimer>();
        quietTimer->setSingleShot(true);
        QObject::connect(quietTimer.get(), &QTimer::timeout, [this] { closeOutputWhenQuiet(); });
    }
    quietTimer->start(static_cast<int>(s.size() * 1000 / MixRate) + QuietCloseMs);
}

void Sound::setVolume(std::uint16_t l, std::uint16_t r) {
    left = l;
    right = r;
}

void Sound::beep() {
    // The platform's beep needs a GUI application; without one there is nothing to ring.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) QApplication::beep();
}

}  // namespace quarn
