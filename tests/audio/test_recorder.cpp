// AudioRecorder on virtual devices: sample-exact editing in every format,
// rate conversion, playback speed, voice activation, levels, crash safety and
// bad input.
#include "AudioTestSupport.h"

#include "common/ErrorGuard.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <numbers>

using namespace audiotest;
using vd::AudioRecordingControl;
using Segment = vd::VirtualAudioBackend::Segment;

namespace {

struct Format {
    int rate;
    int bits;
    int channels;
};

std::string formatName(const ::testing::TestParamInfo<Format>& info) {
    return std::to_string(info.param.rate) + "Hz_" + std::to_string(info.param.bits) + "bit_" +
           std::to_string(info.param.channels) + "ch";
}

// Edits a recording step by step and keeps the bytes the file must hold.
struct EditingTest : ::testing::TestWithParam<Format> {
    QTemporaryDir dir;
    Format f = GetParam();
    Rig rig{f.rate, f.rate / 100, f.channels, f.channels};
    Segment mic = numberedSamples(qint64(f.rate) * 60, f.channels, f.bits);
    QByteArray expected;
    QString file = dir.filePath(QStringLiteral("edit.wav"));

    void SetUp() override {
        rig.backend->setMicrophone({mic});
        auto& r = *rig.recorder;
        r.setSampleRate(f.rate);
        r.setBitsPerSample(short(f.bits));
        r.setChannels(short(f.channels));
        r.FileNew(file);
    }
    int frameBytes() const { return f.channels * f.bits / 8; }
    // Records the next `frames` frames of the microphone at position `at`.
    void record(qint64 at, qint64 frames, bool insert) {
        auto& r = *rig.recorder;
        r.setInsertMode(insert ? 1 : 0);
        r.setPositionSamples(qint32(at));
        ASSERT_EQ(r.PositionSamples(), at);
        const qint64 from = rig.backend->elapsedFrames();
        r.Record();
        ASSERT_EQ(r.State(), AudioRecordingControl::StateRecording);
        rig.run(frames);
        EXPECT_EQ(r.PositionSamples(), at + frames) << "position moves while recording";
        r.Stop();
        const QByteArray captured = numberedBytes(mic, from, frames, f.channels, f.bits);
        const qsizetype pos = qsizetype(at * frameBytes());
        if (insert)
            expected.insert(pos, captured);
        else
            expected = expected.left(pos) + captured + expected.mid(pos + captured.size());
        EXPECT_EQ(r.State(), AudioRecordingControl::StateStopped);
        EXPECT_EQ(r.PositionSamples(), at + frames);
        EXPECT_EQ(r.TotalSamples(), expected.size() / frameBytes());
    }
    void expectFile() {
        vd::clsWaveFile w;
        ASSERT_TRUE(w.FileRead(file));
        EXPECT_EQ(w.RecordingSampleRate(), f.rate);
        EXPECT_EQ(w.RecordingSampleSize(), f.bits);
        EXPECT_EQ(w.RecordingChannels(), f.channels);
        EXPECT_EQ(w.RecordingDataSize(), expected.size());
        EXPECT_TRUE(w.SampleData() == expected) << "file differs from the expected samples";
    }
};

TEST_P(EditingTest, OverwriteAndInsertAreSampleExact) {
    const qint64 s = f.rate / 100; // one buffer
    record(0, 100 * s, false);     // new recording: 1 s
    expectFile();
    record(30 * s, 20 * s, false); // overwrite in the middle
    record(90 * s, 30 * s, false); // overwrite past the end
    expectFile();
    record(0, 5 * s, true);                              // insert at the start
    record(60 * s, 7 * s, true);                         // insert in the middle
    record(60 * s + 7 * s, 3 * s, true);                 // and straight after it
    record(expected.size() / frameBytes(), 4 * s, true); // insert at the end
    expectFile();
    for (int i = 0; i < 4; ++i) // several inserts in a row, each at the new position
        record(rig.recorder->PositionSamples(), 2 * s, true);
    expectFile();
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".insert.wav")));

    // A reopened file has the same length and plays back the same samples.
    rig.recorder->Reset();
    EXPECT_EQ(rig.recorder->State(), AudioRecordingControl::StateClosed);
    rig.recorder->FileOpen(file);
    EXPECT_EQ(rig.recorder->TotalSamples(), expected.size() / frameBytes());
    EXPECT_NEAR(rig.recorder->TotalSeconds(), double(expected.size() / frameBytes()) / f.rate, 1e-9);
    rig.backend->takeSpeakerSamples();
    rig.recorder->Play();
    rig.playToEnd(qint64(f.rate) * 10);
    std::vector<float> played = rig.backend->takeSpeakerSamples();
    QByteArray playedBytes;
    for (std::size_t i = 0; i < played.size() && playedBytes.size() < expected.size(); ++i) {
        if (f.bits == 8)
            playedBytes.append(char(uchar(int(std::lround(played[i] * 128.0f)) + 128)));
        else
            put16(playedBytes, quint16(qint16(std::lround(played[i] * 32768.0f))));
    }
    EXPECT_TRUE(playedBytes == expected) << "playback at 100 % is the file, sample for sample";
}

