// Every sound asked for is heard: sequences played at the program's own pace through a
// sound server of the test's own, whose silent output is recorded and its onsets counted.
#include <gtest/gtest.h>

#include <QAction>
#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <ostream>

#include "canvas/recording_canvas.h"
#include "drawing/tick.h"
#include "mainwin/frame_requests.h"
#include "model/motion.h"
#include "platform/sound.h"
#include "support/qt_app.h"

namespace quarn {
namespace {

constexpr double TickSeconds = 1.0 / 64;
constexpr const char* SinkName = "quarn_null";

// A PulseAudio server with one null sink, in a folder of its own. It leaves by itself
// ten seconds after its last client, so a crashed test leaves no server behind.
class SoundServer {
public:
    SoundServer() {
        if (QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty()) {
            why = "pulseaudio and parec are not installed (scripts/install-deps.sh)";
            return;
        }
        const QString socket = dir.filePath(QStringLiteral("native"));
        env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"XDG_RUNTIME_DIR", "HOME", "PULSE_RUNTIME_PATH"})
            env.insert(QString::fromLatin1(name), dir.path());
        env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + socket);
        daemon.setProcessEnvironment(env);
        daemon.setProcessChannelMode(QProcess::MergedChannels);
        daemon.start(QStringLiteral("pulseaudio"),
                     {QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=10"),
                      QStringLiteral("-n"),
                      QStringLiteral("--load=module-null-sink sink_name=%1").arg(SinkName),
                      QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 "
                                     "socket=") + socket});
        daemon.waitForStarted(5000);
        QElapsedTimer waited;
        waited.start();
        while (!answers() && daemon.state() == QProcess::Running && waited.elapsed() < 10000)
            daemon.waitForFinished(100);
        if (daemon.state() != QProcess::Running)
            why = "the sound server did not start: " + daemon.errorString().toStdString() + "\n" +
                  daemon.readAll().toStdString();
        else if (!answers())
            why = "the sound server does not answer";
    }
    ~SoundServer() {
        daemon.terminate();
        if (!daemon.waitForFinished(3000)) daemon.kill();
        daemon.waitForFinished(1000);
    }
    const std::string& whyNot() const { return why; }
    QProcessEnvironment environment() const { return env; }

private:
    bool answers() {
        QProcess pactl;
        pactl.setProcessEnvironment(env);
        pactl.start(QStringLiteral("pactl"), {QStringLiteral("info")});
        return pactl.waitForFinished(2000) && pactl.exitCode() == 0;
    }
    QTemporaryDir dir;
    QProcessEnvironment env;
    QProcess daemon;
    std::string why;
};

// Records the null sink's output as 16-bit mono samples, from its start to the end.
class Recorder {
public:
    static constexpr int Rate = 44100;
    explicit Recorder(const QProcessEnvironment& env) {
        parec.setProcessEnvironment(env);
        const QString monitor = QString::fromLatin1(SinkName) + QStringLiteral(".monitor");
        parec.start(QStringLiteral("parec"),
                    {QStringLiteral("-d"), monitor, QStringLiteral("--format=s16le"),
                     QStringLiteral("--rate=%1").arg(Rate), QStringLiteral("--channels=1"),
                     QStringLiteral("--latency-msec=20")});
        // The idle sink takes up to two seconds to deliver its first samples; once it
        // has, it keeps pace.
        QElapsedTimer waited;
        waited.start();
        while (bytes.isEmpty() && waited.elapsed() < 5000) {
            parec.waitForReadyRead(50);
            bytes += parec.readAllStandardOutput();
        }
        started = !bytes.isEmpty();
    }
    ~Recorder() {
        parec.terminate();
        if (!parec.waitForFinished(3000)) parec.kill();
    }
    bool recording() const { return started; }
    // What was recorded since the last call.
    std::vector<qint16> take() {
        bytes += parec.readAllStandardOutput();
        std::vector<qint16> samples(static_cast<std::size_t>(bytes.size()) / 2);
        if (samples.empty()) return samples;
        std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
        bytes.remove(0, static_cast<qsizetype>(samples.size() * 2));
        return samples;
    }

private:
    QProcess parec;
    QByteArray bytes;
    bool started = false;
};

// A sound is heard where the loudness of 5 ms jumps fourfold over the 20 ms before it.
// Error.wav's second tone after its short pause, and the attack of any sound spread
// over two windows, fall within the 0.2 s after an onset and count once.
int countOnsets(const std::vector<qint16>& samples) {
    constexpr std::size_t Window = Recorder::Rate / 200;
    constexpr std::size_t Refractory = 40;  // windows: 0.2 s
    constexpr double Floor = 30;            // RMS of the 16-bit samples, about -60 dB
    std::vector<double> rms;
    for (std::size_t at = 0; at + Window <= samples.size(); at += Window) {
        double sum = 0;
        for (std::size_t i = at; i < at + Window; ++i) sum += double(samples[i]) * samples[i];
        rms.push_back(std::sqrt(sum / Window));
    }
    int onsets = 0;
    std::size_t last = 0;
    for (std::size_t i = 4; i < rms.size(); ++i) {
        const double before = std::max({rms[i - 4], rms[i - 3], rms[i - 2], rms[i - 1]});
        if (rms[i] > Floor && rms[i] > 4 * before && (onsets == 0 || i - last >= Refractory)) {
            ++onsets;
            last = i;
        }
    }
    return onsets;
}

