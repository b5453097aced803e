#include "VirtualAudioBackend.h"

#include "clsWaveFile.h"
#include "common/ErrorGuard.h"

#include <samplerate.h>

#include <chrono>
#include <cmath>
#include <numbers>

namespace vd {

VirtualAudioBackend::VirtualAudioBackend(Clock clock, int sampleRate, int framesPerBuffer,
                                         int microphoneChannels, int speakerChannels)
    : m_clock(clock), m_rate(std::max(sampleRate, 1000)), m_period(std::max(framesPerBuffer, 16)),
      m_micChannels(std::clamp(microphoneChannels, 1, 2)), m_spkChannels(std::clamp(speakerChannels, 1, 2)) {
    m_inBuffer.assign(std::size_t(m_period) * m_micChannels, 0.0f);
    m_outBuffer.assign(std::size_t(m_period) * m_spkChannels, 0.0f);
    if (m_clock == Clock::RealTime) m_thread = std::thread([this] { runClock(); });
}

VirtualAudioBackend::~VirtualAudioBackend() {
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_sink = nullptr;
        m_source = nullptr;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) m_thread.join();
}

void VirtualAudioBackend::setDeviceNames(const QStringList& inputs, const QStringList& outputs) {
    std::lock_guard lock(m_mutex);
    m_inputNames = inputs;
    m_outputNames = outputs;
}

StreamFormat VirtualAudioBackend::openInput(qint32 device, int, AudioInputSink* sink) {
    std::lock_guard lock(m_mutex);
    if (device >= m_inputNames.size() || m_inputNames.isEmpty())
        throw Failure(QStringLiteral("No such recording device: %1").arg(device));
    m_sink = sink;
    m_wake.notify_all();
    return {m_rate, m_micChannels, m_period};
}

void VirtualAudioBackend::closeInput() noexcept {
    std::lock_guard lock(m_mutex);
    m_sink = nullptr;
}

StreamFormat VirtualAudioBackend::openOutput(qint32 device, int, AudioOutputSource* source) {
    std::lock_guard lock(m_mutex);
    if (device >= m_outputNames.size() || m_outputNames.isEmpty())
        throw Failure(QStringLiteral("No such playback device: %1").arg(device));
    m_source = source;
    m_wake.notify_all();
    return {m_rate, m_spkChannels, m_period};
}

void VirtualAudioBackend::closeOutput() noexcept {
    std::lock_guard lock(m_mutex);
    m_source = nullptr;
}

bool VirtualAudioBackend::inputOpen() const {
    std::lock_guard lock(m_mutex);
    return m_sink != nullptr;
}

bool VirtualAudioBackend::outputOpen() const {
    std::lock_guard lock(m_mutex);
    return m_source != nullptr;
}

void VirtualAudioBackend::setMicrophone(std::vector<Segment> programme, bool loop) {
    std::lock_guard lock(m_mutex);
    m_programme = std::move(programme);
    m_loop = loop;
    m_segment = 0;
    m_segmentFrame = 0;
}

void VirtualAudioBackend::setMicrophoneTone(double dbfs, double frequency) {
    Segment tone;
    tone.frames = qint64(m_rate) * 3600;
    tone.amplitude = std::pow(10.0, dbfs / 20.0);
    tone.frequency = frequency;
    setMicrophone({tone}, true);
}