INSTANTIATE_TEST_SUITE_P(Formats, EditingTest,
                         ::testing::Values(Format{8000, 8, 1}, Format{11025, 16, 1}, Format{22050, 8, 2},
                                           Format{44100, 16, 2}),
                         formatName);

struct RecorderTest : ::testing::Test {
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("r.wav"));
};

double peakOf(const std::vector<float>& s, std::size_t from = 0) {
    double p = 0;
    for (std::size_t i = from; i < s.size(); ++i)
        p = std::max(p, double(std::fabs(s[i])));
    return p;
}

// Frequency from rising zero crossings.
double frequencyOf(const std::vector<float>& s, int channels, int rate) {
    int crossings = 0;
    qint64 first = -1, last = -1;
    for (std::size_t i = std::size_t(channels); i < s.size(); i += std::size_t(channels))
        if (s[i - std::size_t(channels)] < 0 && s[i] >= 0) {
            ++crossings;
            if (first < 0) first = qint64(i / std::size_t(channels));
            last = qint64(i / std::size_t(channels));
        }
    return crossings > 1 ? double(crossings - 1) * rate / double(last - first) : 0;
}

std::vector<float> fileSamples(const QString& path) {
    vd::clsWaveFile w;
    EXPECT_TRUE(w.FileRead(path));
    std::vector<float> out;
    for (qint16 v : samples16(w.SampleData()))
        out.push_back(v / 32768.0f);
    return out;
}

TEST_F(RecorderTest, ConvertsBetweenDeviceAndFileRates) {
    Rig rig(48000, 480, 2, 2); // a stereo 48 kHz device
    rig.backend->setMicrophoneTone(-6.0, 440);
    auto& r = *rig.recorder;
    r.setSampleRate(11025);
    r.setBitsPerSample(16);
    r.setChannels(1);
    r.FileNew(file);
    r.Record();
    rig.run(48000);
    r.Stop();
    const std::vector<float> rec = fileSamples(file);
    EXPECT_NEAR(double(rec.size()), 11025, 120);
    EXPECT_NEAR(20 * std::log10(peakOf(rec, 1000)), -6.0, 0.3);
    EXPECT_NEAR(frequencyOf(rec, 1, 11025), 440, 3);

    rig.backend->takeSpeakerSamples();
    r.setPositionSamples(0);
    r.Play();
    const qint64 took = rig.playToEnd(48000 * 5);
    EXPECT_NEAR(double(took), 48000, 48000 * 0.05);
    const std::vector<float> out = rig.backend->takeSpeakerSamples();
    EXPECT_NEAR(20 * std::log10(peakOf(out, 4000)), -6.0, 0.3);
    EXPECT_NEAR(frequencyOf(out, 2, 48000), 440, 3);
}

