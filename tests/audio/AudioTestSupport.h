#pragma once
// Helpers for the audio tests: wave bytes built by hand, files, and a
// recorder on virtual devices driven by the test's own clock.

#include "audio/AudioRecorder.h"
#include "audio/VirtualAudioBackend.h"
#include "audio/clsWaveFile.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <vector>

namespace audiotest {

inline void put32(QByteArray& b, quint32 v) {
    for (int i = 0; i < 4; ++i)
        b.append(char(v >> (8 * i)));
}
inline void put16(QByteArray& b, quint16 v) {
    b.append(char(v & 0xFF));
    b.append(char(v >> 8));
}

// A canonical PCM wave: 44-byte header, then data.
inline QByteArray waveBytes(int rate, int channels, int bits, const QByteArray& data) {
    QByteArray b("RIFF");
    put32(b, quint32(36 + data.size()));
    b.append("WAVEfmt ");
    put32(b, 16);
    put16(b, 1);
    put16(b, quint16(channels));
    put32(b, quint32(rate));
    put32(b, quint32(rate * channels * bits / 8));
    put16(b, quint16(channels * bits / 8));
    put16(b, quint16(bits));
    b.append("data");
    put32(b, quint32(data.size()));
    return b + data;
}

inline QByteArray pcm16(const std::vector<qint16>& samples) {
    QByteArray b;
    for (qint16 s : samples)
        put16(b, quint16(s));
    return b;
}

inline std::vector<qint16> samples16(const QByteArray& data) {
    std::vector<qint16> out(std::size_t(data.size() / 2));
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = qint16(quint16(uchar(data[int(2 * i)]) | uchar(data[int(2 * i + 1)]) << 8));
    return out;
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
}

inline QByteArray readFile(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// A recorder on manually clocked virtual devices.
struct Rig {
    vd::VirtualAudioBackend* backend = nullptr;
    std::unique_ptr<vd::AudioRecorder> recorder;

    explicit Rig(int deviceRate = 11025, int period = 110, int micChannels = 1, int speakerChannels = 1) {
        auto b = std::make_unique<vd::VirtualAudioBackend>(vd::VirtualAudioBackend::Clock::Manual, deviceRate,
                                                           period, micChannels, speakerChannels);
        backend = b.get();
        recorder = std::make_unique<vd::AudioRecorder>(std::move(b));
    }
    // Lets device time pass, one buffer at a time, with the worker caught up
    // before every buffer so that nothing depends on the machine's speed.
    void run(qint64 frames) {
        for (qint64 done = 0; done < frames; done += backend->framesPerBuffer()) {
            recorder->Synchronize();
            backend->advance(backend->framesPerBuffer());
        }
        recorder->Synchronize();
    }
    // Runs until playback ends; returns the device frames it took.
    qint64 playToEnd(qint64 limit) {
        const qint64 start = backend->elapsedFrames();
        while (recorder->State() == vd::AudioRecordingControl::StatePlaying &&
               backend->elapsedFrames() - start < limit)
            run(backend->framesPerBuffer());
        return backend->elapsedFrames() - start;
    }
};

// A microphone programme of distinct, exactly representable sample values, so
// that any lost, doubled or misplaced frame shows.
inline vd::VirtualAudioBackend::Segment numberedSamples(qint64 frames, int channels, int bits) {
    vd::VirtualAudioBackend::Segment s;
    s.frames = frames;
    s.samples.resize(std::size_t(frames * channels));
    for (std::size_t i = 0; i < s.samples.size(); ++i) {
        if (bits == 8)
            s.samples[i] = float(int((i * 37) % 250) - 125) / 128.0f;
        else
            s.samples[i] = float(int((i * 7919) % 60001) - 30000) / 32768.0f;
    }
    return s;
}

// The file bytes the numbered programme gives for frames [from, from + count).
inline QByteArray numberedBytes(const vd::VirtualAudioBackend::Segment& s, qint64 from, qint64 count,
                                int channels, int bits) {
    QByteArray out;
    for (qint64 i = from * channels; i < (from + count) * channels; ++i) {
        const float v = s.samples[std::size_t(i)];
        if (bits == 8)
            out.append(char(uchar(int(std::lround(v * 128.0f)) + 128)));
        else
            put16(out, quint16(qint16(std::lround(v * 32768.0f))));
    }
    return out;
}

} // namespace audiotest
