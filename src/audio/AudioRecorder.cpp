#include "AudioRecorder.h"

#include "common/ErrorGuard.h"

#include <QFile>
#include <QMetaObject>

#include <samplerate.h>
#include <soundtouch/SoundTouch.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <vector>

namespace vd {

namespace {
constexpr int kChunkFrames = 4096;      // largest block the worker handles at once
constexpr int kHeaderBytes = 44;        // header of the files we create
constexpr qint64 kCopyBlock = 4 << 20;  // block size when splicing inserts
constexpr double kInputRingSeconds = 4; // slack for a stalled worker (disk hiccups)

void put32(uchar* p, quint32 v) {
    for (int i = 0; i < 4; ++i)
        p[i] = uchar(v >> (8 * i));
}
void put16(uchar* p, quint16 v) {
    p[0] = uchar(v);
    p[1] = uchar(v >> 8);
}
quint32 get32(const uchar* p) {
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}
quint16 get16(const uchar* p) { return quint16(p[0] | p[1] << 8); }

void writeAll(int fd, const void* data, qint64 size, qint64 offset) {
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, p, size_t(size), offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0)
            throw Failure(QStringLiteral("Writing the wave file failed: %1")
                              .arg(QString::fromLocal8Bit(strerror(errno))));
        p += n;
        size -= n;
        offset += n;
    }
}

qint64 readSome(int fd, void* data, qint64 size, qint64 offset) {
    auto* p = static_cast<char*>(data);
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, p + done, size_t(size - done), offset + done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0)
            throw Failure(QStringLiteral("Reading the wave file failed: %1")
                              .arg(QString::fromLocal8Bit(strerror(errno))));
        if (n == 0) break;
        done += n;
    }
    return done;
}

// Writes the RIFF size and the data size for dataBytes of audio.
void patchHeader(int fd, qint64 dataOffset, qint64 dataBytes) {
    uchar b[4];
    put32(b, quint32(dataOffset - 8 + dataBytes));
    writeAll(fd, b, 4, 4);
    put32(b, quint32(dataBytes));
    writeAll(fd, b, 4, dataOffset - 4);
}

void writeNewHeader(int fd, int rate, int channels, int bits) {
    uchar h[kHeaderBytes] = {};
    std::memcpy(h, "RIFF", 4);
    put32(h + 4, 36);
    std::memcpy(h + 8, "WAVEfmt ", 8);
    put32(h + 16, 16);
    put16(h + 20, 1);
    put16(h + 22, quint16(channels));
    put32(h + 24, quint32(rate));
    put32(h + 28, quint32(rate * channels * bits / 8));
    put16(h + 32, quint16(channels * bits / 8));
    put16(h + 34, quint16(bits));
    std::memcpy(h + 36, "data", 4);
    writeAll(fd, h, kHeaderBytes, 0);
}

void checkFormat(int rate, int bits, int channels) {
    if (rate < 1000 || rate > 192000 || (bits != 8 && bits != 16) || channels < 1 || channels > 2)
        throw Failure(QStringLiteral("Unsupported wave format: %1 Hz, %2 bits, %3 channels")
                          .arg(rate)
                          .arg(bits)
                          .arg(channels));
}

float peakDb(const float* s, std::size_t n, float* peakOut = nullptr) {
    float peak = 0;
    for (std::size_t i = 0; i < n; ++i)
        peak = std::max(peak, std::fabs(s[i]));
    if (peakOut) *peakOut = peak;
    return peak > 1e-5f ? std::clamp(20.0f * std::log10(peak), -100.0f, 0.0f) : -100.0f;
}

// Interleaved frames from one channel count to another: mono is copied to
// both sides, stereo is averaged down to mono.
void mapChannels(const float* in, int inCh, float* out, int outCh, std::size_t frames) {
    if (inCh == outCh) {
        std::memcpy(out, in, frames * std::size_t(inCh) * sizeof(float));
        return;
    }
    for (std::size_t f = 0; f < frames; ++f) {
        if (outCh == 1) {
            float sum = 0;
            for (int c = 0; c < inCh; ++c)
                sum += in[f * inCh + c];
            out[f] = sum / float(inCh);
        } else {
            for (int c = 0; c < outCh; ++c)
                out[f * outCh + c] = in[f * inCh + std::min(c, inCh - 1)];
        }
    }
}

void encode(const float* in, std::size_t samples, int bits, uchar* out) {
    if (bits == 8) {
        for (std::size_t i = 0; i < samples; ++i)
            out[i] = uchar(std::clamp(std::lround(in[i] * 128.0f) + 128, 0L, 255L));
    } else {
        for (std::size_t i = 0; i < samples; ++i)
            put16(out + 2 * i, quint16(qint16(std::clamp(std::lround(in[i] * 32768.0f), -32768L, 32767L))));
    }
}