// A microphone that plays a wave file at another rate: the recording has the
// file's tone at its level after conversion to the device and back.
TEST_F(RecorderTest, VirtualMicrophonePlaysAWaveFile) {
    std::vector<qint16> tone;
    for (int i = 0; i < 22050; ++i)
        tone.push_back(
            qint16(std::lround(10362 * std::sin(2 * std::numbers::pi * 500 * i / 22050.0)))); // -10 dBFS
    const QString source = dir.filePath(QStringLiteral("source.wav"));
    writeFile(source, waveBytes(22050, 1, 16, pcm16(tone)));
    Rig rig(48000, 480, 2, 2);
    ASSERT_TRUE(rig.backend->setMicrophoneFile(source, false));
    EXPECT_FALSE(rig.backend->setMicrophoneFile(dir.filePath(QStringLiteral("missing.wav"))));
    auto& r = *rig.recorder;
    r.setSampleRate(22050);
    r.FileNew(file);
    r.Record();
    rig.run(48000);
    r.Stop();
    const std::vector<float> rec = fileSamples(file);
    ASSERT_NEAR(double(rec.size()), 22050, 200);
    EXPECT_NEAR(20 * std::log10(peakOf(rec, 500)), -10.0, 0.3);
    EXPECT_NEAR(frequencyOf(rec, 1, 22050), 500, 3);
}

struct PlaybackSpeed : ::testing::TestWithParam<int> {};

TEST_P(PlaybackSpeed, TakesTheScaledTimeKeepsThePitchAndEndsWithTheEvent) {
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("p.wav"));
    const int rate = GetParam();
    // A 3-second recording of a 300 Hz tone.
    std::vector<qint16> s;
    for (int i = 0; i < 3 * 11025; ++i)
        s.push_back(qint16(std::lround(16000 * std::sin(2 * std::numbers::pi * 300 * i / 11025.0))));
    writeFile(file, waveBytes(11025, 1, 16, pcm16(s)));

    Rig rig(48000, 480, 1, 1);
    auto& r = *rig.recorder;
    int ended = 0;
    QObject::connect(&r, &AudioRecordingControl::PlayEnded, [&](qint32) { ++ended; });
    r.FileOpen(file);
    r.setPlaybackRate(short(rate));
    r.Play();
    EXPECT_EQ(r.State(), AudioRecordingControl::StatePlaying);
    const double expectedFrames = 3.0 * 48000 * 100 / rate;
    rig.run(qint64(expectedFrames / 2));
    // Halfway through the time, halfway through the recording.
    EXPECT_NEAR(r.PositionSamples(), 3 * 11025 / 2, 3 * 11025 * 0.06);
    const qint64 took = qint64(expectedFrames / 2) + rig.playToEnd(qint64(expectedFrames * 2));
    EXPECT_NEAR(double(took), expectedFrames, expectedFrames * 0.06);
    EXPECT_NE(r.State(), AudioRecordingControl::StatePlaying);
    EXPECT_EQ(r.PositionSamples(), r.TotalSamples());
    QCoreApplication::processEvents();
    EXPECT_EQ(ended, 1);
    const std::vector<float> out = rig.backend->takeSpeakerSamples();
    const std::vector<float> middle(out.begin() + qsizetype(out.size() / 4),
                                    out.begin() + qsizetype(out.size() / 2));
    EXPECT_NEAR(frequencyOf(middle, 1, 48000), 300, 6) << "time stretch keeps the pitch";
    // The next Play starts from the end and ends at once.
    r.Stop();
    EXPECT_EQ(ended, 1);
}

INSTANTIATE_TEST_SUITE_P(Rates, PlaybackSpeed, ::testing::Values(50, 200, 30, 300));

