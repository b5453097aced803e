#include "AudioDeviceLayer.h"

#include <QStringList>

#include <cmath>

namespace vd {

using namespace VantorDictation4;

namespace {
const QString kDefaultDevice = QStringLiteral("Windows Default");

QString normalised(const QString& name) { return name.trimmed().toUpper(); }

template <class NameOf> qint32 idFromName(const QString& name, qint32 count, NameOf nameOf) {
    const QString wanted = normalised(name);
    if (wanted == normalised(kDefaultDevice)) return -1;
    for (qint32 i = 0; i < count; ++i)
        if (normalised(nameOf(i)) == wanted) return i;
    return -1;
}

template <class NameOf> QString deviceList(qint32 count, NameOf nameOf) {
    if (count <= 0) return QString();
    QStringList names{kDefaultDevice};
    for (qint32 i = 0; i < count; ++i)
        names << nameOf(i);
    return names.join(u'\t');
}
} // namespace

RecordingQuality ResolveQuality(RecordingQuality setting, gdenmRecordingType type) {
    RecordingQuality q = setting;
    if (q.samples == 0)
        q.samples = type == RecordingType_Dictation ? 11025 : type == RecordingType_PhoneMessage ? 8000 : 0;
    if (q.sampleSize == 0) q.sampleSize = 8;
    if (q.channels == 0) q.channels = 1;
    return q;
}

AudioDeviceLayer::AudioDeviceLayer(SettingChanged onChange) : m_onChange(std::move(onChange)) {}

void AudioDeviceLayer::setRecorder(std::unique_ptr<AudioRecordingControl> recorder) {
    m_recorder = std::move(recorder);
}

void AudioDeviceLayer::AudioControlConfigure(const RecordingQuality& resolved) {
    AudioRecordingControl& r = *m_recorder;
    r.Reset();
    r.setRecordingDeviceID(DeviceRecordingIDFromName(m_recordingName));
    r.setPlaybackDeviceID(DevicePlaybackIDFromName(m_playbackName));
    r.setSampleRate(resolved.samples);
    r.setBitsPerSample(resolved.sampleSize);
    r.setChannels(resolved.channels);
    r.setVoxStartVolume(m_voxStart == 0 ? -24.0f : m_voxStart);
    r.setVoxStopVolume(m_voxStop == 0 ? -30.0f : m_voxStop);
    r.setVoxWaitTimeTenths(m_voxWait == 0 ? 5 : m_voxWait);
    r.setVoxActive(m_voxActive ? 1 : 0);
    r.setFormatOption(4);
    r.setPlaybackRate(m_rate);
}

qint32 RecordingDeviceIDFromName(const AudioRecordingControl& r, const QString& name) {
    return idFromName(name, r.RecordingDeviceCount(), [&](qint32 i) { return r.RecordingDeviceName(i); });
}

qint32 AudioDeviceLayer::DeviceRecordingIDFromName(const QString& name) const {
    return RecordingDeviceIDFromName(*m_recorder, name);
}

qint32 AudioDeviceLayer::DevicePlaybackIDFromName(const QString& name) const {
    return idFromName(name, m_recorder->PlaybackDeviceCount(),
                      [&](qint32 i) { return m_recorder->PlaybackDeviceName(i); });
}

QString AudioDeviceLayer::DeviceRecordingList() const {
    return deviceList(m_recorder->RecordingDeviceCount(),
                      [&](qint32 i) { return m_recorder->RecordingDeviceName(i); });
}

QString AudioDeviceLayer::DevicePlaybackList() const {
    return deviceList(m_recorder->PlaybackDeviceCount(),
                      [&](qint32 i) { return m_recorder->PlaybackDeviceName(i); });
}

QString AudioDeviceLayer::DeviceRecordingName() const {
    const qint32 id = m_recorder->RecordingDeviceID();
    return id < 0 ? QString() : normalised(m_recorder->RecordingDeviceName(id));
}

QString AudioDeviceLayer::DevicePlaybackName() const {
    const qint32 id = m_recorder->PlaybackDeviceID();
    return id < 0 ? QString() : normalised(m_recorder->PlaybackDeviceName(id));
}

void AudioDeviceLayer::setDeviceRecordingName(const QString& name) {
    const qint32 id = DeviceRecordingIDFromName(name);
    if (id == m_recorder->RecordingDeviceID()) return;
    const QString old = DeviceRecordingName();
    m_recorder->setRecordingDeviceID(id);
    m_recordingName = name;
    m_onChange("DeviceRecordingName", old, name);
}

void AudioDeviceLayer::setDevicePlaybackName(const QString& name) {
    const qint32 id = DevicePlaybackIDFromName(name);
    if (id == m_recorder->PlaybackDeviceID()) return;
    const QString old = DevicePlaybackName();
    m_recorder->setPlaybackDeviceID(id);
    m_playbackName = name;
    m_onChange("DevicePlaybackName", old, name);
}

bool AudioDeviceLayer::VoxActive() const { return m_recorder->VoxActive() > 0; }

void AudioDeviceLayer::setVoxActive(bool value) {
    const bool old = VoxActive();
    if (old == value) return;
    m_recorder->setVoxActive(value ? 1 : 0);
    m_voxActive = value;
    m_onChange("VoxActive", old ? QStringLiteral("True") : QStringLiteral("False"),
               value ? QStringLiteral("True") : QStringLiteral("False"));
}

float AudioDeviceLayer::VoxStartVolume() const { return m_recorder->VoxStartVolume(); }

void AudioDeviceLayer::setVoxStartVolume(float value) {
    const float old = VoxStartVolume();
    if (value < -100.0f || value > 0.0f || value == old) return;
    m_recorder->setVoxStartVolume(value);
    m_voxStart = value;
    m_onChange("VoxStartVolume", QString::number(old), QString::number(value));
}

float AudioDeviceLayer::VoxStopVolume() const { return m_recorder->VoxStopVolume(); }

void AudioDeviceLayer::setVoxStopVolume(float value) {
    const float old = VoxStopVolume();
    if (value < -100.0f || value > 0.0f || value == old) return;
    m_recorder->setVoxStopVolume(value);
    m_voxStop = value;
    m_onChange("VoxStopVolume", QString::number(old), QString::number(value));
}

short AudioDeviceLayer::VoxWaitTimeTenths() const { return m_recorder->VoxWaitTimeTenths(); }

void AudioDeviceLayer::setVoxWaitTimeTenths(short value) {
    const short old = VoxWaitTimeTenths();
    if (value < 0 || value > 20 || value == old) return;
    m_recorder->setVoxWaitTimeTenths(value);
    m_voxWait = value;
    m_onChange("VoxWaitTimeTenths", QString::number(old), QString::number(value));
}

short AudioDeviceLayer::PlaybackAudioRate() const { return m_recorder->PlaybackRate(); }

void AudioDeviceLayer::setPlaybackAudioRate(short value) {
    const short old = PlaybackAudioRate();
    if (value <= 0 || value == old) return;
    m_recorder->setPlaybackRate(value);
    m_rate = value;
    m_onChange("PlaybackAudioRate", QString::number(old), QString::number(value));
}

qint32 AudioDeviceLayer::GetDeviceIDPlayback(const QString& name) const {
    const qint32 n = m_recorder->PlaybackDeviceCount();
    qint32 result = n - 1 < 1 ? -1 : 0;
    const QString wanted = normalised(name);
    for (qint32 i = 0; i < n; ++i) {
        QString product = m_recorder->PlaybackDeviceName(i).left(32);
        if (const qsizetype nul = product.indexOf(QChar(0)); nul >= 0) product.truncate(nul);
        if (normalised(product) == wanted) return i;
    }
    return result;
}

// The player's gain stands for the device volume: 16-bit levels as the
// volume of a wave-output device, reported in percent.
short AudioDeviceLayer::VolumePlayback() const {
    if (GetDeviceIDPlayback(DevicePlaybackName()) < 0) return -1;
    const long level = std::lround(m_recorder->OutputVolume() * 65535.0 / 100.0);
    return short(std::lround(double(level & 0xFFFF) * 100.0 / 65535.0));
}

void AudioDeviceLayer::setVolumePlayback(short value) {
    const short old = VolumePlayback();
    if (value < 0 || value > 100 || value == old) return;
    m_recorder->setOutputVolume(value);
    m_onChange("VolumePlayback", QString::number(old), QString::number(value));
}

qint32 AudioDeviceLayer::LevelIndicatorColor(gdenmRecordingMode mode, bool displayVoxLevelColor,
                                             qint32 background) const {
    if ((mode != RecordingMode_RecordingInsert && mode != RecordingMode_RecordingOverwrite) ||
        m_recorder->VoxActive() <= 0 || !displayVoxLevelColor)
        return background;
    float level = -100, level2 = -100;
    short state = 0, state2 = 0;
    m_recorder->LevelsGet(level, state, level2, state2);
    if (m_recorder->VoxState() == 1) return 0;                    // black: paused by voice activation
    if (state == 1) return 255;                                   // red: overload
    return m_recorder->VoxStartVolume() <= level ? 65280 : 65535; // green, else yellow
}

} // namespace vd