void decode(const uchar* in, std::size_t samples, int bits, float* out) {
    if (bits == 8) {
        for (std::size_t i = 0; i < samples; ++i)
            out[i] = float(int(in[i]) - 128) / 128.0f;
    } else {
        for (std::size_t i = 0; i < samples; ++i)
            out[i] = float(qint16(get16(in + 2 * i))) / 32768.0f;
    }
}

// A libsamplerate converter, or a plain copy when the rates agree (so that
// recordings at the device's own rate stay bit-exact).
class Converter {
public:
    Converter(int fromRate, int toRate, int channels)
        : m_channels(channels), m_ratio(double(toRate) / fromRate) {
        if (fromRate != toRate) {
            int err = 0;
            m_state = src_new(SRC_SINC_MEDIUM_QUALITY, channels, &err);
            if (!m_state)
                throw Failure(QStringLiteral("Rate conversion unavailable: %1")
                                  .arg(QString::fromUtf8(src_strerror(err))));
        }
    }
    ~Converter() {
        if (m_state) src_delete(m_state);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Appends the converted frames to out; last flushes what the filter holds.
    void process(const float* in, std::size_t frames, std::vector<float>& out, bool last = false) {
        if (!m_state) {
            out.insert(out.end(), in, in + frames * m_channels);
            return;
        }
        m_buffer.resize(std::size_t(double(frames) * m_ratio + 512) * m_channels);
        SRC_DATA d{};
        d.src_ratio = m_ratio;
        d.end_of_input = last ? 1 : 0;
        d.data_in = in;
        d.input_frames = long(frames);
        for (;;) {
            d.data_out = m_buffer.data();
            d.output_frames = long(m_buffer.size() / m_channels);
            const int err = src_process(m_state, &d);
            if (err)
                throw Failure(
                    QStringLiteral("Rate conversion failed: %1").arg(QString::fromUtf8(src_strerror(err))));
            out.insert(out.end(), m_buffer.data(), m_buffer.data() + d.output_frames_gen * m_channels);
            d.data_in += d.input_frames_used * m_channels;
            d.input_frames -= d.input_frames_used;
            if (d.input_frames <= 0 && (!last || d.output_frames_gen == 0)) break;
        }
    }

private:
    SRC_STATE* m_state = nullptr;
    int m_channels;
    double m_ratio;
    std::vector<float> m_buffer;
};

struct Fd {
    int fd = -1;
    Fd() = default;
    explicit Fd(int f) : fd(f) {}
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
};
} // namespace

struct AudioRecorder::RecordSession {
    Fd file, side;
    QString sidePath;
    WaveLayout layout;
    bool insert = false;
    qint64 startPos = 0, origTotal = 0;
    std::uint64_t startFrame = 0;
    std::atomic<std::uint64_t> stopFrame{UINT64_MAX};
    int devChannels = 1;
    std::unique_ptr<Converter> converter;
    std::vector<float> in, mapped, converted;
    std::vector<uchar> bytes;
    bool voxActive = false;
    float voxStart = -24, voxStop = -30;
    qint64 voxWaitFrames = 0, belowFrames = 0;
    qint64 written = 0, lastPatch = 0;
    std::chrono::steady_clock::time_point lastPatchTime;
    std::atomic<qint64> writtenFrames{0};
    std::atomic<bool> finished{false};
    QString error;

    int target() const { return insert ? side.fd : file.fd; }
    qint64 targetDataOffset() const { return insert ? kHeaderBytes : layout.dataOffset; }
    qint64 firstFrame() const { return insert ? 0 : startPos; }
    qint64 targetDataBytes() const {
        const qint64 fb = layout.frameBytes();
        return insert ? written * fb : std::max(layout.dataBytes, (startPos + written) * fb);
    }
};

struct AudioRecorder::PlaySession {
    quint64 id = 0;
    Fd file;
    WaveLayout layout;
    qint64 startPos = 0, readFrame = 0;
    double tempo = 1.0;
    int devRate = 0, devChannels = 1;
    std::unique_ptr<soundtouch::SoundTouch> stretch;
    std::unique_ptr<Converter> converter;
    FloatRing ring;
    std::vector<uchar> bytes;
    std::vector<float> decoded, mapped, stretched, pending, block;
    std::size_t pendingAt = 0;
    bool flushed = false;
    bool endPosted = false;
    std::atomic<std::uint64_t> played{0};
    std::atomic<bool> sourceDone{false}, drained{false};
};

AudioRecorder::AudioRecorder(std::unique_ptr<AudioBackend> backend, QObject* parent)
    : AudioRecordingControl(parent), m_backend(std::move(backend)) {
    m_worker = std::thread([this] { workerLoop(); });
}

