// The recorder on real PortAudio streams: ALSA devices from a test-only
// configuration whose capture reads an input file and whose playback writes
// an output file ("file" PCM over "null"). No sound card needed.
//
// The null device runs as fast as it is read. For capture the input is a pipe
// that the test fills at twice real time, from the moment Record is called, so
// the recording must be the input exactly. Playback is checked as the file's
// samples in order (silence where the device outran the player is left out).
#include "AudioTestSupport.h"

#include "audio/PortAudioBackend.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <thread>

using namespace audiotest;
using vd::AudioRecordingControl;

namespace {

constexpr int kRate = 44100;
constexpr int kPeriod = kRate / 100; // the backend's buffer

// Distinct non-zero values far enough from zero that a float round trip
// cannot make them silent.
std::vector<qint16> pattern(std::size_t n, quint32 seed) {
    std::vector<qint16> out(n);
    for (auto& v : out) {
        seed = seed * 1103515245u + 12345u;
        const int x = int((seed >> 8) % 60000) - 30000;
        v = qint16(x >= 0 ? x + 200 : x - 200);
    }
    return out;
}

std::vector<qint16> rawSamples(const QByteArray& bytes) { return samples16(bytes); }

// Feeds float frames into the capture pipe one buffer per write (atomic, so
// the device never reads half a buffer), at twice real time.
class PipeFeeder {
public:
    explicit PipeFeeder(int fd) : m_fd(fd) {}
    ~PipeFeeder() { stop(); }
    void start(const std::vector<qint16>& samples) {
        m_thread = std::thread([this, samples] {
            std::vector<float> block(kPeriod);
            for (std::size_t at = 0; at + kPeriod <= samples.size() && !m_stop;) {
                for (int i = 0; i < kPeriod; ++i)
                    block[std::size_t(i)] = samples[at + std::size_t(i)] / 32768.0f;
                // A full pipe (nobody reading) is waited out, never skipped.
                if (::write(m_fd, block.data(), block.size() * sizeof(float)) > 0) at += kPeriod;
                std::this_thread::sleep_for(std::chrono::microseconds(5000));
            }
        });
    }
    void stop() {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
    }

private:
    int m_fd;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

struct PortAudioTest : ::testing::Test {
    static inline QTemporaryDir* dir = nullptr;
    static inline std::vector<qint16> input;
    static inline int pipeFd = -1;

    static void SetUpTestSuite() {
        dir = new QTemporaryDir;
        input = pattern(std::size_t(kRate) * 2, 99);
        // Capture reads PortAudio's own sample format (float) from the pipe.
        // The test keeps the writing end open for the whole run, so ALSA's
        // opening of the reading end never waits.
        const QByteArray fifo = QFile::encodeName(dir->filePath("in.fifo"));
        ::mkfifo(fifo.constData(), 0600);
        pipeFd = ::open(fifo.constData(), O_RDWR | O_CLOEXEC);
        ::fcntl(pipeFd, F_SETPIPE_SZ, 1 << 20);
        ::fcntl(pipeFd, F_SETFL, ::fcntl(pipeFd, F_GETFL) | O_NONBLOCK);
        const QString conf =
            QStringLiteral(
                "pcm.default { type null }\n"
                "pcm.vd_capture { type file slave.pcm { type null } file \"/dev/null\" "
                "infile \"%1\" format \"raw\" }\n"
                "pcm.vd_playback { type plug slave { pcm { type file slave.pcm { type null } file \"%2\" "
                "format \"raw\" } format S16_LE rate %3 channels 1 } }\n")
                .arg(dir->filePath("in.fifo"), dir->filePath("out.raw"))
                .arg(kRate);
        writeFile(dir->filePath("asound.conf"), conf.toUtf8());
        // Read by ALSA when PortAudio first starts in this process.
        qputenv("ALSA_CONFIG_PATH", QFile::encodeName(dir->filePath("asound.conf")));
    }
    static void TearDownTestSuite() {
        ::close(pipeFd);
        delete dir;
        dir = nullptr;
    }

