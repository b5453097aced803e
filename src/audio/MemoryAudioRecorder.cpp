#include "MemoryAudioRecorder.h"

#include "common/ErrorGuard.h"

#include <QFileInfo>

#include <algorithm>

namespace vd {

MemoryAudioRecorder::MemoryAudioRecorder(QObject* parent) : AudioRecordingControl(parent) {}

void MemoryAudioRecorder::Reset() {
    Stop();
    m_open.clear();
    m_position = 0;
    m_calibrating = false;
    m_state = StateClosed;
}

void MemoryAudioRecorder::Stop() {
    const bool wasPlaying = m_state == StatePlaying;
    if (m_state == StateRecording || m_state == StatePlaying) m_state = StateStopped;
    if (wasPlaying) Q_EMIT PlayEnded(0);
}

void MemoryAudioRecorder::FileNew(QString& strFilePath) {
    m_files.insert(strFilePath, {});
    m_open = strFilePath;
    m_position = 0;
    m_state = StateStopped;
}

void MemoryAudioRecorder::FileOpen(QString& strFilePath) {
    // A file on disk opens as an empty recording: this recorder keeps no audio of disk files.
    if (!m_files.contains(strFilePath) && !QFileInfo::exists(strFilePath))
        throw Failure(QStringLiteral("File not found: ") + strFilePath);
    m_open = strFilePath;
    m_position = 0;
    m_state = StateStopped;
}

void MemoryAudioRecorder::Record() {
    if (m_open.isEmpty() && !m_calibrating) throw Failure(QStringLiteral("No file open"));
    m_state = StateRecording;
}

void MemoryAudioRecorder::Play() {
    if (m_open.isEmpty()) throw Failure(QStringLiteral("No file open"));
    m_state = StatePlaying;
}

qint32 MemoryAudioRecorder::TotalSamples() const {
    return qint32(m_files.value(m_open).size() / std::max<short>(m_channels, 1));
}

double MemoryAudioRecorder::TotalSeconds() const {
    return m_sampleRate > 0 ? double(TotalSamples()) / m_sampleRate : 0.0;
}

void MemoryAudioRecorder::setPositionSamples(qint32 value) {
    m_position = std::clamp(value, 0, TotalSamples());
}

double MemoryAudioRecorder::PositionSeconds() const {
    return m_sampleRate > 0 ? double(m_position) / m_sampleRate : 0.0;
}

void MemoryAudioRecorder::setPositionSeconds(double value) {
    setPositionSamples(qint32(value * m_sampleRate));
}

void MemoryAudioRecorder::LevelsGet(float& sngLevel, short& intState, float& sngLevel2, short& intState2) {
    sngLevel = level;
    intState = overload;
    sngLevel2 = level;
    intState2 = 0;
}

void MemoryAudioRecorder::capture(const QVector<qint16>& samples) {
    if (m_state != StateRecording || m_open.isEmpty()) return;
    QVector<qint16>& file = m_files[m_open];
    const qsizetype at = qsizetype(m_position) * std::max<short>(m_channels, 1);
    if (m_insertMode == 1) {
        file.insert(at, samples.size(), 0);
        std::copy(samples.begin(), samples.end(), file.begin() + at);
    } else {
        if (at + samples.size() > file.size()) file.resize(at + samples.size());
        std::copy(samples.begin(), samples.end(), file.begin() + at);
    }
    m_position += qint32(samples.size() / std::max<short>(m_channels, 1));
}

void MemoryAudioRecorder::advancePlayback(qint32 samples) {
    if (m_state != StatePlaying) return;
    m_position = std::min(m_position + samples, TotalSamples());
    if (m_position >= TotalSamples()) {
        m_state = StateStopped;
        Q_EMIT PlayEnded(0);
    }
}

} // namespace vd