AudioRecorder::~AudioRecorder() {
    try {
        Stop();
    } catch (...) {
        // Closing down: the file keeps what its last header patch says.
    }
    closeInputStream();
    m_quit = true;
    wakeWorker();
    m_worker.join();
    m_rec.store(nullptr);
    m_play.store(nullptr);
}

// ---------------------------------------------------------------- real-time side

void AudioRecorder::audioInput(const float* frames, int count) noexcept {
    if (!m_inputReady.load(std::memory_order_acquire) || count <= 0) return;
    float peak = 0;
    m_levelDb.store(peakDb(frames, std::size_t(count) * std::size_t(m_inRing.channels()), &peak),
                    std::memory_order_relaxed);
    m_overload.store(peak >= 0.999f ? 1 : 0, std::memory_order_relaxed);
    const std::size_t n = m_inRing.write(frames, std::size_t(count));
    if (n < std::size_t(count)) m_inputDropped.fetch_add(std::size_t(count) - n, std::memory_order_relaxed);
    wakeWorker();
}

void AudioRecorder::audioOutput(float* frames, int count, int channels) noexcept {
    PlaySession* s = m_play.load(std::memory_order_acquire);
    std::size_t got = 0;
    if (s && s->devChannels == channels) {
        got = s->ring.read(frames, std::size_t(count));
        const float gain = m_gain.load(std::memory_order_relaxed);
        if (gain != 1.0f)
            for (std::size_t i = 0; i < got * std::size_t(channels); ++i)
                frames[i] *= gain;
        s->played.fetch_add(got, std::memory_order_release);
        if (got < std::size_t(count) && s->sourceDone.load(std::memory_order_acquire) &&
            s->ring.available() == 0)
            s->drained.store(true, std::memory_order_release);
        std::fill(frames + got * std::size_t(channels), frames + std::size_t(count) * std::size_t(channels),
                  0.0f);
        wakeWorker();
    } else {
        std::fill(frames, frames + std::size_t(count) * std::size_t(channels), 0.0f);
    }
}

void AudioRecorder::wakeWorker() noexcept {
    m_wake.fetch_add(1, std::memory_order_release);
    m_wake.notify_one();
}

// ---------------------------------------------------------------- worker

void AudioRecorder::workerLoop() {
    while (!m_quit.load()) {
        const std::uint32_t seen = m_wake.load(std::memory_order_acquire);
        const std::uint64_t request = m_syncRequest.load(std::memory_order_acquire);
        if (m_inputReady.load(std::memory_order_acquire)) {
            RecordSession* rec = m_rec.load(std::memory_order_acquire);
            if (rec && !rec->finished.load(std::memory_order_acquire)) {
                try {
                    workRecording(*rec);
                } catch (const Failure& f) {
                    rec->error = f.description();
                    rec->finished.store(true, std::memory_order_release);
                } catch (...) {
                    rec->error = QStringLiteral("Recording failed");
                    rec->finished.store(true, std::memory_order_release);
                }
            } else if (!rec) {
                // Standby: keep only the last half second, so a Record that is
                // just being set up still finds its first buffer here.
                const std::size_t keep = std::size_t(std::max(m_inFormat.sampleRate, 1000) / 2);
                const std::size_t avail = m_inRing.available();
                if (avail > keep) m_inRing.read(nullptr, avail - keep);
            }
        }
        if (PlaySession* play = m_play.load(std::memory_order_acquire)) {
            try {
                workPlayback(*play);
            } catch (...) {
                // An unreadable file ends playback where it is.
                play->sourceDone.store(true, std::memory_order_release);
                play->flushed = true;
            }
        }
        m_syncDone.store(request, std::memory_order_release);
        m_syncDone.notify_all();
        if (m_quit.load()) break;
        m_wake.wait(seen, std::memory_order_acquire);
    }
}

void AudioRecorder::Synchronize() {
    const std::uint64_t request = m_syncRequest.fetch_add(1) + 1;
    wakeWorker();
    for (std::uint64_t done = m_syncDone.load(); done < request; done = m_syncDone.load())
        m_syncDone.wait(done);
}

