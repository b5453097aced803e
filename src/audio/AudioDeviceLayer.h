#pragma once
// The thin layer between the control and its audio recording control:
// devices by name, recording format, voice activation, playback rate and
// volume. Setting changes are reported through a callback that the control
// turns into its AudioSettingChanged event.

#include "AudioRecordingControl.h"

#include <VantorDictation4/DictationEnums.h>

#include <functional>
#include <memory>

namespace vd {

struct RecordingQuality {
    int samples = 0;
    short sampleSize = 0;
    short channels = 0;
};
// A setting of 0 means the default for the recording type.
RecordingQuality ResolveQuality(RecordingQuality setting, VantorDictation4::gdenmRecordingType type);

// Device number for a recording device name on a recorder: -1 for "Windows
// Default" or a name that matches no device.
qint32 RecordingDeviceIDFromName(const AudioRecordingControl& recorder, const QString& name);

class AudioDeviceLayer {
public:
    using SettingChanged =
        std::function<void(const char* name, const QString& oldValue, const QString& newValue)>;

    explicit AudioDeviceLayer(SettingChanged onChange);

    AudioRecordingControl* recorder() const { return m_recorder.get(); }
    void setRecorder(std::unique_ptr<AudioRecordingControl> recorder);

    // Resets the recorder (closing its file), selects the devices and applies
    // the format, voice activation and rate.
    void AudioControlConfigure(const RecordingQuality& resolved);

    qint32 DeviceRecordingIDFromName(const QString& name) const;
    qint32 DevicePlaybackIDFromName(const QString& name) const;
    QString DeviceRecordingList() const;
    QString DevicePlaybackList() const;
    QString DeviceRecordingName() const;
    void setDeviceRecordingName(const QString& name);
    QString DevicePlaybackName() const;
    void setDevicePlaybackName(const QString& name);

    bool VoxActive() const;
    void setVoxActive(bool value);
    float VoxStartVolume() const;
    void setVoxStartVolume(float value);
    float VoxStopVolume() const;
    void setVoxStopVolume(float value);
    short VoxWaitTimeTenths() const;
    void setVoxWaitTimeTenths(short value);
    short PlaybackAudioRate() const;
    void setPlaybackAudioRate(short value);
    // Output gain of the player in percent on the device named by
    // DevicePlaybackName; -1 when that name gives no device number.
    short VolumePlayback() const;
    void setVolumePlayback(short value);
    // Output device number for a playback device name: the first whose name
    // (at most 32 characters, trimmed, upper case) matches; otherwise -1 with
    // fewer than two devices, else 0.
    qint32 GetDeviceIDPlayback(const QString& name) const;

    // Background of lblLevelColor (colour as 0x00BBGGRR) for one display tick.
    qint32 LevelIndicatorColor(VantorDictation4::gdenmRecordingMode mode, bool displayVoxLevelColor,
                               qint32 background) const;

private:
    SettingChanged m_onChange;
    std::unique_ptr<AudioRecordingControl> m_recorder;
    QString m_recordingName, m_playbackName;
    bool m_voxActive = false;
    float m_voxStart = 0, m_voxStop = 0;
    short m_voxWait = 0;
    short m_rate = 100;
};

} // namespace vd
