#pragma once
// Where samples come from and go to. A backend opens at most one input and
// one output stream; each runs at the device's own rate and channel count
// and exchanges interleaved float frames with the recorder on the backend's
// real-time thread.

#include <QString>
#include <QStringList>

#include <memory>

namespace vd {

struct StreamFormat {
    int sampleRate = 0;
    int channels = 0;
    int framesPerBuffer = 0; // the backend's buffer period in frames
};

class AudioInputSink {
public:
    virtual ~AudioInputSink() = default;
    // Real-time thread: must not block or allocate.
    virtual void audioInput(const float* frames, int count) noexcept = 0;
};

class AudioOutputSource {
public:
    virtual ~AudioOutputSource() = default;
    // Real-time thread: fill count frames of channels samples; must not block
    // or allocate.
    virtual void audioOutput(float* frames, int count, int channels) noexcept = 0;
};

class AudioBackend {
public:
    virtual ~AudioBackend() = default;
    virtual QString name() const = 0;
    virtual QStringList inputDeviceNames() const = 0;
    virtual QStringList outputDeviceNames() const = 0;
    // Open and start a stream on device 0 … count - 1, or -1 for the system
    // default. channels is a wish; the device decides. Throws Failure.
    virtual StreamFormat openInput(qint32 device, int channels, AudioInputSink* sink) = 0;
    virtual void closeInput() noexcept = 0;
    virtual StreamFormat openOutput(qint32 device, int channels, AudioOutputSource* source) = 0;
    virtual void closeOutput() noexcept = 0;
};

// "portaudio" or "virtual"; an empty name reads VD4_AUDIO_BACKEND and defaults
// to PortAudio. When PortAudio has no device at all the virtual backend
// (real-time clock) stands in and notice says why. The virtual microphone is
// silent unless VD4_VIRTUAL_MICROPHONE names a wave file for it to play.
std::unique_ptr<AudioBackend> CreateAudioBackend(const QString& name, QString* notice);
// The notice of the latest fallback to virtual devices, "" when none.
QString AudioBackendNotice();

} // namespace vd