void AudioRecorder::workRecording(RecordSession& s) {
    using clock = std::chrono::steady_clock;
    const int fb = s.layout.frameBytes();
    const int fileCh = s.layout.channels;
    // Frames captured before Record belong to standby.
    if (m_inRing.readCount() < s.startFrame)
        m_inRing.read(nullptr, std::size_t(std::min<std::uint64_t>(s.startFrame - m_inRing.readCount(),
                                                                   m_inRing.available())));
    const std::uint64_t stop = s.stopFrame.load(std::memory_order_acquire);
    while (m_inRing.readCount() >= s.startFrame && m_inRing.readCount() < stop && m_inRing.available() > 0) {
        const std::size_t n = std::min<std::uint64_t>(
            {std::uint64_t(kChunkFrames), m_inRing.available(), stop - m_inRing.readCount()});
        m_inRing.read(s.in.data(), n);
        const float level = peakDb(s.in.data(), n * std::size_t(s.devChannels));
        bool keep = true;
        if (s.voxActive) {
            if (m_voxPaused.load(std::memory_order_relaxed)) {
                keep = level >= s.voxStart;
                if (keep) {
                    m_voxPaused.store(false);
                    s.belowFrames = 0;
                }
            } else if (level < s.voxStop) {
                s.belowFrames += qint64(n);
                if (s.belowFrames >= s.voxWaitFrames) {
                    m_voxPaused.store(true);
                    keep = false;
                }
            } else {
                s.belowFrames = 0;
            }
        }
        if (!keep) continue;
        mapChannels(s.in.data(), s.devChannels, s.mapped.data(), fileCh, n);
        s.converted.clear();
        s.converter->process(s.mapped.data(), n, s.converted);
        const std::size_t frames = s.converted.size() / std::size_t(fileCh);
        if (frames == 0) continue;
        s.bytes.resize(frames * std::size_t(fb));
        encode(s.converted.data(), s.converted.size(), s.layout.bits, s.bytes.data());
        writeAll(s.target(), s.bytes.data(), qint64(s.bytes.size()),
                 s.targetDataOffset() + (s.firstFrame() + s.written) * fb);
        s.written += qint64(frames);
        s.writtenFrames.store(s.written, std::memory_order_release);
        if (s.written - s.lastPatch >= s.layout.rate) {
            patchHeader(s.target(), s.targetDataOffset(), s.targetDataBytes());
            ::fdatasync(s.target());
            s.lastPatch = s.written;
            s.lastPatchTime = clock::now();
        }
    }
    if (m_inRing.readCount() >= stop) {
        s.converted.clear();
        s.converter->process(s.mapped.data(), 0, s.converted, true);
        const std::size_t frames = s.converted.size() / std::size_t(fileCh);
        if (frames > 0) {
            s.bytes.resize(frames * std::size_t(fb));
            encode(s.converted.data(), s.converted.size(), s.layout.bits, s.bytes.data());
            writeAll(s.target(), s.bytes.data(), qint64(s.bytes.size()),
                     s.targetDataOffset() + (s.firstFrame() + s.written) * fb);
            s.written += qint64(frames);
            s.writtenFrames.store(s.written, std::memory_order_release);
        }
        patchHeader(s.target(), s.targetDataOffset(), s.targetDataBytes());
        ::fdatasync(s.target());
        s.finished.store(true, std::memory_order_release);
    } else if (s.written != s.lastPatch && clock::now() - s.lastPatchTime >= std::chrono::seconds(1)) {
        patchHeader(s.target(), s.targetDataOffset(), s.targetDataBytes());
        s.lastPatch = s.written;
        s.lastPatchTime = clock::now();
    }
}

void AudioRecorder::workPlayback(PlaySession& s) {
    if (s.sourceDone.load(std::memory_order_acquire)) {
        if (s.drained.load(std::memory_order_acquire) && !s.endPosted) {
            s.endPosted = true;
            const quint64 id = s.id;
            QMetaObject::invokeMethod(
                this, [this, id] { onPlaybackDrained(id); }, Qt::QueuedConnection);
        }
        return;
    }
    const int fb = s.layout.frameBytes();
    const int fileCh = s.layout.channels;
    const qint64 total = s.layout.frames();
    for (;;) {
        // Hand over what is pending first; stop when the ring is full.
        const std::size_t pendingFrames = s.pending.size() / std::size_t(s.devChannels) - s.pendingAt;
        if (pendingFrames > 0) {
            s.pendingAt +=
                s.ring.write(s.pending.data() + s.pendingAt * std::size_t(s.devChannels), pendingFrames);
            if (s.pendingAt * std::size_t(s.devChannels) < s.pending.size()) return;
        }
        s.pending.clear();
        s.pendingAt = 0;
        if (s.flushed) {
            s.sourceDone.store(true, std::memory_order_release);
            return;
        }
        const qint64 n = std::min<qint64>(kChunkFrames, total - s.readFrame);
        std::size_t frames = 0;
        if (n > 0) {
            s.bytes.resize(std::size_t(n * fb));
            const qint64 got =
                readSome(s.file.fd, s.bytes.data(), n * fb, s.layout.dataOffset + s.readFrame * fb);
            frames = std::size_t(got / fb);
            s.readFrame += qint64(frames);
        }
        const bool last = frames == 0;
        s.decoded.resize(frames * std::size_t(fileCh));
        decode(s.bytes.data(), s.decoded.size(), s.layout.bits, s.decoded.data());
        s.mapped.resize(frames * std::size_t(s.devChannels));
        mapChannels(s.decoded.data(), fileCh, s.mapped.data(), s.devChannels, frames);
        const float* stretchedData = s.mapped.data();
        std::size_t stretchedFrames = frames;
        if (s.stretch) {
            if (frames > 0)
                s.stretch->putSamples(s.mapped.data(), uint(frames));
            else
                s.stretch->flush();
            s.stretched.clear();
            std::vector<float>& block = s.block;
            block.resize(std::size_t(kChunkFrames) * std::size_t(s.devChannels));
            for (uint got; (got = s.stretch->receiveSamples(block.data(), kChunkFrames)) > 0;)
                s.stretched.insert(s.stretched.end(), block.data(),
                                   block.data() + got * std::size_t(s.devChannels));
            stretchedData = s.stretched.data();
            stretchedFrames = s.stretched.size() / std::size_t(s.devChannels);
        }
        s.converter->process(stretchedData, stretchedFrames, s.pending, last);
        if (last) s.flushed = true;
    }
}