bool VirtualAudioBackend::setMicrophoneFile(const QString& path, bool loop) {
    clsWaveFile wave;
    if (!wave.FileRead(path) || wave.RecordingChannels() < 1 || wave.RecordingSampleRate() < 1000 ||
        (wave.RecordingSampleSize() != 8 && wave.RecordingSampleSize() != 16))
        return false;
    const int channels = wave.RecordingChannels(), bits = wave.RecordingSampleSize();
    const QByteArray& bytes = wave.SampleData();
    const std::size_t frames = std::size_t(bytes.size()) / std::size_t(wave.BytesPerSample());
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    std::vector<float> mic(frames * std::size_t(m_micChannels));
    for (std::size_t f = 0; f < frames; ++f)
        for (int c = 0; c < m_micChannels; ++c) {
            const std::size_t at =
                (f * std::size_t(channels) + std::size_t(std::min(c, channels - 1))) * (bits / 8);
            mic[f * std::size_t(m_micChannels) + std::size_t(c)] =
                bits == 8 ? float(int(p[at]) - 128) / 128.0f
                          : float(qint16(quint16(p[at] | p[at + 1] << 8))) / 32768.0f;
        }
    Segment segment;
    if (wave.RecordingSampleRate() == m_rate) {
        segment.samples = std::move(mic);
    } else {
        const double ratio = double(m_rate) / wave.RecordingSampleRate();
        segment.samples.resize(std::size_t(double(frames) * ratio + 16) * std::size_t(m_micChannels));
        SRC_DATA d{};
        d.data_in = mic.data();
        d.input_frames = long(frames);
        d.data_out = segment.samples.data();
        d.output_frames = long(segment.samples.size() / std::size_t(m_micChannels));
        d.src_ratio = ratio;
        if (src_simple(&d, SRC_SINC_MEDIUM_QUALITY, m_micChannels) != 0) return false;
        segment.samples.resize(std::size_t(d.output_frames_gen) * std::size_t(m_micChannels));
    }
    segment.frames = qint64(segment.samples.size() / std::size_t(m_micChannels));
    setMicrophone({std::move(segment)}, loop);
    return true;
}

std::vector<float> VirtualAudioBackend::takeSpeakerSamples() {
    std::lock_guard lock(m_mutex);
    std::vector<float> out;
    out.swap(m_speaker);
    return out;
}

void VirtualAudioBackend::fillMicrophone(float* out, int frames) {
    for (int f = 0; f < frames; ++f, ++m_micFrame) {
        while (m_segment < m_programme.size() && m_segmentFrame >= m_programme[m_segment].frames) {
            ++m_segment;
            m_segmentFrame = 0;
            if (m_segment == m_programme.size() && m_loop) m_segment = 0;
        }
        for (int c = 0; c < m_micChannels; ++c) {
            float v = 0.0f;
            if (m_segment < m_programme.size()) {
                const Segment& s = m_programme[m_segment];
                if (!s.samples.empty()) {
                    const std::size_t i = std::size_t(m_segmentFrame) * m_micChannels + c;
                    v = i < s.samples.size() ? s.samples[i] : 0.0f;
                } else if (s.amplitude > 0) {
                    v = float(s.amplitude *
                              std::sin(2 * std::numbers::pi * s.frequency * double(m_micFrame) / m_rate));
                }
            }
            out[f * m_micChannels + c] = v;
        }
        if (m_segment < m_programme.size()) ++m_segmentFrame;
    }
}

void VirtualAudioBackend::tick() {
    std::lock_guard lock(m_mutex);
    m_lastBuffer.store(std::chrono::duration_cast<std::chrono::nanoseconds>(
                           std::chrono::steady_clock::now().time_since_epoch())
                           .count());
    if (m_sink) {
        fillMicrophone(m_inBuffer.data(), m_period);
        m_sink->audioInput(m_inBuffer.data(), m_period);
    }
    if (m_source) {
        m_source->audioOutput(m_outBuffer.data(), m_period, m_spkChannels);
        // Keep at most ten minutes, so a long headless session does not grow for ever.
        if (m_speaker.size() < std::size_t(m_rate) * 600 * m_spkChannels)
            m_speaker.insert(m_speaker.end(), m_outBuffer.begin(), m_outBuffer.end());
    }
    m_elapsed += m_period;
}

void VirtualAudioBackend::advance(qint64 frames) {
    for (qint64 done = 0; done < frames; done += m_period)
        tick();
}

void VirtualAudioBackend::runClock() {
    using namespace std::chrono;
    const auto period = duration_cast<steady_clock::duration>(duration<double>(double(m_period) / m_rate));
    auto next = steady_clock::now() + period;
    std::unique_lock lock(m_mutex);
    while (!m_quit) {
        // Idle devices do not tick: no wake-ups while nothing is open.
        if (!m_sink && !m_source) {
            m_wake.wait(lock, [this] { return m_quit || m_sink || m_source; });
            next = steady_clock::now() + period;
            continue;
        }
        m_wake.wait_until(lock, next, [this] { return m_quit; });
        if (m_quit) break;
        lock.unlock();
        tick();
        lock.lock();
        next += period;
    }
}

} // namespace vd