// A sound request and when to make it, in seconds from the first tick.
struct Cue {
    double at;
    SoundRequest sound;
};

struct Row {
    const char* name;
    void (*prepare)(GearModel&);  // the design and switches the row starts from
    int tenDegreeTicks;           // then the step changes to 1°
    int oneDegreeTicks;
    int plays;  // counted by hand, so that a row never plays fewer than it means to
};
void PrintTo(const Row& r, std::ostream* os) { *os << r.name; }

// The sounds the frames ask for from start-up, each at the time of its tick.
std::vector<Cue> modelSounds(const Row& row) {
    GearModel m;
    InitStartupState(m);
    row.prepare(m);
    RecordingCanvas canvas;
    Random random(1);
    std::vector<Cue> cues;
    for (int tick = 0; tick < row.tenDegreeTicks + row.oneDegreeTicks; ++tick) {
        if (tick == row.tenDegreeTicks) chooseStepAngle(m, 1);
        for (const SoundRequest& s : runTick(m, canvas, random).sounds)
            cues.push_back({tick * TickSeconds, s});
    }
    return cues;
}

class Heard : public ::testing::TestWithParam<Row> {
protected:
    static void SetUpTestSuite() {
        server = std::make_unique<SoundServer>();
        if (!server->whyNot().empty()) return;
        // Qt's audio connects once, to the server this names, on its first use.
        const QString address = server->environment().value(QStringLiteral("PULSE_SERVER"));
        qputenv("PULSE_SERVER", address.toUtf8());
        test::ensureApplication();
        recorder = std::make_unique<Recorder>(server->environment());
    }
    static void TearDownTestSuite() {
        recorder.reset();
        server.reset();
    }
    void SetUp() override {
        if (!server->whyNot().empty()) GTEST_SKIP() << server->whyNot();
        ASSERT_TRUE(recorder->recording()) << "the recorder delivered nothing";
        if (QMediaDevices::defaultAudioOutput().id() != SinkName)
            GTEST_SKIP() << "Qt's audio went elsewhere before this suite started its server; "
                            "run the suite on its own (--gtest_filter='Sequences/Heard.*')";
    }
    static std::unique_ptr<SoundServer> server;
    // One for all rows: it keeps the sink awake, so the rows need not wait for it.
    static std::unique_ptr<Recorder> recorder;
};
std::unique_ptr<SoundServer> Heard::server;
std::unique_ptr<Recorder> Heard::recorder;

// Plays the cues at their times through the window's applying of frame requests,
// keeping the event loop turning as the program's does.
void playInRealTime(const std::vector<Cue>& cues, Sound& sound, double tailSeconds) {
    QAction errorItem;
    QElapsedTimer clock;
    clock.start();
    const auto waitUntil = [&](double seconds) {
        while (clock.nsecsElapsed() < seconds * 1e9)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    };
    for (const Cue& cue : cues) {
        waitUntil(cue.at);
        FrameRequests r;
        r.sounds = {cue.sound};
        applyFrameRequests(r, {sound, errorItem, {}, {}, {}, {}});
    }
    waitUntil(cues.back().at + tailSeconds);
}

TEST_P(Heard, EverySoundPlayedIsHeard) {
    const std::vector<Cue> cues = modelSounds(GetParam());
    ASSERT_EQ(static_cast<int>(cues.size()), GetParam().plays);
    Sound sound;
    sound.setVolume(0x8000, 0x8000);  // the window's level at start-up
    recorder->take();
    // A sound reaches the recording about 0.15 s after it is asked for.
    playInRealTime(cues, sound, 0.8);
    const int heard = countOnsets(recorder->take());
    const double seconds = cues.back().at - cues.front().at;
    std::printf("%s: %d heard of %zu played over %.2f s\n", GetParam().name, heard, cues.size(),
                seconds);
    // A sound cut off by the start or the end of the recording may go uncounted.
    EXPECT_GE(heard, GetParam().plays - 1);
    EXPECT_LE(heard, GetParam().plays);
}

void steamOn(GearModel& m) { m.SteamDisplayOn = 1; }
// A valve rod too short to reach at any angle: the error flash sounds every 21 frames,
// 0.33 s, while Error.wav lasts 0.36 s.
void impossibleGear(GearModel& m) { m.frame.ValveRodLength = 0.5f; }

// At 10° a tick a turn takes 36 ticks, and each end of the cylinder exhausts once a
// turn: a beat every 18 ticks, 0.28 s, while Exhaust.wav lasts 0.35 s. The slow row
// changes to 1° a few degrees before the rear port opens, so its first slow beat comes
// at once and the next one a half turn later, 2.8 s on. The rows run for seconds
// because sounds that die after some restarts do so about two seconds in.
INSTANTIATE_TEST_SUITE_P(
    Sequences, Heard,
    ::testing::Values(Row{"SixTurnsAtTenDegrees", steamOn, 216, 0, 12},
                      Row{"ErrorFlashOfAnImpossibleGear", impossibleGear, 192, 0, 9},
                      Row{"TenDegreesThenOne", steamOn, 134, 200, 9}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quarn
