#include "PortAudioBackend.h"

#include "VirtualAudioBackend.h"
#include "common/ErrorGuard.h"

#include <QDebug>

#include <portaudio.h>

#include <algorithm>

namespace vd {

namespace {
QString paError(const char* what, PaError err) {
    return QStringLiteral("%1: %2").arg(QString::fromUtf8(what), QString::fromUtf8(Pa_GetErrorText(err)));
}

int inputCallback(const void* input, void*, unsigned long frames, const PaStreamCallbackTimeInfo*,
                  PaStreamCallbackFlags, void* user) {
    if (input) static_cast<AudioInputSink*>(user)->audioInput(static_cast<const float*>(input), int(frames));
    return paContinue;
}

using OutputTarget = PortAudioBackend::OutputTarget;

int outputCallback(const void*, void* output, unsigned long frames, const PaStreamCallbackTimeInfo*,
                   PaStreamCallbackFlags, void* user) {
    auto* target = static_cast<OutputTarget*>(user);
    target->source->audioOutput(static_cast<float*>(output), int(frames), target->channels);
    return paContinue;
}

QStringList names(const std::vector<int>& devices) {
    QStringList out;
    for (int i : devices)
        out << QString::fromUtf8(Pa_GetDeviceInfo(i)->name);
    return out;
}

void closeStream(void*& stream) {
    if (!stream) return;
    auto* s = static_cast<PaStream*>(stream);
    Pa_StopStream(s); // waits for the callback to return
    Pa_CloseStream(s);
    stream = nullptr;
}

StreamFormat openStream(void*& stream, int device, bool input, int channels, void* user, int* channelsOut) {
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    if (!info) throw Failure(QStringLiteral("No such audio device"));
    const int maxChannels = input ? info->maxInputChannels : info->maxOutputChannels;
    PaStreamParameters p{};
    p.device = device;
    p.sampleFormat = paFloat32;
    p.suggestedLatency = input ? info->defaultLowInputLatency : info->defaultLowOutputLatency;
    // The wished channel count at the device's own rate if it can, else
    // whatever of mono/stereo and the common rates it takes (some hardware
    // opens only in stereo or only at 48 kHz).
    const int wish = std::clamp(channels, 1, std::max(1, std::min(maxChannels, 2)));
    const double defaultRate = info->defaultSampleRate > 0 ? info->defaultSampleRate : 48000.0;
    double rate = defaultRate;
    p.channelCount = wish;
    bool found = false;
    for (int ch : {wish, 3 - wish}) {
        for (double r : {defaultRate, 48000.0, 44100.0}) {
            if (ch > std::max(maxChannels, 1) || found) continue;
            p.channelCount = ch;
            if (Pa_IsFormatSupported(input ? &p : nullptr, input ? nullptr : &p, r) == paFormatIsSupported) {
                rate = r;
                found = true;
            }
        }
    }
    if (!found) p.channelCount = wish; // let the open report why
    // 10 ms buffers: the level meter and the record start follow at that pace.
    const unsigned long period = std::max(64ul, (unsigned long)(rate / 100));
    *channelsOut = p.channelCount;
    PaStream* s = nullptr;
    PaError err = Pa_OpenStream(&s, input ? &p : nullptr, input ? nullptr : &p, rate, period, paClipOff,
                                input ? inputCallback : outputCallback, user);
    if (err != paNoError) throw Failure(paError("Opening the audio device failed", err));
    err = Pa_StartStream(s);
    if (err != paNoError) {
        Pa_CloseStream(s);
        throw Failure(paError("Starting the audio device failed", err));
    }
    stream = s;
    return {int(rate), p.channelCount, int(period)};
}
} // namespace

PortAudioBackend::PortAudioBackend() {
    const PaError err = Pa_Initialize();
    if (err != paNoError) throw Failure(paError("PortAudio could not start", err));
    const int count = Pa_GetDeviceCount();
    for (int i = 0; i < count; ++i) {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
        if (!info) continue;
        if (info->maxInputChannels > 0) m_inputs.push_back(i);
        if (info->maxOutputChannels > 0) m_outputs.push_back(i);
    }
}

PortAudioBackend::~PortAudioBackend() {
    closeInput();
    closeOutput();
    Pa_Terminate();
}

QStringList PortAudioBackend::inputDeviceNames() const { return names(m_inputs); }
QStringList PortAudioBackend::outputDeviceNames() const { return names(m_outputs); }

StreamFormat PortAudioBackend::openInput(qint32 device, int channels, AudioInputSink* sink) {
    closeInput();
    int index = device >= 0 && device < qint32(m_inputs.size()) ? m_inputs[std::size_t(device)]
                                                                : Pa_GetDefaultInputDevice();
    if (device >= qint32(m_inputs.size()))
        throw Failure(QStringLiteral("No such recording device: %1").arg(device));
    if (index == paNoDevice) throw Failure(QStringLiteral("No recording device"));
    int actual = 0;
    return openStream(m_inStream, index, true, channels, sink, &actual);
}

void PortAudioBackend::closeInput() noexcept { closeStream(m_inStream); }

StreamFormat PortAudioBackend::openOutput(qint32 device, int channels, AudioOutputSource* source) {
    closeOutput();
    int index = device >= 0 && device < qint32(m_outputs.size()) ? m_outputs[std::size_t(device)]
                                                                 : Pa_GetDefaultOutputDevice();
    if (device >= qint32(m_outputs.size()))
        throw Failure(QStringLiteral("No such playback device: %1").arg(device));
    if (index == paNoDevice) throw Failure(QStringLiteral("No playback device"));
    m_outTarget.source = source;
    return openStream(m_outStream, index, false, channels, &m_outTarget, &m_outTarget.channels);
}

void PortAudioBackend::closeOutput() noexcept { closeStream(m_outStream); }

static QString& lastNotice() {
    static QString text;
    return text;
}

QString AudioBackendNotice() { return lastNotice(); }

std::unique_ptr<AudioBackend> CreateAudioBackend(const QString& name, QString* notice) {
    QString wanted = name.isEmpty() ? qEnvironmentVariable("VD4_AUDIO_BACKEND") : name;
    wanted = wanted.trimmed().toLower();
    // Virtual devices hear VD4_VIRTUAL_MICROPHONE (a wave file) when it is set.
    auto makeVirtual = [] {
        auto backend = std::make_unique<VirtualAudioBackend>(VirtualAudioBackend::Clock::RealTime);
        const QString file = qEnvironmentVariable("VD4_VIRTUAL_MICROPHONE");
        if (!file.isEmpty() && !backend->setMicrophoneFile(file))
            qWarning().noquote() << QStringLiteral("Cannot play %1 on the virtual microphone").arg(file);
        return backend;
    };
    if (wanted == QStringLiteral("virtual")) return makeVirtual();
    QString reason;
    try {
        auto pa = std::make_unique<PortAudioBackend>();
        if (!pa->inputDeviceNames().isEmpty() || !pa->outputDeviceNames().isEmpty()) return pa;
        reason = QStringLiteral("PortAudio found no audio device");
    } catch (const Failure& f) {
        reason = f.description();
    }
    const QString text = reason + QStringLiteral("; using virtual audio devices.");
    qInfo().noquote() << text;
    lastNotice() = text;
    if (notice) *notice = text;
    return makeVirtual();
}

} // namespace vd