    std::unique_ptr<vd::AudioRecorder> recorder;
    qint32 captureDevice = -1, playbackDevice = -1;

    void SetUp() override {
        auto backend = std::make_unique<vd::PortAudioBackend>();
        captureDevice = qint32(backend->inputDeviceNames().indexOf("vd_capture"));
        playbackDevice = qint32(backend->outputDeviceNames().indexOf("vd_playback"));
        recorder = std::make_unique<vd::AudioRecorder>(std::move(backend));
        recorder->setSampleRate(kRate);
        recorder->setBitsPerSample(16);
        recorder->setChannels(1);
    }
};

TEST_F(PortAudioTest, ListsTheConfiguredDevices) {
    ASSERT_GE(captureDevice, 0) << recorder->RecordingDeviceName(0).toStdString();
    ASSERT_GE(playbackDevice, 0);
    EXPECT_EQ(recorder->RecordingDeviceName(captureDevice), "vd_capture");
    EXPECT_GE(recorder->RecordingDeviceCount(), 2);
}

TEST_F(PortAudioTest, RecordsTheInputFile) {
    ASSERT_GE(captureDevice, 0);
    QString file = dir->filePath("captured.wav");
    recorder->setRecordingDeviceID(captureDevice);
    recorder->FileNew(file);
    ASSERT_TRUE(recorder->InputOpen());
    PipeFeeder feeder(pipeFd);
    recorder->Record();
    feeder.start(input);
    const qint64 wanted = qint64(input.size()) / 2;
    QElapsedTimer t;
    t.start();
    while (recorder->PositionSamples() < wanted && t.elapsed() < 30000)
        QThread::msleep(2);
    recorder->Stop();
    feeder.stop();
    vd::clsWaveFile w;
    ASSERT_TRUE(w.FileRead(file));
    const std::vector<qint16> got = samples16(w.SampleData());
    ASSERT_GE(got.size(), std::size_t(wanted));
    ASSERT_LE(got.size(), input.size());
    std::size_t mismatches = 0;
    for (std::size_t i = 0; i < got.size(); ++i)
        mismatches += std::abs(got[i] - input[i]) > 1;
    EXPECT_EQ(mismatches, 0u) << "the recording is the input file from its first sample";
    // Keep the device fed while its stream closes, or it would wait for input.
    PipeFeeder rest(pipeFd);
    rest.start(std::vector<qint16>(std::size_t(kRate) * 60, 1));
    recorder->Reset();
    rest.stop();
}

TEST_F(PortAudioTest, PlaysTheFileToTheOutputFile) {
    ASSERT_GE(playbackDevice, 0);
    const std::vector<qint16> samples = pattern(std::size_t(kRate), 7);
    QString file = dir->filePath("play.wav");
    writeFile(file, waveBytes(kRate, 1, 16, pcm16(samples)));
    QFile::remove(dir->filePath("out.raw"));
    recorder->setPlaybackDeviceID(playbackDevice);
    recorder->FileOpen(file);
    int ended = 0;
    QObject::connect(recorder.get(), &AudioRecordingControl::PlayEnded, [&](qint32) { ++ended; });
    recorder->Play();
    QElapsedTimer t;
    t.start();
    while ((recorder->State() == AudioRecordingControl::StatePlaying || ended == 0) && t.elapsed() < 20000) {
        QCoreApplication::processEvents();
        QThread::msleep(2);
    }
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(recorder->PositionSamples(), kRate);
    recorder->Reset();
    std::vector<qint16> out = rawSamples(readFile(dir->filePath("out.raw")));
    out.erase(std::remove(out.begin(), out.end(), qint16(0)), out.end());
    ASSERT_EQ(out.size(), samples.size());
    std::size_t mismatches = 0;
    for (std::size_t i = 0; i < out.size(); ++i)
        mismatches += std::abs(out[i] - samples[i]) > 1;
    EXPECT_EQ(mismatches, 0u);
}

} // namespace
