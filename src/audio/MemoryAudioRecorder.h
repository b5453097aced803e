#pragma once
// An audio recording control that keeps its "files" in memory and moves only
// when told to: for tests of everything above the recorder.

#include "AudioRecordingControl.h"

#include <QHash>
#include <QStringList>
#include <QVector>

namespace vd {

class MemoryAudioRecorder : public AudioRecordingControl {
    Q_OBJECT
public:
    explicit MemoryAudioRecorder(QObject* parent = nullptr);

    int SampleRate() const override { return m_sampleRate; }
    void setSampleRate(int value) override { m_sampleRate = value; }
    short BitsPerSample() const override { return m_bits; }
    void setBitsPerSample(short value) override { m_bits = value; }
    short Channels() const override { return m_channels; }
    void setChannels(short value) override { m_channels = value; }
    short FormatOption() const override { return m_formatOption; }
    void setFormatOption(short value) override { m_formatOption = value; }
    short FileOption() const override { return m_fileOption; }
    void setFileOption(short value) override { m_fileOption = value; }
    short CalibrationMode() const override { return m_calibrationMode; }
    void setCalibrationMode(short value) override { m_calibrationMode = value; }
    short State() const override { return m_state; }

    void Reset() override;
    void Stop() override;
    void FileNew(QString& strFilePath) override;
    void FileOpen(QString& strFilePath) override;
    void CalibrationStart() override { m_calibrating = true; }
    void Record() override;
    void Play() override;

    qint32 TotalSamples() const override;
    double TotalSeconds() const override;
    qint32 PositionSamples() const override { return m_position; }
    void setPositionSamples(qint32 value) override;
    double PositionSeconds() const override;
    void setPositionSeconds(double value) override;

    void LevelsGet(float& sngLevel, short& intState, float& sngLevel2, short& intState2) override;

    qint32 RecordingDeviceCount() const override { return qint32(recordingDevices.size()); }
    qint32 PlaybackDeviceCount() const override { return qint32(playbackDevices.size()); }
    QString RecordingDeviceName(qint32 lngDevice) const override { return recordingDevices.value(lngDevice); }
    QString PlaybackDeviceName(qint32 lngDevice) const override { return playbackDevices.value(lngDevice); }
    qint32 RecordingDeviceID() const override { return m_recordingDevice; }
    void setRecordingDeviceID(qint32 value) override { m_recordingDevice = value; }
    qint32 PlaybackDeviceID() const override { return m_playbackDevice; }
    void setPlaybackDeviceID(qint32 value) override { m_playbackDevice = value; }

    short InsertMode() const override { return m_insertMode; }
    void setInsertMode(short value) override { m_insertMode = value; }
    short VoxActive() const override { return m_voxActive; }
    void setVoxActive(short value) override { m_voxActive = value; }
    float VoxStartVolume() const override { return m_voxStart; }
    void setVoxStartVolume(float value) override { m_voxStart = value; }
    float VoxStopVolume() const override { return m_voxStop; }
    void setVoxStopVolume(float value) override { m_voxStop = value; }
    short VoxState() const override { return voxState; }
    short VoxWaitTimeTenths() const override { return m_voxWait; }
    void setVoxWaitTimeTenths(short value) override { m_voxWait = value; }
    short PlaybackRate() const override { return m_rate; }
    void setPlaybackRate(short value) override { m_rate = value; }
    short OutputVolume() const override { return m_volume; }
    void setOutputVolume(short value) override { m_volume = value; }

    // Test controls: capture samples (at the position, inserting or
    // overwriting), advance playback, and inspect the files.
    void capture(const QVector<qint16>& samples);
    void advancePlayback(qint32 samples);
    QVector<qint16> samples(const QString& path) const { return m_files.value(path); }
    QString openFile() const { return m_open; }

    QStringList recordingDevices;
    QStringList playbackDevices;
    float level = -100.0f;
    short overload = 0;
    short voxState = 0;

private:
    QHash<QString, QVector<qint16>> m_files;
    QString m_open;
    int m_sampleRate = 11025;
    short m_bits = 8, m_channels = 1, m_formatOption = 0, m_fileOption = 0, m_calibrationMode = 0;
    short m_state = StateClosed;
    bool m_calibrating = false;
    qint32 m_position = 0;
    qint32 m_recordingDevice = -1, m_playbackDevice = -1;
    short m_insertMode = 0, m_voxActive = 0, m_voxWait = 5, m_rate = 100, m_volume = 100;
    float m_voxStart = -24.0f, m_voxStop = -30.0f;
};

} // namespace vd