// ---------------------------------------------------------------- streams and files

void AudioRecorder::openInputStream() {
    if (m_inputOpen) return;
    m_inputReady.store(false);
    m_inFormat = m_backend->openInput(m_recordingDevice, m_channels, this);
    m_inRing.reset(std::size_t(kInputRingSeconds * m_inFormat.sampleRate), m_inFormat.channels);
    m_inputOpen = true;
    m_inputDevice = m_recordingDevice;
    m_inputReady.store(true, std::memory_order_release);
}

void AudioRecorder::closeInputStream() noexcept {
    if (!m_inputOpen) return;
    m_inputReady.store(false, std::memory_order_release);
    Synchronize();
    m_backend->closeInput();
    m_inputOpen = false;
    m_levelDb.store(-100.0f);
    m_overload.store(0);
}

void AudioRecorder::closeFile() noexcept {
    m_fileOpen = false;
    m_path.clear();
    m_layout = {};
    m_position = 0;
}

int AudioRecorder::fileRate() const { return m_fileOpen ? m_layout.rate : m_sampleRate; }

short AudioRecorder::State() const {
    if (m_state == StatePlaying && m_playSession && m_playSession->drained.load()) return StateStopped;
    // A recording that failed (disk full) has stopped; Stop reports why.
    if (m_state == StateRecording && m_recSession && m_recSession->finished.load() &&
        m_recSession->stopFrame.load() == UINT64_MAX)
        return StateStopped;
    return m_state;
}

void AudioRecorder::Reset() {
    Stop();
    closeInputStream();
    closeFile();
    m_calibrating = false;
    m_state = StateClosed;
}

void AudioRecorder::Stop() {
    reapPlayback();
    if (m_state == StatePlaying)
        stopPlayback(true);
    else if (m_state == StateRecording && m_recSession)
        stopRecording();
    else if (m_state == StateRecording)
        m_state = m_fileOpen ? StateStopped : StateClosed;
}

