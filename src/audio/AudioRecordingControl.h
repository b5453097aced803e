#pragma once
// The audio recording control as the rest of the system sees it: a recorder
// and player of one wave file at a time, driven by properties and methods,
// polled for state, position and levels. Order of use: Reset, device and
// format properties, FileNew or FileOpen; Record or Play start at the
// position, Stop ends them; moving sets a position property.

#include <QObject>
#include <QString>

namespace vd {

class AudioRecordingControl : public QObject {
    Q_OBJECT
public:
    // Values of State(): only 3 and 4 mean audio is running.
    enum StateValue { StateClosed = 0, StateStopped = 1, StateRecording = 3, StatePlaying = 4 };

    using QObject::QObject;

    // Format of new recordings
    virtual int SampleRate() const = 0;
    virtual void setSampleRate(int value) = 0;
    virtual short BitsPerSample() const = 0;
    virtual void setBitsPerSample(short value) = 0;
    virtual short Channels() const = 0;
    virtual void setChannels(short value) = 0;
    virtual short FormatOption() const = 0;
    virtual void setFormatOption(short value) = 0;
    virtual short FileOption() const = 0;
    virtual void setFileOption(short value) = 0;
    virtual short CalibrationMode() const = 0;
    virtual void setCalibrationMode(short value) = 0;

    virtual short State() const = 0;

    // Files and transport
    virtual void Reset() = 0;
    virtual void Stop() = 0;
    virtual void FileNew(QString& strFilePath) = 0;
    virtual void FileOpen(QString& strFilePath) = 0;
    virtual void CalibrationStart() = 0;
    virtual void Record() = 0;
    virtual void Play() = 0;

    // Position and length
    virtual qint32 TotalSamples() const = 0;
    virtual double TotalSeconds() const = 0;
    virtual qint32 PositionSamples() const = 0;
    virtual void setPositionSamples(qint32 value) = 0;
    virtual double PositionSeconds() const = 0;
    virtual void setPositionSeconds(double value) = 0;

    // Input level in dBFS (-100 … 0) and overload state (1 while clipping).
    virtual void LevelsGet(float& sngLevel, short& intState, float& sngLevel2, short& intState2) = 0;

    // Devices: 0 … count - 1; -1 is the system default.
    virtual qint32 RecordingDeviceCount() const = 0;
    virtual qint32 PlaybackDeviceCount() const = 0;
    virtual QString RecordingDeviceName(qint32 lngDevice) const = 0;
    virtual QString PlaybackDeviceName(qint32 lngDevice) const = 0;
    virtual qint32 RecordingDeviceID() const = 0;
    virtual void setRecordingDeviceID(qint32 value) = 0;
    virtual qint32 PlaybackDeviceID() const = 0;
    virtual void setPlaybackDeviceID(qint32 value) = 0;

    // 1 insert, 0 overwrite
    virtual short InsertMode() const = 0;
    virtual void setInsertMode(short value) = 0;

    // Voice activation
    virtual short VoxActive() const = 0;
    virtual void setVoxActive(short value) = 0;
    virtual float VoxStartVolume() const = 0;
    virtual void setVoxStartVolume(float value) = 0;
    virtual float VoxStopVolume() const = 0;
    virtual void setVoxStopVolume(float value) = 0;
    virtual short VoxState() const = 0; // 1 while paused by voice activation
    virtual short VoxWaitTimeTenths() const = 0;
    virtual void setVoxWaitTimeTenths(short value) = 0;

    // Playback speed in percent (30 … 300)
    virtual short PlaybackRate() const = 0;
    virtual void setPlaybackRate(short value) = 0;

    // Output gain of the player in percent (0 … 100): the playback volume.
    virtual short OutputVolume() const = 0;
    virtual void setOutputVolume(short value) = 0;

Q_SIGNALS:
    // End of play (the player reached the end or was stopped).
    void PlayEnded(qint32 lngReason);
};

} // namespace vd
