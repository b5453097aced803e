#pragma once
// The audio settings dialogs opened from the command menu: playback options,
// voice-activated recording with calibration, volumes, and devices with the
// foot-pedal actions. Each returns FormCancel and SavePermanently with its
// own results.

#include <VantorDictation4/DictationEnums.h>

#include <QDialog>

#include <memory>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QSlider;
class QTimer;

namespace vd {

class AudioRecordingControl;

// Save and Cancel buttons, the save-permanently box and the colour scheme.
class SettingsForm : public QDialog {
    Q_OBJECT
public:
    bool FormCancel() const { return m_cancel; }
    bool SavePermanently() const;
    // cmdSave's work: false when the form's own validation refused.
    bool save();

protected:
    SettingsForm(QWidget* owner, const char* formName, const QString& title, const char* module);
    // Adds the form's controls above the buttons.
    void addBody(QLayout* body);
    virtual bool store() = 0;
    const char* m_module;

private:
    QCheckBox* m_savePermanently;
    bool m_cancel = true;
};

class frmOptions : public SettingsForm {
    Q_OBJECT
public:
    explicit frmOptions(QWidget* owner = nullptr);
    void Initialize(int rate, qint32 rewindMs, qint32 forwardMs, qint32 rewindAfterPlayMs);
    // 30, 50, 64, 80, 100, 120, 144, 175, 210, 250 or 300 for any rate.
    static int SnapRate(int rate);

    short PlaybackAudioRate() const { return m_rate; }
    qint32 RewindMilliseconds() const { return m_rewind; }
    qint32 ForwardMilliseconds() const { return m_forward; }
    qint32 RewindAfterPlayMilliseconds() const { return m_afterPlay; }

    // Up-down buttons: which box (0 rewind, 1 forward, 2 rewind after play).
    void step(int box, bool up);
    // Checks one box as leaving it does; false (with a message) when refused.
    bool validate(int box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool store() override;
    QComboBox* m_rateBox;
    QLineEdit* m_boxes[3];
    short m_rate = 100;
    qint32 m_rewind = 0, m_forward = 0, m_afterPlay = 0;
};

class frmVoxOptions : public SettingsForm {
    Q_OBJECT
public:
    // calibration: the dialog's own recorder instance (owned by the form).
    explicit frmVoxOptions(std::unique_ptr<AudioRecordingControl> calibration, QWidget* owner = nullptr);
    ~frmVoxOptions() override;
    void Initialize(const QString& recordingDevice, bool active, float start, float stop, short waitTenths);

    bool VoxActive() const { return m_active; }
    float VoxStartVolume() const { return m_start; }
    float VoxStopVolume() const { return m_stop; }
    short VoxWaitTimeTenths() const { return m_wait; }

    void calibrate();
    // Sets the sliders from an average input level, as a calibration does.
    void applyCalibration(double averageLevel);
    QSlider* slider(const char* name) const;

private:
    bool store() override;
    void tick();
    std::unique_ptr<AudioRecordingControl> m_calibration;
    QCheckBox* m_activeBox;
    QSlider *m_startSlider, *m_stopSlider, *m_waitSlider;
    QTimer* m_timer;
    int m_ticks = 0;
    double m_sum = 0;
    bool m_active = false;
    float m_start = -24, m_stop = -30;
    short m_wait = 5;
};

class frmVolumeSettings : public SettingsForm {
    Q_OBJECT
public:
    explicit frmVolumeSettings(QWidget* owner = nullptr);
    void Initialize(short recording, short playback);
    short VolumeRecording() const { return m_recording; }
    short VolumePlayback() const { return m_playback; }

private:
    bool store() override;
    QSlider *m_recordingSlider, *m_playbackSlider;
    short m_recording = 70, m_playback = 70;
};

class frmDeviceSelection : public SettingsForm {
    Q_OBJECT
public:
    explicit frmDeviceSelection(QWidget* owner = nullptr);
    void Initialize(const QString& recordingList, const QString& playbackList, const QString& recordingName,
                    const QString& playbackName, VantorDictation4::gdenmFootpedalAction left,
                    VantorDictation4::gdenmFootpedalAction middle,
                    VantorDictation4::gdenmFootpedalAction right);
    QString DeviceRecordingName() const { return m_recordingName; }
    QString DevicePlaybackName() const { return m_playbackName; }
    VantorDictation4::gdenmFootpedalAction FootpedalActionLeft() const { return m_actions[0]; }
    VantorDictation4::gdenmFootpedalAction FootpedalActionMiddle() const { return m_actions[1]; }
    VantorDictation4::gdenmFootpedalAction FootpedalActionRight() const { return m_actions[2]; }

private:
    bool store() override;
    QListWidget *m_recordingList, *m_playbackList;
    QRadioButton* m_options[3][4];
    QString m_recordingName, m_playbackName;
    VantorDictation4::gdenmFootpedalAction m_actions[3] = {};
};

} // namespace vd