void AudioRecorder::FileNew(QString& strFilePath) {
    Stop();
    closeFile();
    checkFormat(m_sampleRate, m_bits, m_channels);
    const QByteArray path = QFile::encodeName(strFilePath);
    Fd fd(::open(path.constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (fd.fd < 0)
        throw Failure(
            QStringLiteral("Cannot create %1: %2").arg(strFilePath, QString::fromLocal8Bit(strerror(errno))));
    writeNewHeader(fd.fd, m_sampleRate, m_channels, m_bits);
    m_layout = {m_sampleRate, m_channels, m_bits, kHeaderBytes, 0};
    m_path = strFilePath;
    m_fileOpen = true;
    m_position = 0;
    m_state = StateStopped;
    try {
        openInputStream();
    } catch (const Failure&) {
        // No microphone: the file still plays; Record tries the device again.
    }
}

void AudioRecorder::FileOpen(QString& strFilePath) {
    Stop();
    closeFile();
    const QByteArray path = QFile::encodeName(strFilePath);
    int flags = O_RDWR | O_CLOEXEC;
    Fd fd(::open(path.constData(), flags));
    if (fd.fd < 0) fd.fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd.fd < 0)
        throw Failure(
            QStringLiteral("Cannot open %1: %2").arg(strFilePath, QString::fromLocal8Bit(strerror(errno))));
    const qint64 length = ::lseek(fd.fd, 0, SEEK_END);
    uchar head[12];
    if (readSome(fd.fd, head, 12, 0) != 12 || std::memcmp(head, "RIFF", 4) != 0 ||
        std::memcmp(head + 8, "WAVE", 4) != 0)
        throw Failure(QStringLiteral("Not a wave file: ") + strFilePath);
    WaveLayout layout;
    bool haveFormat = false;
    qint64 at = 12;
    for (;;) {
        uchar chunk[8];
        if (readSome(fd.fd, chunk, 8, at) != 8)
            throw Failure(QStringLiteral("No audio data in wave file: ") + strFilePath);
        const qint64 size = get32(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            uchar fmt[16];
            if (size < 16 || readSome(fd.fd, fmt, 16, at + 8) != 16)
                throw Failure(QStringLiteral("Damaged format chunk in ") + strFilePath);
            if (get16(fmt) != 1) throw Failure(QStringLiteral("Not PCM audio: ") + strFilePath);
            layout.channels = get16(fmt + 2);
            layout.rate = int(get32(fmt + 4));
            layout.bits = get16(fmt + 14);
            checkFormat(layout.rate, layout.bits, layout.channels);
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat) throw Failure(QStringLiteral("Audio data before format in ") + strFilePath);
            layout.dataOffset = at + 8;
            layout.dataBytes = size;
            break;
        }
        at += 8 + size + (size & 1);
    }
    // A file left by a crash has more audio than its last header patch says;
    // a truncated one has less. Trust the file's length unless another chunk
    // follows the data.
    const qint64 present = std::max<qint64>(0, length - layout.dataOffset);
    bool repair = false;
    if (present < layout.dataBytes) {
        layout.dataBytes = present;
        repair = true;
    } else if (present > layout.dataBytes + (layout.dataBytes & 1)) {
        uchar next[8];
        const qint64 after = layout.dataOffset + layout.dataBytes + (layout.dataBytes & 1);
        const bool chunkFollows =
            readSome(fd.fd, next, 8, after) == 8 &&
            std::all_of(next, next + 4, [](uchar c) { return c >= 0x20 && c < 0x7F; }) &&
            after + 8 + get32(next + 4) <= length;
        if (!chunkFollows) {
            layout.dataBytes = present;
            repair = true;
        }
    }
    layout.dataBytes -= layout.dataBytes % layout.frameBytes();
    if (repair) {
        try {
            patchHeader(fd.fd, layout.dataOffset, layout.dataBytes);
        } catch (const Failure&) {
            // Read-only file: it still plays with the length found.
        }
    }
    m_layout = layout;
    m_path = strFilePath;
    m_fileOpen = true;
    m_position = 0;
    m_state = StateStopped;
    try {
        openInputStream();
    } catch (const Failure&) {
        // No microphone: the file still plays; Record tries the device again.
    }
}

void AudioRecorder::CalibrationStart() {
    Stop();
    m_calibrating = true;
    openInputStream();
}