TEST_F(RecorderTest, StopDuringPlaybackKeepsThePositionAndVolumeScales) {
    std::vector<qint16> s(11025, 16384);
    writeFile(file, waveBytes(11025, 1, 16, pcm16(s)));
    Rig rig;
    auto& r = *rig.recorder;
    int ended = 0;
    QObject::connect(&r, &AudioRecordingControl::PlayEnded, [&](qint32) { ++ended; });
    r.FileOpen(file);
    r.setOutputVolume(25);
    r.setPositionSamples(1000);
    r.Play();
    rig.run(2200);
    EXPECT_EQ(r.PositionSamples(), 3200);
    EXPECT_NEAR(r.PositionSeconds(), 3200.0 / 11025, 1e-9);
    r.Stop();
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(r.State(), AudioRecordingControl::StateStopped);
    EXPECT_EQ(r.PositionSamples(), 3200);
    const std::vector<float> out = rig.backend->takeSpeakerSamples();
    ASSERT_GE(out.size(), 2200u);
    EXPECT_FLOAT_EQ(out[100], 0.5f * 0.25f);
    // Moving while playing carries on from the new place.
    r.Play();
    rig.run(110);
    r.setPositionSeconds(0.4);
    EXPECT_EQ(r.State(), AudioRecordingControl::StatePlaying);
    rig.run(110);
    EXPECT_EQ(r.PositionSamples(), 4410 + 110);
    r.setPositionSamples(-5);
    EXPECT_EQ(r.PositionSamples(), 0);
    r.Stop();
    r.setPositionSamples(999999);
    EXPECT_EQ(r.PositionSamples(), 11025);
}

TEST_F(RecorderTest, VoiceActivationPausesBelowStopAndResumesAtStart) {
    const int rate = 11025;
    Rig rig(rate, 110);
    auto tone = [&](double seconds, double dbfs) {
        Segment s;
        s.frames = qint64(seconds * rate);
        s.amplitude = std::pow(10.0, dbfs / 20);
        s.frequency = 500;
        return s;
    };
    // Loud 1 s, between stop and start 0.6 s (goes on recording), silence
    // 1 s (pauses after the 0.5 s wait), between again 1 s (stays paused),
    // loud 1 s (resumes).
    rig.backend->setMicrophone({tone(1, -12), tone(0.6, -27), tone(1, -200), tone(1, -27), tone(1, -12)});
    auto& r = *rig.recorder;
    r.setSampleRate(rate);
    r.setVoxActive(1);
    r.setVoxStartVolume(-24);
    r.setVoxStopVolume(-30);
    r.setVoxWaitTimeTenths(5);
    r.FileNew(file);
    r.Record();
    rig.run(qint64(1.6 * rate));
    EXPECT_EQ(r.VoxState(), 0);
    rig.run(qint64(0.4 * rate));
    EXPECT_EQ(r.VoxState(), 0) << "still within the wait time";
    rig.run(qint64(0.3 * rate));
    EXPECT_EQ(r.VoxState(), 1);
    const qint32 pausedAt = r.PositionSamples();
    float level = 0, level2 = 0;
    short state = 0, state2 = 0;
    r.LevelsGet(level, state, level2, state2);
    EXPECT_EQ(state2, 1);
    rig.run(qint64(1.2 * rate));
    EXPECT_EQ(r.VoxState(), 1) << "the start volume is not reached";
    EXPECT_EQ(r.PositionSamples(), pausedAt) << "nothing written while paused";
    rig.run(qint64(1.0 * rate));
    EXPECT_EQ(r.VoxState(), 0);
    const qint64 loudAgain = qint64(1 * rate) + qint64(0.6 * rate) + qint64(1 * rate) + qint64(1 * rate);
    const qint64 heard = rig.backend->elapsedFrames();
    r.Stop();
    // Everything up to the silence, the wait, and everything since the loud part began, to a buffer.
    EXPECT_NEAR(pausedAt, 1.6 * rate + rate / 2, 110);
    EXPECT_NEAR(r.TotalSamples(), 1.6 * rate + rate / 2 + double(heard - loudAgain), 2 * 110);
}

