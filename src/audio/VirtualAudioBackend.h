#pragma once
// Audio devices without hardware: a microphone that plays a programme of
// signals (tones, silence, given samples) and a speaker that keeps what it
// was sent. Time is either real (a thread ticks once per buffer period) or
// manual: advance() runs the callbacks on the caller's thread, so tests are
// sample-exact and independent of the machine's speed.

#include "AudioBackend.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace vd {

class VirtualAudioBackend : public AudioBackend {
public:
    enum class Clock { Manual, RealTime };

    struct Segment {
        qint64 frames = 0;
        double amplitude = 0; // sine peak, full scale 1.0
        double frequency = 0;
        std::vector<float> samples; // used instead of the sine when not empty (interleaved)
    };

    explicit VirtualAudioBackend(Clock clock = Clock::Manual, int sampleRate = 48000,
                                 int framesPerBuffer = 480, int microphoneChannels = 1,
                                 int speakerChannels = 2);
    ~VirtualAudioBackend() override;

    QString name() const override { return QStringLiteral("virtual"); }
    QStringList inputDeviceNames() const override { return m_inputNames; }
    QStringList outputDeviceNames() const override { return m_outputNames; }
    StreamFormat openInput(qint32 device, int channels, AudioInputSink* sink) override;
    void closeInput() noexcept override;
    StreamFormat openOutput(qint32 device, int channels, AudioOutputSource* source) override;
    void closeOutput() noexcept override;

    void setDeviceNames(const QStringList& inputs, const QStringList& outputs);
    // The microphone plays these segments in order, then silence (or loops).
    void setMicrophone(std::vector<Segment> programme, bool loop = false);
    // Convenience: a sine of the given peak in dBFS, for ever.
    void setMicrophoneTone(double dbfs, double frequency);
    // The microphone plays a wave file (8 or 16-bit PCM), converted to the
    // device's rate and channels. False when the file cannot be used.
    bool setMicrophoneFile(const QString& path, bool loop = true);

    // Manual clock: run whole buffers until at least frames have passed.
    void advance(qint64 frames);
    qint64 elapsedFrames() const { return m_elapsed.load(); }
    // When the latest buffer was delivered (steady clock, nanoseconds).
    qint64 lastBufferTime() const { return m_lastBuffer.load(); }
    int sampleRate() const { return m_rate; }
    int framesPerBuffer() const { return m_period; }
    int microphoneChannels() const { return m_micChannels; }
    int speakerChannels() const { return m_spkChannels; }
    bool inputOpen() const;
    bool outputOpen() const;
    // Everything the speaker received since the last take (interleaved).
    std::vector<float> takeSpeakerSamples();

private:
    void tick();
    void runClock();
    void fillMicrophone(float* out, int frames);

    const Clock m_clock;
    const int m_rate, m_period, m_micChannels, m_spkChannels;
    QStringList m_inputNames{QStringLiteral("Virtual Microphone")};
    // Two outputs, as on most machines (speaker and headphones); both reach
    // the one virtual speaker. With a single output the device layer has no
    // volume to offer (its device-number rule), which would hide that path.
    QStringList m_outputNames{QStringLiteral("Virtual Speaker"), QStringLiteral("Virtual Headphones")};

    mutable std::mutex m_mutex; // streams and programme against the clock thread
    AudioInputSink* m_sink = nullptr;
    AudioOutputSource* m_source = nullptr;
    std::vector<Segment> m_programme;
    bool m_loop = false;
    std::size_t m_segment = 0;
    qint64 m_segmentFrame = 0;
    qint64 m_micFrame = 0;
    std::vector<float> m_inBuffer, m_outBuffer, m_speaker;
    std::atomic<qint64> m_elapsed{0};
    std::atomic<qint64> m_lastBuffer{0};

    std::thread m_thread;
    std::condition_variable m_wake;
    bool m_quit = false;
};

} // namespace vd
