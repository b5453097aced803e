#pragma once
// The control's instance state, owned by the Dictation facade.

#include <VantorDictation4/Dictation.h>

#include "ControlStrip.h"
#include "StatusDisplay.h"
#include "audio/AudioDeviceLayer.h"
#include "common/ErrorGuard.h"
#include "common/RecordingData.h"

#include <QPointer>
#include <QTimer>

namespace vd {

class Transport;
constexpr const char* kDictationClass = "Dictation Class";

struct ConnectionSettingsData {
    QString address;
    qint32 port = 0;
    QString entityCode, entityName, userName, password;
};

struct DisplayFlags {
    bool nextDictationButton = false, dictationListButton = false, recordButton = false, insertButton = false,
         editButton = false, levels = false, voxLevelColor = false, dictationName = false, status = false,
         voiceRecognition = false, timer = false;
};

struct DictationPrivate {
    explicit DictationPrivate(Dictation* owner);

    Dictation* q;
    RecordingData data;
    VantorDictation4::gdenmRecordingMode mode = VantorDictation4::RecordingMode_None;
    bool conferenceMode = false;

    // Settings
    bool haltEvents = false;
    bool useDragonRoaming = false;
    bool ignoreHook = false;
    DisplayFlags display;
    short appearance = 0;
    qint32 rewindMs = 0, forwardMs = 0, rewindAfterPlayMs = 0;
    VantorDictation4::gdenmFootpedalAction pedalLeft = VantorDictation4::FootpedalAction_Rewind;
    VantorDictation4::gdenmFootpedalAction pedalMiddle = VantorDictation4::FootpedalAction_Play;
    VantorDictation4::gdenmFootpedalAction pedalRight = VantorDictation4::FootpedalAction_Forward;
    qint32 transcribePauseMs = 100;
    float transcribePauseThreshold = 0.3f;
    bool dragonspeakEnabled = false;
    VantorDictation4::gdenmDragonbarMode dragonbarMode = VantorDictation4::DragonbarMode_DockedTop;
    QString dragonSpeaker;
    qint32 dragonSource = 0;
    VantorDictation4::gdenmDragonRoamingMode dragonRoamingMode = VantorDictation4::DragonRoamingMode_None;
    bool dragonAudioSave = false;
    bool dragonMicrophoneOn = false;
    VantorDictation4::gdenmRecognitionMode recognitionMode = VantorDictation4::RecognitionMode_Unknown;
    VantorDictation4::gdenmRecognitionMode previousRecognitionMode =
        VantorDictation4::RecognitionMode_Unknown;
    qint32 hiddenModeTextControl = 0;
    bool speechmikeClassic = false, noInitSpeechmikePro = false, noInitFootpedals = false;
    bool disableCompression = false, dictationCheckSecurity = false;
    bool listDisplayIncludeArchive = false, listIncludeArchive = false;
    QString listSortOrder, listSelectionAuthor = QStringLiteral("*"),
                           listSelectionExclusionAuthor = QStringLiteral("*");
    short listSelectionPriority = 0;
    VantorDictation4::genmWorkflowTrackingDictation trackingDictation =
        VantorDictation4::WorkflowTrackingDictation_None;
    VantorDictation4::genmWorkflowTrackingVoiceRecognition trackingVoiceRecognition =
        VantorDictation4::WorkflowTrackingVoiceRecognition_None;
    VantorDictation4::genmWorkflowTrackingTranscription trackingTranscription =
        VantorDictation4::WorkflowTrackingTranscription_None;
    bool workflowShowHistory = false, workflowShowNotes = false, workflowShowImages = false;
    bool workflowAutoShowHist = false, workflowAutoShowImage = false;
    qint32 workflowLeft = 0, workflowTop = 0, workflowWidth = 0, workflowHeight = 0;
    QPointer<clsButtonCommand> buttonCommand;
    QString temporaryFolder;
    ConnectionSettingsData connection;

    // Internal flags
    bool initialized = false;
    bool dragonSpeakAvailable = false;
    bool speechMikeProAvailable = false, footpedalsAvailable = false;
    bool externalTextWaiting = false, audioFileRecognitionRunning = false;
    bool applicationSwitchInitialized = false, applicationSwitching = false;
    bool loadedFromFile = false;
    short rememberedPlaybackVolume = -1;

    AudioDeviceLayer audio;
    ControlStrip strip;
    StatusDisplay status{strip};
    Transport* transport = nullptr; // owned by the control
    QTimer* tmrTimer;
    QTimer* tmrMovementRepeat;
    QTimer* tmrShowEOL;
    QTimer* tmrDelayedApplicationSwitch;
    QTimer* tmrDelayedTextPaste;
    QTimer* tmrUpdateUserProfiles;

    // Raises AudioSettingChanged unless setting events are halted.
    void settingChanged(const char* name, const QString& oldValue, const QString& newValue);
    // Store a changed setting and report it.
    template <class T> void changeSetting(const char* name, T& field, const T& value);

    void resetRecordingData(bool resetDisplayFlags, bool resetRecordingType);
    // Folder plus "Dictation_" / "PhoneMessage_" as the process-wide name prefix.
    void setFileRoot(QString folder);
    RecordingQuality settingsQuality() const;
    // Prepares the audio recording control with the settings' quality, or
    // with the current recording's own quality when it was stored.
    void configureAudio(bool useSettings = true);
    // Temporary wave file name for a recording that has none.
    QString temporaryFileName() const;
    bool authorRuleHolds() const;
    void refreshDictationName();
    void refreshTooltips();
    StatusInputs statusInputs() const;

    // Recording operations
    void modeChanged(bool dictating, bool standby, bool overwrite, const QString& text);
    // Runs the display poll while audio runs (only when the timer is displayed).
    void timeDisplayEnable(bool enabled);
    // Moves the position; 0 ms means to the beginning or the end.
    void mediaFastMove(bool backward, qint32 milliseconds);
    void createNewRecording();
    void clearRecordingWork();
    void pauseRunning();
    // Level indicator: black while voice activation pauses, red on overload,
    // green at or above the start volume, yellow below; else the background.
    void refreshLevelColor();

    // Persistence
    void stampEditDates();
    // Shows a transient text ("Saving", "Reading") in the timer; empty clears it.
    void timerText(const QString& text);
    void readFailed();
    // Shows the open recording's data form; true (and RecordingFormDataSaved) when saved.
    bool editInForm();
    // Timer text from the audio position; always reports the position to the host.
    void updateTimerDisplay();
};

QString SettingText(bool value);
QString SettingText(const QString& value);
template <class T> QString SettingText(const T& value) {
    if constexpr (std::is_enum_v<T>)
        return QString::number(int(value));
    else
        return QString::number(value);
}

template <class T> void DictationPrivate::changeSetting(const char* name, T& field, const T& value) {
    if (field == value) return;
    const T old = field;
    field = value;
    settingChanged(name, SettingText(old), SettingText(value));
}

// Setup string of ControlUnload / ControlLoad.
constexpr int kSetupFieldCount = 89;
QString SetupStringBuild(Dictation& control);
// Applies the fields in order; returns false (applying nothing) on a wrong count.
bool SetupStringApply(Dictation& control, const QString& setup);

} // namespace vd