TEST_F(RecorderTest, CalibrationMeasuresWithoutAFile) {
    Rig rig(48000, 480);
    auto& r = *rig.recorder;
    float level = 0, level2 = 0;
    short state = 0, state2 = 0;
    r.LevelsGet(level, state, level2, state2);
    EXPECT_EQ(level, -100.0f);
    rig.backend->setMicrophoneTone(-18.0, 1000);
    r.CalibrationStart();
    r.setCalibrationMode(1);
    r.Record();
    EXPECT_EQ(r.State(), AudioRecordingControl::StateRecording);
    rig.run(4800);
    r.LevelsGet(level, state, level2, state2);
    EXPECT_NEAR(level, -18.0, 1.0);
    EXPECT_EQ(state, 0);
    rig.backend->setMicrophoneTone(0.5, 1000); // clipping
    rig.run(960);
    r.LevelsGet(level, state, level2, state2);
    EXPECT_EQ(state, 1);
    EXPECT_NEAR(level, 0.0, 0.1);
    r.Stop();
    EXPECT_EQ(r.State(), AudioRecordingControl::StateClosed);
    EXPECT_EQ(r.TotalSamples(), 0);
}

TEST_F(RecorderTest, InputStaysOpenInStandbyAndRecordStartsWithTheNextBuffer) {
    Rig rig;
    const Segment mic = numberedSamples(11025 * 10, 1, 16);
    rig.backend->setMicrophone({mic});
    auto& r = *rig.recorder;
    EXPECT_FALSE(rig.backend->inputOpen());
    r.FileNew(file);
    EXPECT_TRUE(rig.backend->inputOpen());
    rig.run(1100); // standby: heard, not written
    EXPECT_EQ(r.TotalSamples(), 0);
    r.Record();
    rig.run(110);
    r.Stop();
    EXPECT_TRUE(rig.backend->inputOpen());
    vd::clsWaveFile w;
    ASSERT_TRUE(w.FileRead(file));
    EXPECT_EQ(w.SampleData(), numberedBytes(mic, 1100, 110, 1, 16));
    r.Reset();
    EXPECT_FALSE(rig.backend->inputOpen());
}

// The recorder is killed mid-recording: the file on disk opens and holds all
// but at most the last second; reopening recovers the rest.
TEST_F(RecorderTest, AFileLeftByACrashOpensAndPlays) {
    const int rate = 11025;
    const qint64 recorded = qint64(3.45 * rate) / 110 * 110;
    const Segment mic = numberedSamples(rate * 10, 1, 16);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        Rig rig(rate, 110);
        rig.backend->setMicrophone({mic});
        rig.recorder->setSampleRate(rate);
        QString path = file;
        rig.recorder->FileNew(path);
        rig.recorder->Record();
        rig.run(recorded);
        raise(SIGKILL); // no Stop, no destructor
        _exit(3);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));

    vd::clsWaveFile w;
    ASSERT_TRUE(w.FileRead(file));
    const qint64 held = w.RecordingTotalSamples();
    EXPECT_GE(held, recorded - rate);
    EXPECT_LE(held, recorded);
    EXPECT_EQ(w.SampleData(), numberedBytes(mic, 0, held, 1, 16));

    Rig rig(rate, 110);
    rig.recorder->FileOpen(file);
    EXPECT_EQ(rig.recorder->TotalSamples(), recorded)
        << "the audio written after the last patch is recovered";
    rig.recorder->Play();
    rig.playToEnd(rate * 10);
    const std::vector<float> played = rig.backend->takeSpeakerSamples();
    ASSERT_GE(played.size(), std::size_t(recorded));
    EXPECT_LT(played.size(), std::size_t(recorded + 2 * 110));
    EXPECT_FLOAT_EQ(played[std::size_t(recorded - 1)], mic.samples[std::size_t(recorded - 1)]);
    vd::clsWaveFile repaired;
    ASSERT_TRUE(repaired.FileRead(file));
    EXPECT_EQ(repaired.RecordingTotalSamples(), recorded);
}