void AudioRecorder::Record() {
    reapPlayback();
    if (m_state == StateRecording) return;
    if (m_state == StatePlaying) stopPlayback(true);
    if (m_calibrating && (m_calibrationMode == 1 || !m_fileOpen)) {
        openInputStream();
        m_state = StateRecording;
        return;
    }
    if (!m_fileOpen) throw Failure(QStringLiteral("No file open"));
    openInputStream();

    auto s = std::make_unique<RecordSession>();
    s->layout = m_layout;
    s->insert = m_insertMode == 1 && m_position < m_layout.frames();
    s->startPos = std::clamp<qint64>(m_position, 0, m_layout.frames());
    s->origTotal = m_layout.frames();
    const QByteArray path = QFile::encodeName(m_path);
    s->file.fd = ::open(path.constData(), O_RDWR | O_CLOEXEC);
    if (s->file.fd < 0)
        throw Failure(
            QStringLiteral("Cannot write %1: %2").arg(m_path, QString::fromLocal8Bit(strerror(errno))));
    if (s->insert) {
        s->sidePath = m_path + QStringLiteral(".insert.wav");
        const QByteArray side = QFile::encodeName(s->sidePath);
        s->side.fd = ::open(side.constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (s->side.fd < 0)
            throw Failure(QStringLiteral("Cannot create %1: %2")
                              .arg(s->sidePath, QString::fromLocal8Bit(strerror(errno))));
        writeNewHeader(s->side.fd, m_layout.rate, m_layout.channels, m_layout.bits);
    }
    s->devChannels = m_inFormat.channels;
    s->converter = std::make_unique<Converter>(m_inFormat.sampleRate, m_layout.rate, m_layout.channels);
    s->in.resize(std::size_t(kChunkFrames) * std::size_t(s->devChannels));
    s->mapped.resize(std::size_t(kChunkFrames) * std::size_t(m_layout.channels));
    s->converted.reserve(std::size_t(kChunkFrames * 8) * std::size_t(m_layout.channels));
    s->voxActive = m_voxActive > 0;
    s->voxStart = m_voxStart;
    s->voxStop = m_voxStop;
    s->voxWaitFrames = qint64(m_voxWait) * m_inFormat.sampleRate / 10;
    s->lastPatchTime = std::chrono::steady_clock::now();
    m_voxPaused.store(false);
    // Everything captured from now on is the recording.
    s->startFrame = m_inRing.written();
    m_recSession = std::move(s);
    m_rec.store(m_recSession.get(), std::memory_order_release);
    m_state = StateRecording;
    wakeWorker();
}

void AudioRecorder::stopRecording() {
    RecordSession& s = *m_recSession;
    s.stopFrame.store(m_inRing.written(), std::memory_order_release);
    while (!s.finished.load(std::memory_order_acquire))
        Synchronize();
    m_rec.store(nullptr, std::memory_order_release);
    Synchronize();
    m_voxPaused.store(false);
    std::unique_ptr<RecordSession> done = std::move(m_recSession);
    m_state = StateStopped;
    const int fb = done->layout.frameBytes();
    if (done->insert && done->error.isEmpty()) {
        // Splice: move the tail back by the inserted length, last block first,
        // then copy the insert into the gap.
        const qint64 at = done->layout.dataOffset + done->startPos * fb;
        const qint64 shift = done->written * fb;
        const qint64 tail = done->layout.dataBytes - done->startPos * fb;
        std::vector<char> block(std::size_t(std::min<qint64>(kCopyBlock, std::max(tail, shift) + 1)));
        try {
            for (qint64 remaining = tail; remaining > 0;) {
                const qint64 len = std::min<qint64>(qint64(block.size()), remaining);
                const qint64 from = at + remaining - len;
                if (readSome(done->file.fd, block.data(), len, from) != len)
                    throw Failure(QStringLiteral("Wave file shorter than expected: ") + m_path);
                writeAll(done->file.fd, block.data(), len, from + shift);
                remaining -= len;
            }
            for (qint64 off = 0; off < shift;) {
                const qint64 len = std::min<qint64>(qint64(block.size()), shift - off);
                if (readSome(done->side.fd, block.data(), len, kHeaderBytes + off) != len)
                    throw Failure(QStringLiteral("Insert file shorter than expected: ") + done->sidePath);
                writeAll(done->file.fd, block.data(), len, at + off);
                off += len;
            }
            patchHeader(done->file.fd, done->layout.dataOffset, done->layout.dataBytes + shift);
            ::fdatasync(done->file.fd);
        } catch (const Failure& f) {
            done->error = f.description() + QStringLiteral(" (the insert is kept in ") + done->sidePath +
                          QStringLiteral(")");
        }
        if (done->error.isEmpty())
            QFile::remove(done->sidePath);
        else
            done->written = 0;
        m_layout.dataBytes = done->layout.dataBytes + done->written * fb;
    } else if (!done->insert) {
        m_layout.dataBytes = done->targetDataBytes();
    }
    m_position = done->startPos + done->written;
    // A device chosen while recording takes over standby now.
    if (m_inputDevice != m_recordingDevice) {
        closeInputStream();
        try {
            openInputStream();
        } catch (const Failure&) {
            // Record reports the missing device.
        }
    }
    if (!done->error.isEmpty()) throw Failure(done->error);
}

void AudioRecorder::Play() {
    reapPlayback();
    if (m_state == StatePlaying) return;
    if (m_state == StateRecording) Stop();
    if (!m_fileOpen) throw Failure(QStringLiteral("No file open"));
    auto s = std::make_unique<PlaySession>();
    s->id = m_nextPlayId++;
    s->layout = m_layout;
    s->startPos = s->readFrame = std::clamp<qint64>(m_position, 0, m_layout.frames());
    s->tempo = std::clamp<int>(m_rate, 30, 300) / 100.0;
    const QByteArray path = QFile::encodeName(m_path);
    s->file.fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (s->file.fd < 0)
        throw Failure(
            QStringLiteral("Cannot read %1: %2").arg(m_path, QString::fromLocal8Bit(strerror(errno))));
    m_gain.store(std::clamp<short>(m_volume, 0, 100) / 100.0f);
    const StreamFormat fmt = m_backend->openOutput(m_playbackDevice, m_layout.channels, this);
    try {
        s->devRate = fmt.sampleRate;
        s->devChannels = fmt.channels;
        s->ring.reset(std::size_t(std::max(fmt.sampleRate / 4, fmt.framesPerBuffer * 2)), fmt.channels);
        if (s->tempo != 1.0) {
            s->stretch = std::make_unique<soundtouch::SoundTouch>();
            s->stretch->setSampleRate(uint(m_layout.rate));
            s->stretch->setChannels(uint(fmt.channels));
            s->stretch->setTempo(s->tempo);
        }
        s->converter = std::make_unique<Converter>(m_layout.rate, fmt.sampleRate, fmt.channels);
    } catch (...) {
        m_backend->closeOutput();
        throw;
    }
    m_playSession = std::move(s);
    m_play.store(m_playSession.get(), std::memory_order_release);
    m_state = StatePlaying;
    Synchronize(); // the first buffers are ready before the device asks
}

qint64 AudioRecorder::playPosition() const {
    const PlaySession& s = *m_playSession;
    const qint64 total = s.layout.frames();
    if (s.drained.load(std::memory_order_acquire)) return total;
    const double played = double(s.played.load(std::memory_order_acquire));
    const qint64 pos = s.startPos + qint64(played * s.layout.rate / std::max(s.devRate, 1) * s.tempo);
    return std::min(pos, total);
}

void AudioRecorder::stopPlayback(bool emitEnded) {
    m_backend->closeOutput();
    m_position = playPosition();
    m_play.store(nullptr, std::memory_order_release);
    Synchronize();
    m_playSession.reset();
    m_state = StateStopped;
    if (emitEnded) Q_EMIT PlayEnded(0);
}

void AudioRecorder::reapPlayback() {
    if (m_state == StatePlaying && m_playSession && m_playSession->drained.load()) stopPlayback(true);
}

void AudioRecorder::onPlaybackDrained(quint64 id) {
    if (m_playSession && m_playSession->id == id) reapPlayback();
}

// ---------------------------------------------------------------- position and length

qint32 AudioRecorder::TotalSamples() const {
    if (m_recSession) {
        const qint64 written = m_recSession->writtenFrames.load(std::memory_order_acquire);
        return qint32(m_recSession->insert
                          ? m_recSession->origTotal + written
                          : std::max(m_recSession->origTotal, m_recSession->startPos + written));
    }
    return qint32(m_layout.frames());
}

double AudioRecorder::TotalSeconds() const {
    return fileRate() > 0 ? double(TotalSamples()) / fileRate() : 0.0;
}

qint32 AudioRecorder::PositionSamples() const {
    if (m_recSession)
        return qint32(m_recSession->startPos + m_recSession->writtenFrames.load(std::memory_order_acquire));
    if (m_playSession) return qint32(playPosition());
    return qint32(m_position);
}

void AudioRecorder::setPositionSamples(qint32 value) {
    reapPlayback();
    if (m_state == StateRecording) return; // the position follows the recording
    const qint64 target = std::clamp<qint64>(value, 0, m_layout.frames());
    if (m_state == StatePlaying) {
        stopPlayback(false);
        m_position = target;
        Play();
        return;
    }
    m_position = target;
}

double AudioRecorder::PositionSeconds() const {
    return fileRate() > 0 ? double(PositionSamples()) / fileRate() : 0.0;
}

void AudioRecorder::setPositionSeconds(double value) {
    if (!std::isfinite(value)) return;
    setPositionSamples(qint32(std::clamp(std::llround(value * fileRate()), 0LL, qint64(INT32_MAX))));
}

void AudioRecorder::LevelsGet(float& sngLevel, short& intState, float& sngLevel2, short& intState2) {
    sngLevel = m_inputOpen ? m_levelDb.load() : -100.0f;
    intState = short(m_inputOpen ? m_overload.load() : 0);
    sngLevel2 = sngLevel;
    intState2 = VoxState();
}

// ---------------------------------------------------------------- devices and volume

qint32 AudioRecorder::RecordingDeviceCount() const { return qint32(m_backend->inputDeviceNames().size()); }
qint32 AudioRecorder::PlaybackDeviceCount() const { return qint32(m_backend->outputDeviceNames().size()); }
QString AudioRecorder::RecordingDeviceName(qint32 lngDevice) const {
    return m_backend->inputDeviceNames().value(lngDevice);
}
QString AudioRecorder::PlaybackDeviceName(qint32 lngDevice) const {
    return m_backend->outputDeviceNames().value(lngDevice);
}

void AudioRecorder::setRecordingDeviceID(qint32 value) {
    if (value == m_recordingDevice) return;
    m_recordingDevice = value;
    // Standby follows the new device; a running recording keeps its own.
    if (m_inputOpen && m_state != StateRecording) {
        closeInputStream();
        try {
            openInputStream();
        } catch (const Failure&) {
            // Record reports the missing device.
        }
    }
}

void AudioRecorder::setOutputVolume(short value) {
    m_volume = std::clamp<short>(value, 0, 100);
    m_gain.store(m_volume / 100.0f);
}

std::unique_ptr<AudioRecordingControl> CreateDefaultAudioRecorder(QString* notice) {
    return std::make_unique<AudioRecorder>(CreateAudioBackend(QString(), notice));
}

} // namespace vd
