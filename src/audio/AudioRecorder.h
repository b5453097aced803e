#pragma once
// Our audio recording control: records into and plays wave files on disk
// through an AudioBackend.
//
// Threads. The backend's real-time callbacks only move float frames through
// lock-free rings and update atomics. A worker thread does everything else
// while audio runs: channel mapping, rate conversion (libsamplerate), voice
// activation, sample encoding and file writing for recording; file reading,
// time stretch (SoundTouch), conversion and gain for playback. The GUI thread
// starts and stops sessions and polls state, position and levels.
//
// Latency. The input stream stays open while a file is loaded (standby), so
// Record starts writing with the very next captured buffer and never opens a
// device.
//
// Safety. While recording, the wave header is patched for every second of
// audio written (and at least once a second of wall time), so a crash loses
// at most about a second and the file left behind opens and plays. An insert
// is recorded into its own wave file beside the recording and spliced in on
// Stop; the time until capture starts does not depend on the recording's
// length.
//
// State(): 0 no file, 1 stopped, 3 recording (also calibrating), 4 playing.
// Failures (no file, unreadable file, unsupported format, no device) throw
// vd::Failure for the calling procedure's error guard, like the in-memory
// recorder.

#include "AudioBackend.h"
#include "AudioRecordingControl.h"
#include "FloatRing.h"

#include <atomic>
#include <memory>
#include <thread>

namespace vd {

class AudioRecorder : public AudioRecordingControl, private AudioInputSink, private AudioOutputSource {
    Q_OBJECT
public:
    explicit AudioRecorder(std::unique_ptr<AudioBackend> backend, QObject* parent = nullptr);
    ~AudioRecorder() override;

    int SampleRate() const override { return m_sampleRate; }
    void setSampleRate(int value) override { m_sampleRate = value; }
    short BitsPerSample() const override { return m_bits; }
    void setBitsPerSample(short value) override { m_bits = value; }
    short Channels() const override { return m_channels; }
    void setChannels(short value) override { m_channels = value; }
    // Kept for the caller; the file format is fixed to PCM.
    short FormatOption() const override { return m_formatOption; }
    void setFormatOption(short value) override { m_formatOption = value; }
    short FileOption() const override { return m_fileOption; }
    void setFileOption(short value) override { m_fileOption = value; }
    // 1: the next Record after CalibrationStart measures levels only.
    short CalibrationMode() const override { return m_calibrationMode; }
    void setCalibrationMode(short value) override { m_calibrationMode = value; }

    short State() const override;

    void Reset() override;
    void Stop() override;
    void FileNew(QString& strFilePath) override;
    void FileOpen(QString& strFilePath) override;
    void CalibrationStart() override;
    void Record() override;
    void Play() override;

    qint32 TotalSamples() const override;
    double TotalSeconds() const override;
    qint32 PositionSamples() const override;
    void setPositionSamples(qint32 value) override;
    double PositionSeconds() const override;
    void setPositionSeconds(double value) override;

    // Peak input level of the latest buffer in dBFS (-100 … 0); state 1 while
    // the input clips. The second pair repeats the level and gives VoxState.
    void LevelsGet(float& sngLevel, short& intState, float& sngLevel2, short& intState2) override;

    qint32 RecordingDeviceCount() const override;
    qint32 PlaybackDeviceCount() const override;
    QString RecordingDeviceName(qint32 lngDevice) const override;
    QString PlaybackDeviceName(qint32 lngDevice) const override;
    qint32 RecordingDeviceID() const override { return m_recordingDevice; }
    void setRecordingDeviceID(qint32 value) override;
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
    short VoxState() const override { return m_voxPaused.load() ? 1 : 0; }
    short VoxWaitTimeTenths() const override { return m_voxWait; }
    void setVoxWaitTimeTenths(short value) override { m_voxWait = value; }
    // Applies from the next Play; clamped to 30 … 300.
    short PlaybackRate() const override { return m_rate; }
    void setPlaybackRate(short value) override { m_rate = value; }
    short OutputVolume() const override { return m_volume; }
    void setOutputVolume(short value) override;

    AudioBackend& backend() const { return *m_backend; }
    // Returns once the worker has handled everything captured so far and
    // topped up playback: lets clock-driven tests stay sample-exact.
    void Synchronize();
    // Whether the input stream is open (standby or recording).
    bool InputOpen() const { return m_inputOpen; }

private:
    struct WaveLayout {
        int rate = 0, channels = 0, bits = 0;
        qint64 dataOffset = 0, dataBytes = 0;
        int frameBytes() const { return channels * bits / 8; }
        qint64 frames() const { return frameBytes() > 0 ? dataBytes / frameBytes() : 0; }
    };
    struct RecordSession;
    struct PlaySession;

    void audioInput(const float* frames, int count) noexcept override;
    void audioOutput(float* frames, int count, int channels) noexcept override;

    void workerLoop();
    void workRecording(RecordSession& s);
    void workPlayback(PlaySession& s);
    void wakeWorker() noexcept;

    void openInputStream();
    void closeInputStream() noexcept;
    void closeFile() noexcept;
    void stopRecording();
    void stopPlayback(bool emitEnded);
    void reapPlayback();
    void onPlaybackDrained(quint64 id);
    qint64 playPosition() const;
    int fileRate() const;

    std::unique_ptr<AudioBackend> m_backend;

    // Properties
    int m_sampleRate = 11025;
    short m_bits = 16, m_channels = 1, m_formatOption = 0, m_fileOption = 0, m_calibrationMode = 0;
    qint32 m_recordingDevice = -1, m_playbackDevice = -1;
    short m_insertMode = 0, m_voxActive = 0, m_voxWait = 5, m_rate = 100, m_volume = 100;
    float m_voxStart = -24.0f, m_voxStop = -30.0f;

    // GUI-thread state
    short m_state = StateClosed;
    bool m_calibrating = false;
    bool m_fileOpen = false;
    QString m_path;
    WaveLayout m_layout;
    qint64 m_position = 0;
    std::unique_ptr<RecordSession> m_recSession;
    std::unique_ptr<PlaySession> m_playSession;
    quint64 m_nextPlayId = 1;

    // Input stream (real-time producer, worker consumer)
    bool m_inputOpen = false;
    qint32 m_inputDevice = -1; // the device the open input stream uses
    StreamFormat m_inFormat;
    FloatRing m_inRing;
    std::atomic<bool> m_inputReady{false};
    std::atomic<float> m_levelDb{-100.0f};
    std::atomic<int> m_overload{0};
    std::atomic<std::uint64_t> m_inputDropped{0};
    std::atomic<bool> m_voxPaused{false};
    std::atomic<float> m_gain{1.0f};

    // Sessions as the worker and the real-time callback see them
    std::atomic<RecordSession*> m_rec{nullptr};
    std::atomic<PlaySession*> m_play{nullptr};

    // Worker
    std::atomic<std::uint32_t> m_wake{0};
    std::atomic<std::uint64_t> m_syncRequest{0};
    std::atomic<std::uint64_t> m_syncDone{0};
    std::atomic<bool> m_quit{false};
    std::thread m_worker;
};

// The recorder the control uses unless told otherwise: an AudioRecorder on the
// configured backend (see CreateAudioBackend); notice tells of a fallback.
std::unique_ptr<AudioRecordingControl> CreateDefaultAudioRecorder(QString* notice = nullptr);

} // namespace vd