TEST_F(RecorderTest, BadInputIsRefusedWithAClearError) {
    Rig rig;
    auto& r = *rig.recorder;
    EXPECT_THROW(r.Record(), vd::Failure);
    EXPECT_THROW(r.Play(), vd::Failure);
    QString missing = dir.filePath(QStringLiteral("none.wav"));
    EXPECT_THROW(r.FileOpen(missing), vd::Failure);
    writeFile(file, QByteArray("not a wave file at all"));
    EXPECT_THROW(r.FileOpen(file), vd::Failure);
    writeFile(file, waveBytes(11025, 1, 24, QByteArray(30, 0)));
    EXPECT_THROW(r.FileOpen(file), vd::Failure);
    writeFile(file, waveBytes(11025, 1, 16, QByteArray()).left(30));
    EXPECT_THROW(r.FileOpen(file), vd::Failure);
    EXPECT_EQ(r.State(), AudioRecordingControl::StateClosed);
    r.setBitsPerSample(12);
    EXPECT_THROW(r.FileNew(file), vd::Failure);
    r.setBitsPerSample(16);
    // A header that claims more than the file holds plays what is there.
    QByteArray truncated = waveBytes(11025, 1, 16, pcm16(std::vector<qint16>(1000, 7)));
    truncated.chop(500);
    writeFile(file, truncated);
    r.FileOpen(file);
    EXPECT_EQ(r.TotalSamples(), 750);
    // A chunk after the data is not taken for audio.
    QByteArray trailing = waveBytes(11025, 1, 16, pcm16(std::vector<qint16>(100, 7)));
    trailing.append("LIST");
    put32(trailing, 4);
    trailing.append("INFO");
    writeFile(file, trailing);
    r.FileOpen(file);
    EXPECT_EQ(r.TotalSamples(), 100);
    r.setPositionSeconds(std::nan(""));
    EXPECT_EQ(r.PositionSamples(), 0);
}

TEST_F(RecorderTest, DevicesAreListedAndChosenByNumber) {
    Rig rig;
    rig.backend->setDeviceNames({"Mic A", "Mic B"}, {"Speaker A"});
    auto& r = *rig.recorder;
    EXPECT_EQ(r.RecordingDeviceCount(), 2);
    EXPECT_EQ(r.PlaybackDeviceCount(), 1);
    EXPECT_EQ(r.RecordingDeviceName(1), "Mic B");
    EXPECT_EQ(r.PlaybackDeviceName(0), "Speaker A");
    EXPECT_EQ(r.RecordingDeviceName(5), QString());
    EXPECT_EQ(r.RecordingDeviceID(), -1);
    r.setRecordingDeviceID(1);
    r.FileNew(file);
    EXPECT_TRUE(rig.backend->inputOpen());
    r.setRecordingDeviceID(7); // no such device: standby closes, Record says why
    EXPECT_FALSE(rig.backend->inputOpen());
    EXPECT_THROW(r.Record(), vd::Failure);
    r.setPlaybackDeviceID(3);
    EXPECT_THROW(r.Play(), vd::Failure);
    EXPECT_EQ(r.State(), AudioRecordingControl::StateStopped);
}

} // namespace

namespace {
// A device chosen while recording takes over standby once the recording ends.
TEST_F(RecorderTest, DeviceChosenWhileRecordingAppliesAfterStop) {
    Rig rig;
    rig.backend->setDeviceNames({"Mic A", "Mic B"}, {"Speaker A"});
    auto& r = *rig.recorder;
    r.FileNew(file);
    r.Record();
    rig.run(1100);
    r.setRecordingDeviceID(7); // no such device: only noticed after the recording
    rig.run(1100);
    EXPECT_EQ(r.PositionSamples(), 2200);
    r.Stop();
    EXPECT_EQ(r.TotalSamples(), 2200);
    EXPECT_FALSE(rig.backend->inputOpen());
    r.setRecordingDeviceID(1);
    r.Record(); // opens the device it now names
    EXPECT_TRUE(rig.backend->inputOpen());
    r.Stop();
}
} // namespace
