#pragma once
// Real devices through PortAudio: float streams at each device's default
// rate, devices numbered in PortAudio's order among those with inputs (or
// outputs).

#include "AudioBackend.h"

#include <vector>

namespace vd {

class PortAudioBackend : public AudioBackend {
public:
    PortAudioBackend(); // throws Failure when PortAudio cannot start
    ~PortAudioBackend() override;

    QString name() const override { return QStringLiteral("portaudio"); }
    QStringList inputDeviceNames() const override;
    QStringList outputDeviceNames() const override;
    StreamFormat openInput(qint32 device, int channels, AudioInputSink* sink) override;
    void closeInput() noexcept override;
    StreamFormat openOutput(qint32 device, int channels, AudioOutputSource* source) override;
    void closeOutput() noexcept override;

    // What the output callback needs: set before the stream starts.
    struct OutputTarget {
        AudioOutputSource* source = nullptr;
        int channels = 1;
    };

private:
    OutputTarget m_outTarget;
    std::vector<int> m_inputs, m_outputs; // PortAudio device indices
    void* m_inStream = nullptr;
    void* m_outStream = nullptr;
};

} // namespace vd
