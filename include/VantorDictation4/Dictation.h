#pragma once
// The dictation control. A host places it on a window and drives it through
// its properties, invokable methods and signals (one signal per event, in
// event-identifier order; a bool& Cancel must be answered on a direct
// connection).

#include <QDateTime>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <memory>

#include "DictationEnums.h"
#include "Export.h"
#include "HostComponents.h"
#include "clsButtonCommand.h"
#include "clsVoiceCommand.h"

namespace vd {
struct DictationPrivate;
class AudioRecordingControl;
} // namespace vd

class VD4_EXPORT Dictation : public QWidget {
    Q_OBJECT

    // Settings and behaviour
    Q_PROPERTY(bool AudioSettingHaltEvents READ AudioSettingHaltEvents WRITE setAudioSettingHaltEvents)
    Q_PROPERTY(bool UseDragonRoaming READ UseDragonRoaming WRITE setUseDragonRoaming)
    Q_PROPERTY(bool SplashMessageDisabled READ SplashMessageDisabled WRITE setSplashMessageDisabled)
    Q_PROPERTY(bool IgnoreHook READ IgnoreHook WRITE setIgnoreHook)
    Q_PROPERTY(
        bool DisplayNextDictationButton READ DisplayNextDictationButton WRITE setDisplayNextDictationButton)
    Q_PROPERTY(
        bool DisplayDictationListButton READ DisplayDictationListButton WRITE setDisplayDictationListButton)
    Q_PROPERTY(bool DisplayRecordButton READ DisplayRecordButton WRITE setDisplayRecordButton)
    Q_PROPERTY(bool DisplayInsertButton READ DisplayInsertButton WRITE setDisplayInsertButton)
    Q_PROPERTY(bool DisplayEditButton READ DisplayEditButton WRITE setDisplayEditButton)
    Q_PROPERTY(bool DisplayLevels READ DisplayLevels WRITE setDisplayLevels)
    Q_PROPERTY(bool DisplayVoxLevelColor READ DisplayVoxLevelColor WRITE setDisplayVoxLevelColor)
    Q_PROPERTY(bool DisplayDictationName READ DisplayDictationName WRITE setDisplayDictationName)
    Q_PROPERTY(bool DisplayStatus READ DisplayStatus WRITE setDisplayStatus)
    Q_PROPERTY(bool DisplayVoiceRecognition READ DisplayVoiceRecognition WRITE setDisplayVoiceRecognition)
    Q_PROPERTY(bool DisplayTimer READ DisplayTimer WRITE setDisplayTimer)
    Q_PROPERTY(short AppearanceDisplay READ AppearanceDisplay WRITE setAppearanceDisplay)
    Q_PROPERTY(qint32 ColorFormBackground READ ColorFormBackground WRITE setColorFormBackground)
    Q_PROPERTY(qint32 ColorTextBackground READ ColorTextBackground WRITE setColorTextBackground)
    Q_PROPERTY(qint32 ColorTextForeground READ ColorTextForeground WRITE setColorTextForeground)
    Q_PROPERTY(qint32 ColorRequired READ ColorRequired WRITE setColorRequired)
    Q_PROPERTY(qint32 ColorButton READ ColorButton WRITE setColorButton)
    Q_PROPERTY(qint32 ColorGridSelection READ ColorGridSelection WRITE setColorGridSelection)
    Q_PROPERTY(qint32 RewindMilliseconds READ RewindMilliseconds WRITE setRewindMilliseconds)
    Q_PROPERTY(qint32 ForwardMilliseconds READ ForwardMilliseconds WRITE setForwardMilliseconds)
    Q_PROPERTY(qint32 RewindAfterPlayMilliseconds READ RewindAfterPlayMilliseconds WRITE
                   setRewindAfterPlayMilliseconds)
    Q_PROPERTY(VantorDictation4::gdenmFootpedalAction FootpedalActionLeft READ FootpedalActionLeft WRITE
                   setFootpedalActionLeft)
    Q_PROPERTY(VantorDictation4::gdenmFootpedalAction FootpedalActionMiddle READ FootpedalActionMiddle WRITE
                   setFootpedalActionMiddle)
    Q_PROPERTY(VantorDictation4::gdenmFootpedalAction FootpedalActionRight READ FootpedalActionRight WRITE
                   setFootpedalActionRight)
    Q_PROPERTY(qint32 TranscribePauseMilliseconds READ TranscribePauseMilliseconds WRITE
                   setTranscribePauseMilliseconds)
    Q_PROPERTY(float TranscribePauseThreshold READ TranscribePauseThreshold WRITE setTranscribePauseThreshold)
    Q_PROPERTY(bool VoxActive READ VoxActive WRITE setVoxActive)
    Q_PROPERTY(float VoxStartVolume READ VoxStartVolume WRITE setVoxStartVolume)
    Q_PROPERTY(float VoxStopVolume READ VoxStopVolume WRITE setVoxStopVolume)
    Q_PROPERTY(short VoxWaitTimeTenths READ VoxWaitTimeTenths WRITE setVoxWaitTimeTenths)
    Q_PROPERTY(short VolumePlayback READ VolumePlayback WRITE setVolumePlayback)
    Q_PROPERTY(short VolumeRecording READ VolumeRecording WRITE setVolumeRecording)
    Q_PROPERTY(short PlaybackAudioRate READ PlaybackAudioRate WRITE setPlaybackAudioRate)
    Q_PROPERTY(short RecordingAudioRate READ RecordingAudioRate WRITE setRecordingAudioRate)
    Q_PROPERTY(short RecordingAudioVolume READ RecordingAudioVolume WRITE setRecordingAudioVolume)
    Q_PROPERTY(QString DevicePlaybackName READ DevicePlaybackName WRITE setDevicePlaybackName)
    Q_PROPERTY(QString DeviceRecordingName READ DeviceRecordingName WRITE setDeviceRecordingName)
    Q_PROPERTY(QString DevicePlaybackList READ DevicePlaybackList)
    Q_PROPERTY(QString DeviceRecordingList READ DeviceRecordingList)
    Q_PROPERTY(bool DragonspeakEnabled READ DragonspeakEnabled WRITE setDragonspeakEnabled)
    Q_PROPERTY(VantorDictation4::gdenmDragonbarMode DragonbarMode READ DragonbarMode WRITE setDragonbarMode)
    Q_PROPERTY(QString DragonSpeaker READ DragonSpeaker WRITE setDragonSpeaker)
    Q_PROPERTY(qint32 DragonSource READ DragonSource WRITE setDragonSource)
    Q_PROPERTY(VantorDictation4::gdenmDragonRoamingMode DragonRoamingMode READ DragonRoamingMode WRITE
                   setDragonRoamingMode)
    Q_PROPERTY(bool DragonAudioSave READ DragonAudioSave WRITE setDragonAudioSave)
    Q_PROPERTY(bool DragonMicrophoneOn READ DragonMicrophoneOn WRITE setDragonMicrophoneOn)
    Q_PROPERTY(
        VantorDictation4::gdenmRecognitionMode RecognitionMode READ RecognitionMode WRITE setRecognitionMode)
    Q_PROPERTY(bool SpeechmikeClassic READ SpeechmikeClassic WRITE setSpeechmikeClassic)
    Q_PROPERTY(bool NoInitSpeechmikePro READ NoInitSpeechmikePro WRITE setNoInitSpeechmikePro)
    Q_PROPERTY(bool NoInitFootpedals READ NoInitFootpedals WRITE setNoInitFootpedals)
    Q_PROPERTY(bool DisableCompression READ DisableCompression WRITE setDisableCompression)
    Q_PROPERTY(bool DictationCheckSecurity READ DictationCheckSecurity WRITE setDictationCheckSecurity)
    Q_PROPERTY(bool DictationListDisplayIncludeArchive READ DictationListDisplayIncludeArchive WRITE
                   setDictationListDisplayIncludeArchive)
    Q_PROPERTY(bool DictationListIncludeArchive READ DictationListIncludeArchive WRITE
                   setDictationListIncludeArchive)
    Q_PROPERTY(QString DictationListSortOrder READ DictationListSortOrder WRITE setDictationListSortOrder)
    Q_PROPERTY(QString DictationSortOrder READ DictationListSortOrder WRITE setDictationListSortOrder)
    Q_PROPERTY(QString DictationListSelectionAuthor READ DictationListSelectionAuthor WRITE
                   setDictationListSelectionAuthor)
    Q_PROPERTY(QString DictationListSelectionExclusionAuthor READ DictationListSelectionExclusionAuthor WRITE
                   setDictationListSelectionExclusionAuthor)
    Q_PROPERTY(short DictationListSelectionPriority READ DictationListSelectionPriority WRITE
                   setDictationListSelectionPriority)
    Q_PROPERTY(VantorDictation4::genmWorkflowTrackingDictation WorkflowListTrackingDictation READ
                   WorkflowListTrackingDictation WRITE setWorkflowListTrackingDictation)
    Q_PROPERTY(VantorDictation4::genmWorkflowTrackingVoiceRecognition WorkflowListTrackingVoiceRecognition
                   READ WorkflowListTrackingVoiceRecognition WRITE setWorkflowListTrackingVoiceRecognition)
    Q_PROPERTY(VantorDictation4::genmWorkflowTrackingTranscription WorkflowListTrackingTranscription READ
                   WorkflowListTrackingTranscription WRITE setWorkflowListTrackingTranscription)
    Q_PROPERTY(bool WorkflowListShowHistory READ WorkflowListShowHistory WRITE setWorkflowListShowHistory)
    Q_PROPERTY(bool WorkflowListShowNotes READ WorkflowListShowNotes WRITE setWorkflowListShowNotes)
    Q_PROPERTY(bool WorkflowListShowImages READ WorkflowListShowImages WRITE setWorkflowListShowImages)
    Q_PROPERTY(bool WorkflowListAutoShowHist READ WorkflowListAutoShowHist WRITE setWorkflowListAutoShowHist)
    Q_PROPERTY(
        bool WorkflowListAutoShowImage READ WorkflowListAutoShowImage WRITE setWorkflowListAutoShowImage)
    Q_PROPERTY(bool WorkflowListShowTracking READ WorkflowListShowTracking WRITE setWorkflowListShowTracking)
    Q_PROPERTY(qint32 WorkflowListLeft READ WorkflowListLeft WRITE setWorkflowListLeft)
    Q_PROPERTY(qint32 WorkflowListTop READ WorkflowListTop WRITE setWorkflowListTop)
    Q_PROPERTY(qint32 WorkflowListWidth READ WorkflowListWidth WRITE setWorkflowListWidth)
    Q_PROPERTY(qint32 WorkflowListHeight READ WorkflowListHeight WRITE setWorkflowListHeight)
    Q_PROPERTY(bool DisableButtons READ DisableButtons WRITE setDisableButtons)
    Q_PROPERTY(clsButtonCommand* ButtonCommand READ ButtonCommand WRITE setButtonCommand)
    Q_PROPERTY(
        QString RecordingTemporaryFolder READ RecordingTemporaryFolder WRITE setRecordingTemporaryFolder)
    Q_PROPERTY(QString ControlVersion READ ControlVersion)
    Q_PROPERTY(qint32 ControlHWnd READ ControlHWnd)
    Q_PROPERTY(bool Initialized READ Initialized)
    Q_PROPERTY(bool SpeechMikeProAvailable READ SpeechMikeProAvailable)
    Q_PROPERTY(bool FootpedalsAvailable READ FootpedalsAvailable)
    Q_PROPERTY(bool DragonSpeakAvailable READ DragonSpeakAvailable)
    Q_PROPERTY(bool DragonspeakRunning READ DragonspeakRunning)
    Q_PROPERTY(bool DragonEngineBusy READ DragonEngineBusy)
    Q_PROPERTY(bool DragonSpeakerRoaming READ DragonSpeakerRoaming)
    Q_PROPERTY(bool ExternalTextWaiting READ ExternalTextWaiting)
    Q_PROPERTY(bool AudioFileRecognitionRunning READ AudioFileRecognitionRunning)
    Q_PROPERTY(bool ApplicationSwitchInitialized READ ApplicationSwitchInitialized)
    Q_PROPERTY(bool ApplicationSwitching READ ApplicationSwitching)

    // Recording and dictation data
    Q_PROPERTY(QString RecordingName READ RecordingName WRITE setRecordingName)
    Q_PROPERTY(VantorDictation4::gdenmRecordingType RecordingType READ RecordingType WRITE setRecordingType)
    Q_PROPERTY(VantorDictation4::gdenmRecordingMode RecordingMode READ RecordingMode WRITE setRecordingMode)
    Q_PROPERTY(QString RecordingVersion READ RecordingVersion WRITE setRecordingVersion)
    Q_PROPERTY(QString RecordingFileSource READ RecordingFileSource WRITE setRecordingFileSource)
    Q_PROPERTY(QString RecordingDescription READ RecordingDescription WRITE setRecordingDescription)
    Q_PROPERTY(QString RecordingFileName READ RecordingFileName WRITE setRecordingFileName)
    Q_PROPERTY(QString RecordingFileExtension READ RecordingFileExtension WRITE setRecordingFileExtension)
    Q_PROPERTY(QDateTime RecordingCreationDate READ RecordingCreationDate WRITE setRecordingCreationDate)
    Q_PROPERTY(QDateTime RecordingEditDate READ RecordingEditDate WRITE setRecordingEditDate)
    Q_PROPERTY(qint32 RecordingFileSize READ RecordingFileSize WRITE setRecordingFileSize)
    Q_PROPERTY(VantorDictation4::gdenmRecordingQualitySamples RecordingQualitySamples READ
                   RecordingQualitySamples WRITE setRecordingQualitySamples)
    Q_PROPERTY(VantorDictation4::gdenmRecordingQualitySampleSize RecordingQualitySampleSize READ
                   RecordingQualitySampleSize WRITE setRecordingQualitySampleSize)
    Q_PROPERTY(VantorDictation4::gdenmRecordingQualityChannels RecordingQualityChannels READ
                   RecordingQualityChannels WRITE setRecordingQualityChannels)
    Q_PROPERTY(double RecordingTotalSeconds READ RecordingTotalSeconds)
    Q_PROPERTY(qint32 RecordingTotalSamples READ RecordingTotalSamples)
    Q_PROPERTY(qint32 RecordingCurrentSample READ RecordingCurrentSample WRITE setRecordingCurrentSample)
    Q_PROPERTY(double RecordingCurrentSeconds READ RecordingCurrentSeconds WRITE setRecordingCurrentSeconds)
    Q_PROPERTY(double PlaybackMaxTime READ PlaybackMaxTime)
    Q_PROPERTY(bool RecordingChanged READ RecordingChanged)
    Q_PROPERTY(bool HeaderChanged READ HeaderChanged)
    Q_PROPERTY(bool DictationConferenceMode READ DictationConferenceMode WRITE setDictationConferenceMode)
    Q_PROPERTY(QString DictationFileStatus READ DictationFileStatus WRITE setDictationFileStatus)
    Q_PROPERTY(VantorDictation4::gdenmDictationPriority DictationPriority READ DictationPriority WRITE
                   setDictationPriority)
    Q_PROPERTY(VantorDictation4::gdenmDictationType DictationType READ DictationType WRITE setDictationType)
    Q_PROPERTY(VantorDictation4::gdenmTranscriptionType TranscriptionType READ TranscriptionType WRITE
                   setTranscriptionType)
    Q_PROPERTY(QString DictationAuthor READ DictationAuthor WRITE setDictationAuthor)
    Q_PROPERTY(QString DictationTextData READ DictationTextData WRITE setDictationTextData)
    Q_PROPERTY(QString DictationTextLocation READ DictationTextLocation WRITE setDictationTextLocation)
    Q_PROPERTY(QString DictationPatientAccountNumber READ DictationPatientAccountNumber WRITE
                   setDictationPatientAccountNumber)
    Q_PROPERTY(QString DictationPatientName READ DictationPatientName WRITE setDictationPatientName)
    Q_PROPERTY(QString DictationStudyCode READ DictationStudyCode WRITE setDictationStudyCode)
    Q_PROPERTY(QString DictationModalityCode READ DictationModalityCode WRITE setDictationModalityCode)
    Q_PROPERTY(QString DictationSeriesCode READ DictationSeriesCode WRITE setDictationSeriesCode)
    Q_PROPERTY(QString DictationSeriesDescription READ DictationSeriesDescription WRITE
                   setDictationSeriesDescription)
    Q_PROPERTY(QString DictationPlaceOfServiceCode READ DictationPlaceOfServiceCode WRITE
                   setDictationPlaceOfServiceCode)
    Q_PROPERTY(QString DictationPlaceOfServiceName READ DictationPlaceOfServiceName WRITE
                   setDictationPlaceOfServiceName)
    Q_PROPERTY(QString DictationReferringPhysicianCode READ DictationReferringPhysicianCode WRITE
                   setDictationReferringPhysicianCode)
    Q_PROPERTY(QString DictationReferringPhysicianName READ DictationReferringPhysicianName WRITE
                   setDictationReferringPhysicianName)
    Q_PROPERTY(QString DictationStudyTemplateCode READ DictationStudyTemplateCode WRITE
                   setDictationStudyTemplateCode)
    Q_PROPERTY(QString DictationStudyTemplateDescription READ DictationStudyTemplateDescription WRITE
                   setDictationStudyTemplateDescription)
    Q_PROPERTY(QString DictationTranscriptionNote READ DictationTranscriptionNote WRITE
                   setDictationTranscriptionNote)
    Q_PROPERTY(QString ExternalKey READ ExternalKey WRITE setExternalKey)
    Q_PROPERTY(QString TrackingTypeCode READ TrackingTypeCode WRITE setTrackingTypeCode)
    Q_PROPERTY(QString TrackingEditorCode READ TrackingEditorCode WRITE setTrackingEditorCode)
    Q_PROPERTY(QDateTime DictationDateOfService READ DictationDateOfService WRITE setDictationDateOfService)
    Q_PROPERTY(QDateTime DictationTranscriptionStartDate READ DictationTranscriptionStartDate WRITE
                   setDictationTranscriptionStartDate)
    Q_PROPERTY(bool DictationStudyNormal READ DictationStudyNormal WRITE setDictationStudyNormal)

public:
    explicit Dictation(QWidget* parent = nullptr);
    ~Dictation() override;

    // ---- Settings and behaviour
    bool AudioSettingHaltEvents() const;
    void setAudioSettingHaltEvents(bool value);
    bool UseDragonRoaming() const;
    void setUseDragonRoaming(bool value);
    bool SplashMessageDisabled() const;
    void setSplashMessageDisabled(bool value);
    bool IgnoreHook() const;
    void setIgnoreHook(bool value);
    bool DisplayNextDictationButton() const;
    void setDisplayNextDictationButton(bool value);
    bool DisplayDictationListButton() const;
    void setDisplayDictationListButton(bool value);
    bool DisplayRecordButton() const;
    void setDisplayRecordButton(bool value);
    bool DisplayInsertButton() const;
    void setDisplayInsertButton(bool value);
    bool DisplayEditButton() const;
    void setDisplayEditButton(bool value);
    bool DisplayLevels() const;
    void setDisplayLevels(bool value);
    bool DisplayVoxLevelColor() const;
    void setDisplayVoxLevelColor(bool value);
    bool DisplayDictationName() const;
    void setDisplayDictationName(bool value);
    bool DisplayStatus() const;
    void setDisplayStatus(bool value);
    bool DisplayVoiceRecognition() const;
    void setDisplayVoiceRecognition(bool value);
    bool DisplayTimer() const;
    void setDisplayTimer(bool value);
    short AppearanceDisplay() const;
    void setAppearanceDisplay(short value);
    qint32 ColorFormBackground() const;
    void setColorFormBackground(qint32 value);
    qint32 ColorTextBackground() const;
    void setColorTextBackground(qint32 value);
    qint32 ColorTextForeground() const;
    void setColorTextForeground(qint32 value);
    qint32 ColorRequired() const;
    void setColorRequired(qint32 value);
    qint32 ColorButton() const;
    void setColorButton(qint32 value);
    qint32 ColorGridSelection() const;
    void setColorGridSelection(qint32 value);
    qint32 RewindMilliseconds() const;
    void setRewindMilliseconds(qint32 value);
    qint32 ForwardMilliseconds() const;
    void setForwardMilliseconds(qint32 value);
    qint32 RewindAfterPlayMilliseconds() const;
    void setRewindAfterPlayMilliseconds(qint32 value);
    VantorDictation4::gdenmFootpedalAction FootpedalActionLeft() const;
    void setFootpedalActionLeft(VantorDictation4::gdenmFootpedalAction value);
    VantorDictation4::gdenmFootpedalAction FootpedalActionMiddle() const;
    void setFootpedalActionMiddle(VantorDictation4::gdenmFootpedalAction value);
    VantorDictation4::gdenmFootpedalAction FootpedalActionRight() const;
    void setFootpedalActionRight(VantorDictation4::gdenmFootpedalAction value);
    qint32 TranscribePauseMilliseconds() const;
    void setTranscribePauseMilliseconds(qint32 value);
    float TranscribePauseThreshold() const;
    void setTranscribePauseThreshold(float value);
    bool VoxActive() const;
    void setVoxActive(bool value);
    float VoxStartVolume() const;
    void setVoxStartVolume(float value);
    float VoxStopVolume() const;
    void setVoxStopVolume(float value);
    short VoxWaitTimeTenths() const;
    void setVoxWaitTimeTenths(short value);
    short VolumePlayback() const;
    void setVolumePlayback(short value);
    short VolumeRecording() const;
    void setVolumeRecording(short value);
    short PlaybackAudioRate() const;
    void setPlaybackAudioRate(short value);
    short RecordingAudioRate() const;
    void setRecordingAudioRate(short value);
    short RecordingAudioVolume() const;
    void setRecordingAudioVolume(short value);
    QString DevicePlaybackName() const;
    void setDevicePlaybackName(const QString& value);
    QString DeviceRecordingName() const;
    void setDeviceRecordingName(const QString& value);
    QString DevicePlaybackList() const;
    QString DeviceRecordingList() const;
    bool DragonspeakEnabled() const;
    void setDragonspeakEnabled(bool value);
    VantorDictation4::gdenmDragonbarMode DragonbarMode() const;
    void setDragonbarMode(VantorDictation4::gdenmDragonbarMode value);
    QString DragonSpeaker() const;
    void setDragonSpeaker(const QString& value);
    qint32 DragonSource() const;
    void setDragonSource(qint32 value);
    VantorDictation4::gdenmDragonRoamingMode DragonRoamingMode() const;
    void setDragonRoamingMode(VantorDictation4::gdenmDragonRoamingMode value);
    bool DragonAudioSave() const;
    void setDragonAudioSave(bool value);
    bool DragonMicrophoneOn() const;
    void setDragonMicrophoneOn(bool value);
    VantorDictation4::gdenmRecognitionMode RecognitionMode() const;
    void setRecognitionMode(VantorDictation4::gdenmRecognitionMode value);
    bool SpeechmikeClassic() const;
    void setSpeechmikeClassic(bool value);
    bool NoInitSpeechmikePro() const;
    void setNoInitSpeechmikePro(bool value);
    bool NoInitFootpedals() const;
    void setNoInitFootpedals(bool value);
    bool DisableCompression() const;
    void setDisableCompression(bool value);
    bool DictationCheckSecurity() const;
    void setDictationCheckSecurity(bool value);
    bool DictationListDisplayIncludeArchive() const;
    void setDictationListDisplayIncludeArchive(bool value);
    bool DictationListIncludeArchive() const;
    void setDictationListIncludeArchive(bool value);
    QString DictationListSortOrder() const;
    void setDictationListSortOrder(const QString& value);
    QString DictationSortOrder() const { return DictationListSortOrder(); }
    void setDictationSortOrder(const QString& value) { setDictationListSortOrder(value); }
    QString DictationListSelectionAuthor() const;
    void setDictationListSelectionAuthor(const QString& value);
    QString DictationListSelectionExclusionAuthor() const;
    void setDictationListSelectionExclusionAuthor(const QString& value);
    short DictationListSelectionPriority() const;
    void setDictationListSelectionPriority(short value);
    VantorDictation4::genmWorkflowTrackingDictation WorkflowListTrackingDictation() const;
    void setWorkflowListTrackingDictation(VantorDictation4::genmWorkflowTrackingDictation value);
    VantorDictation4::genmWorkflowTrackingVoiceRecognition WorkflowListTrackingVoiceRecognition() const;
    void
    setWorkflowListTrackingVoiceRecognition(VantorDictation4::genmWorkflowTrackingVoiceRecognition value);
    VantorDictation4::genmWorkflowTrackingTranscription WorkflowListTrackingTranscription() const;
    void setWorkflowListTrackingTranscription(VantorDictation4::genmWorkflowTrackingTranscription value);
    bool WorkflowListShowHistory() const;
    void setWorkflowListShowHistory(bool value);
    bool WorkflowListShowNotes() const;
    void setWorkflowListShowNotes(bool value);
    bool WorkflowListShowImages() const;
    void setWorkflowListShowImages(bool value);
    bool WorkflowListAutoShowHist() const;
    void setWorkflowListAutoShowHist(bool value);
    bool WorkflowListAutoShowImage() const;
    void setWorkflowListAutoShowImage(bool value);
    bool WorkflowListShowTracking() const { return false; }
    void setWorkflowListShowTracking(bool) {}
    qint32 WorkflowListLeft() const;
    void setWorkflowListLeft(qint32 value);
    qint32 WorkflowListTop() const;
    void setWorkflowListTop(qint32 value);
    qint32 WorkflowListWidth() const;
    void setWorkflowListWidth(qint32 value);
    qint32 WorkflowListHeight() const;
    void setWorkflowListHeight(qint32 value);
    bool DisableButtons() const { return false; }
    void setDisableButtons(bool) {}
    clsButtonCommand* ButtonCommand() const;
    void setButtonCommand(clsButtonCommand* value);
    QString RecordingTemporaryFolder() const;
    void setRecordingTemporaryFolder(const QString& value);
    QString ControlVersion() const { return QStringLiteral("3.0.0"); }
    qint32 ControlHWnd() const;
    bool Initialized() const;
    bool SpeechMikeProAvailable() const;
    bool FootpedalsAvailable() const;
    bool DragonSpeakAvailable() const;
    bool DragonspeakRunning() const;
    bool DragonEngineBusy() const;
    bool DragonSpeakerRoaming() const;
    bool ExternalTextWaiting() const;
    bool AudioFileRecognitionRunning() const;
    bool ApplicationSwitchInitialized() const;
    bool ApplicationSwitching() const;

    // ---- Recording and dictation data
    QString RecordingName() const;
    void setRecordingName(const QString& value);
    VantorDictation4::gdenmRecordingType RecordingType() const;
    void setRecordingType(VantorDictation4::gdenmRecordingType value);
    VantorDictation4::gdenmRecordingMode RecordingMode() const;
    void setRecordingMode(VantorDictation4::gdenmRecordingMode value);
    QString RecordingVersion() const;
    void setRecordingVersion(const QString& value);
    QString RecordingFileSource() const;
    void setRecordingFileSource(const QString& value);
    QString RecordingDescription() const;
    void setRecordingDescription(const QString& value);
    QString RecordingFileName() const;
    void setRecordingFileName(const QString& value);
    QString RecordingFileExtension() const;
    void setRecordingFileExtension(const QString& value);
    QDateTime RecordingCreationDate() const;
    void setRecordingCreationDate(const QDateTime& value);
    QDateTime RecordingEditDate() const;
    void setRecordingEditDate(const QDateTime& value);
    qint32 RecordingFileSize() const;
    void setRecordingFileSize(qint32 value);
    VantorDictation4::gdenmRecordingQualitySamples RecordingQualitySamples() const;
    void setRecordingQualitySamples(VantorDictation4::gdenmRecordingQualitySamples value);
    VantorDictation4::gdenmRecordingQualitySampleSize RecordingQualitySampleSize() const;
    void setRecordingQualitySampleSize(VantorDictation4::gdenmRecordingQualitySampleSize value);
    VantorDictation4::gdenmRecordingQualityChannels RecordingQualityChannels() const;
    void setRecordingQualityChannels(VantorDictation4::gdenmRecordingQualityChannels value);
    double RecordingTotalSeconds() const;
    qint32 RecordingTotalSamples() const;
    qint32 RecordingCurrentSample() const;
    void setRecordingCurrentSample(qint32 value);
    double RecordingCurrentSeconds() const;
    void setRecordingCurrentSeconds(double value);
    double PlaybackMaxTime() const;
    bool RecordingChanged() const;
    bool HeaderChanged() const;
    bool DictationConferenceMode() const;
    void setDictationConferenceMode(bool value);
    QString DictationFileStatus() const;
    void setDictationFileStatus(const QString& value);
    VantorDictation4::gdenmDictationPriority DictationPriority() const;
    void setDictationPriority(VantorDictation4::gdenmDictationPriority value);
    VantorDictation4::gdenmDictationType DictationType() const;
    void setDictationType(VantorDictation4::gdenmDictationType value);
    VantorDictation4::gdenmTranscriptionType TranscriptionType() const;
    void setTranscriptionType(VantorDictation4::gdenmTranscriptionType value);
    QString DictationAuthor() const;
    void setDictationAuthor(const QString& value);
    QString DictationTextData() const;
    void setDictationTextData(const QString& value);
    QString DictationTextLocation() const;
    void setDictationTextLocation(const QString& value);
    QString DictationPatientAccountNumber() const;
    void setDictationPatientAccountNumber(const QString& value);
    QString DictationPatientName() const;
    void setDictationPatientName(const QString& value);
    QString DictationStudyCode() const;
    void setDictationStudyCode(const QString& value);
    QString DictationModalityCode() const;
    void setDictationModalityCode(const QString& value);
    QString DictationSeriesCode() const;
    void setDictationSeriesCode(const QString& value);
    QString DictationSeriesDescription() const;
    void setDictationSeriesDescription(const QString& value);
    QString DictationPlaceOfServiceCode() const;
    void setDictationPlaceOfServiceCode(const QString& value);
    QString DictationPlaceOfServiceName() const;
    void setDictationPlaceOfServiceName(const QString& value);
    QString DictationReferringPhysicianCode() const;
    void setDictationReferringPhysicianCode(const QString& value);
    QString DictationReferringPhysicianName() const;
    void setDictationReferringPhysicianName(const QString& value);
    QString DictationStudyTemplateCode() const;
    void setDictationStudyTemplateCode(const QString& value);
    QString DictationStudyTemplateDescription() const;
    void setDictationStudyTemplateDescription(const QString& value);
    QString DictationTranscriptionNote() const;
    void setDictationTranscriptionNote(const QString& value);
    QString ExternalKey() const;
    void setExternalKey(const QString& value);
    QString TrackingTypeCode() const;
    void setTrackingTypeCode(const QString& value);
    QString TrackingEditorCode() const;
    void setTrackingEditorCode(const QString& value);
    QDateTime DictationDateOfService() const;
    void setDictationDateOfService(const QDateTime& value);
    QDateTime DictationTranscriptionStartDate() const;
    void setDictationTranscriptionStartDate(const QDateTime& value);
    bool DictationStudyNormal() const;
    void setDictationStudyNormal(bool value);

    // ---- Methods: initialisation and setup
    Q_INVOKABLE void ControlInitializeShort(QObject* objRelayHubServer_IN, QObject* objVantorUtils_IN,
                                            QObject* objVantorCodeTables_IN,
                                            const QString& strRecordingTemporaryFolder_IN,
                                            const QString& strUsername_IN);
    Q_INVOKABLE void ControlInitializeShort2(QObject* objRelayHubServer_IN, QObject* objServerUtils_IN,
                                             QObject* objVantorUtils_IN, QObject* objVantorCodeTables_IN,
                                             QObject* objVantorCodesEditor_IN,
                                             const QString& strRecordingTemporaryFolder_IN,
                                             const QString& strUsername_IN);
    Q_INVOKABLE void
    ControlInitialize(QObject* objRelayHubServer_IN, QObject* objVantorUtils_IN,
                      QObject* objVantorCodeTables_IN, const QString& strRecordingTemporaryFolder_IN,
                      const QString& strUsername_IN, VantorDictation4::gdenmRecordingType enmRecordingType_IN,
                      VantorDictation4::gdenmRecordingQualitySamples enmRecordingQualitySamples_IN =
                          VantorDictation4::RecordingQualitySamples_Default,
                      VantorDictation4::gdenmRecordingQualitySampleSize enmRecordingQualitySampleSize_IN =
                          VantorDictation4::RecordingQualitySampleSize_Default,
                      VantorDictation4::gdenmRecordingQualityChannels enmRecordingQualityChannels_IN =
                          VantorDictation4::RecordingQualityChannels_Default,
                      bool blnDisplayNextDictationButton_IN = true,
                      bool blnDisplayDictationListButton_IN = true, bool blnDisplayDictateButton_IN = true,
                      bool blnDisplayEditButton_IN = true, bool blnDisplayTimer_IN = true,
                      bool blnDisplayDictationName_IN = true);
    Q_INVOKABLE void
    ControlInitialize2(QObject* objRelayHubServer_IN, QObject* objServerUtils_IN, QObject* objVantorUtils_IN,
                       QObject* objVantorCodeTables_IN, QObject* objVantorCodesEditor_IN,
                       const QString& strRecordingTemporaryFolder_IN, const QString& strUsername_IN,
                       VantorDictation4::gdenmRecordingType enmRecordingType_IN,
                       VantorDictation4::gdenmRecordingQualitySamples enmRecordingQualitySamples_IN =
                           VantorDictation4::RecordingQualitySamples_Default,
                       VantorDictation4::gdenmRecordingQualitySampleSize enmRecordingQualitySampleSize_IN =
                           VantorDictation4::RecordingQualitySampleSize_Default,
                       VantorDictation4::gdenmRecordingQualityChannels enmRecordingQualityChannels_IN =
                           VantorDictation4::RecordingQualityChannels_Default,
                       bool blnDisplayNextDictationButton_IN = true,
                       bool blnDisplayDictationListButton_IN = true, bool blnDisplayDictateButton_IN = true,
                       bool blnDisplayEditButton_IN = true, bool blnDisplayTimer_IN = true,
                       bool blnDisplayDictationName_IN = true);
    Q_INVOKABLE void ControlLoad(const QString& strDictationControlSetupString_IN, QString& strErrorText_OUT);
    Q_INVOKABLE void ControlUnload(QString& strDictationControlSetupString_OUT, QString& strErrorText_OUT);
    Q_INVOKABLE void ControlClose();
    Q_INVOKABLE void
    ConnectionSettings(const QString& strConnectionIPAddress_IN, qint32 lngConnectionPortNumber_IN,
                       const QString& strConnectionEntityCode_IN, const QString& strConnectionEntityName_IN,
                       const QString& strConnectionUsername_IN, const QString& strConnectionPassword_IN);
    Q_INVOKABLE void UpdateDisplayLayout();
    Q_INVOKABLE void DisplayUpdate();
    Q_INVOKABLE void AudioSettingFireEvent();

    // ---- Methods: recordings
    Q_INVOKABLE void InitializeDictation(
        const QString& strRecordingName_IN, const QString& strDictationPatientAccountNumber_IN,
        const QString& strDictationPatientName_IN, const QString& strDictationSeriesCode_IN,
        const QString& strDictationSeriesDescription_IN, const QDateTime& dtmDictationDateOfService_IN,
        const QString& strDictationStudyTemplateCode_IN, const QString& strDictationStudyTemplateName_IN,
        VantorDictation4::gdenmDictationPriority enmDictationPriority_IN,
        const QString& strDictationTranscriptionNote_IN, const QString& strDictationAuthor_IN);
    Q_INVOKABLE void InitializeDictation2(
        const QString& strRecordingName_IN, const QString& strDictationPatientAccountNumber_IN,
        const QString& strDictationPatientName_IN, const QString& strDictationStudyCode_IN,
        const QString& strDictationModalityCode_IN, const QDateTime& dtmDictationDateOfService_IN,
        const QString& strDictationStudyTemplateCode_IN, bool blnDictationStudyNormal_IN,
        VantorDictation4::gdenmDictationPriority enmDictationPriority_IN,
        const QString& strDictationTranscriptionNote_IN, const QString& strDictationAuthor_IN);
    Q_INVOKABLE void InitializeDictation3(
        const QString& strRecordingName_IN, const QString& strDictationPatientAccountNumber_IN,
        const QString& strDictationPatientName_IN, const QString& strDictationStudyCode_IN,
        const QString& strDictationModalityCode_IN, const QDateTime& dtmDictationDateOfService_IN,
        const QString& strDictationPlaceOfServiceCode_IN, const QString& strDictationPlaceOfServiceName_IN,
        const QString& strDictationReferringPhysicianCode_IN,
        const QString& strDictationReferringPhysicianName_IN, const QString& strDictationStudyTemplateCode_IN,
        bool blnDictationStudyNormal_IN, VantorDictation4::gdenmDictationPriority enmDictationPriority_IN,
        const QString& strDictationTranscriptionNote_IN, const QString& strDictationAuthor_IN);
    Q_INVOKABLE void InitializeDictation4(
        const QString& strRecordingName_IN, VantorDictation4::gdenmDictationType enmDictationType_IN,
        const QString& strDictationPatientAccountNumber_IN, const QString& strDictationPatientName_IN,
        const QString& strDictationStudyCode_IN, const QString& strDictationModalityCode_IN,
        const QDateTime& dtmDictationDateOfService_IN, const QString& strDictationPlaceOfServiceCode_IN,
        const QString& strDictationPlaceOfServiceName_IN,
        const QString& strDictationReferringPhysicianCode_IN,
        const QString& strDictationReferringPhysicianName_IN, const QString& strDictationStudyTemplateCode_IN,
        bool blnDictationStudyNormal_IN, VantorDictation4::gdenmDictationPriority enmDictationPriority_IN,
        const QString& strDictationTranscriptionNote_IN, const QString& strDictationAuthor_IN,
        const QString& strExternalKey_IN);
    Q_INVOKABLE void InitializeDictation5(
        const QString& strRecordingName_IN, VantorDictation4::gdenmDictationType enmDictationType_IN,
        const QString& strDictationPatientAccountNumber_IN, const QString& strDictationPatientName_IN,
        const QString& strDictationStudyCode_IN, const QString& strDictationModalityCode_IN,
        const QDateTime& dtmDictationDateOfService_IN, const QString& strDictationPlaceOfServiceCode_IN,
        const QString& strDictationPlaceOfServiceName_IN,
        const QString& strDictationReferringPhysicianCode_IN,
        const QString& strDictationReferringPhysicianName_IN, const QString& strDictationStudyTemplateCode_IN,
        bool blnDictationStudyNormal_IN, VantorDictation4::gdenmDictationPriority enmDictationPriority_IN,
        const QString& strDictationTranscriptionNote_IN, const QString& strDictationAuthor_IN,
        const QString& strExternalKey_IN, const QString& strTrackingTypeCode_IN,
        const QString& strTrackingEditorCode_IN);
    Q_INVOKABLE void InitializeDictation6(
        const QString& strRecordingName_IN, VantorDictation4::gdenmDictationType enmDictationType_IN,
        VantorDictation4::gdenmTranscriptionType enmTranscriptionType_IN,
        const QString& strDictationPatientAccountNumber_IN, const QString& strDictationPatientName_IN,
        const QString& strDictationStudyCode_IN, const QString& strDictationModalityCode_IN,
        const QDateTime& dtmDictationDateOfService_IN, const QString& strDictationPlaceOfServiceCode_IN,
        const QString& strDictationPlaceOfServiceName_IN,
        const QString& strDictationReferringPhysicianCode_IN,
        const QString& strDictationReferringPhysicianName_IN, const QString& strDictationStudyTemplateCode_IN,
        bool blnDictationStudyNormal_IN, VantorDictation4::gdenmDictationPriority enmDictationPriority_IN,
        const QString& strDictationTranscriptionNote_IN, const QString& strDictationAuthor_IN,
        const QString& strExternalKey_IN, const QString& strTrackingTypeCode_IN,
        const QString& strTrackingEditorCode_IN);
    Q_INVOKABLE void
    InitializePhoneMessage(const QString& strRecordingName_IN,
                           VantorDictation4::gdenmRecordingQualitySamples enmRecordingQualitySamples_IN,
                           VantorDictation4::gdenmRecordingQualitySampleSize enmRecordingQualitySampleSize_IN,
                           VantorDictation4::gdenmRecordingQualityChannels enmRecordingQualityChannels_IN,
                           const QString& strRecordingDescription_IN);
    Q_INVOKABLE void InitializeExternalText();
    Q_INVOKABLE QString InitializeVoiceRecognitionAudio(const QString& strDictationPatientAccountNumber_IN,
                                                        const QString& strDictationPatientName_IN,
                                                        const QString& strExternalKey_IN);
    Q_INVOKABLE void NewRecording(VantorDictation4::gdenmRecordingType enmRecordingType_IN);
    Q_INVOKABLE void NewDictation(VantorDictation4::gdenmDictationType enmDictationType_IN);
    Q_INVOKABLE void RecordingStart();
    Q_INVOKABLE void RecordingPause();
    Q_INVOKABLE void RecordingStop();
    Q_INVOKABLE void RecordingEnd();
    Q_INVOKABLE void RecordingInsert(bool blnInsert_IN);
    Q_INVOKABLE void PlaybackStart();
    Q_INVOKABLE void PlaybackPause();
    Q_INVOKABLE void RecordingSave();
    Q_INVOKABLE void HeaderSave();
    Q_INVOKABLE void HeaderRead(const QString& strRecordingName_IN);
    Q_INVOKABLE void RecordingRead(const QString& strRecordingName_IN);
    Q_INVOKABLE void RecordingLoad(const QString& strRecordingFileName_IN);
    Q_INVOKABLE void AudioRead();
    Q_INVOKABLE void RecordingCancel();
    Q_INVOKABLE void RecordingClose(bool blnDeleteFile_IN);
    Q_INVOKABLE bool RecordingFileDelete();
    Q_INVOKABLE void RecordingFileDeleteAll();
    Q_INVOKABLE bool RecordingFileImport(const QString& strRecordingFileName_IN);
    Q_INVOKABLE bool RecordingFileExport(const QString& strRecordingFileName_IN);

    // ---- Methods: server data and workflow
    Q_INVOKABLE bool DataEditDictation(const QString& strRecordingName_IN);
    Q_INVOKABLE bool DataEditPhoneMessage(const QString& strRecordingName_IN);
    Q_INVOKABLE QString DictationNext();
    Q_INVOKABLE QString DictationList();
    Q_INVOKABLE bool DictationStatusChange(const QString& strRecordingName_IN);
    Q_INVOKABLE bool DictationPriorityChange(const QString& strRecordingName_IN);
    Q_INVOKABLE QString WorkflowListGet(const QString& strWorkflowList_IN);
    Q_INVOKABLE void TranscriptionApplicationOpen(const QString& strJobNumber_IN,
                                                  const QString& strPatientAccountNumber_IN,
                                                  const QString& strPatientName_IN,
                                                  const QString& strExternalKeySource_IN,
                                                  const QString& strExternalKey_IN);
    Q_INVOKABLE void TranscriptionApplicationOpen2(const QString& strJobNumber_IN,
                                                   const QString& strPatientAccountNumber_IN,
                                                   const QString& strPatientName_IN,
                                                   const QString& strExternalKeySource_IN,
                                                   const QString& strExternalKey_IN,
                                                   const QString& strAdditionalParameters_IN);

    // ---- Methods: devices, voice commands, speech engine, application switch
    Q_INVOKABLE void FootPedalsInitialize();
    Q_INVOKABLE void FootPedalsCleanup();
    Q_INVOKABLE void SpeechMikeProInitialize();
    Q_INVOKABLE void SpeechMikeProCleanup();
    Q_INVOKABLE void PhilipsDevicesEnable(bool blnEnabled_IN);
    Q_INVOKABLE bool VoiceCommandGroupCreate(const QString& strCommandGroup_IN);
    Q_INVOKABLE qint32 VoiceCommandAdd(const QString& strCommandGroup_IN, const QString& strCommandText_IN,
                                       const QString& strCommandReturn_IN);
    Q_INVOKABLE void VoiceCommandGroupActivate(const QString& strCommandGroup_IN, bool blnActivate_IN,
                                               qint32 lngWindowHandle_IN = 0);
    Q_INVOKABLE void VoiceCommandgroupRemove(const QString& strCommandGroup_IN);
    Q_INVOKABLE void DragonHiddenModeStart(qint32 lngTextControlHwnd_IN);
    Q_INVOKABLE void DragonHiddenModeEnd();
    Q_INVOKABLE QStringList DragonSpeakerListGet(const QString& strFilterUsername_IN = QString(),
                                                 bool blnIncludeNonstandard_IN = false);
    Q_INVOKABLE QStringList DragonSpeakerListGet2(
        VantorDictation4::gdenmDragonRoamingMode enmDragonRoamingMode_IN,
        const QString& strFilterUsername_IN = QString(), bool blnIncludeNonstandard_IN = false);
    Q_INVOKABLE void DragonSpeakerClose();
    Q_INVOKABLE QStringList DragonSourceListGet();
    Q_INVOKABLE QStringList DragonSourceListGetBySpeaker(const QString& strSpeaker_IN);
    Q_INVOKABLE void DragonDialogShow(qint32 enmDragonDialog_IN);
    Q_INVOKABLE QString RecognitionModeDisplay(VantorDictation4::gdenmRecognitionMode enmRecognitionMode_IN);
    Q_INVOKABLE void ApplicationSwitchInitialize(qint32 lngMyApplicationWindowHandle_IN);

    // ---- For the subsystems and tests (not part of the host interface)
    vd::DictationPrivate& internals() { return *d; }
    // Replaces the audio recording control (the control owns it).
    void setAudioRecordingControl(std::unique_ptr<vd::AudioRecordingControl> control);
    vd::AudioRecordingControl* audioRecordingControl() const;

Q_SIGNALS:
    void SecondsUpdated(double dblNewSeconds_IN); // 1
    void RecordingSavedDatabase(const QString& strDictationAccount_IN,
                                const QString& strRecordingName_IN); // 2
    void RecordingReadDatabase(const QString& strDictationAccount_IN, const QString& strRecordingName_IN,
                               const QString& strDictationFileName_IN); // 3
    void RecordingLoadedFile(const QString& strDictationFileName_IN);   // 4
    void ModeChanged(bool blnDictating_IN, bool blnStandby_IN, bool blnOverwrite_IN,
                     const QString& strStatusText_IN); // 5
    void RecordingInitialized();                       // 6
    void RecordingFormDataSaved();                     // 7
    void DictationInitialized();                       // 8
    void PhoneMessageInitialized();                    // 9
    void AudioSettingChanged(const QString& strSettingName_IN, const QString& strOldValue_IN,
                             const QString& strNewValue_IN);                  // 10
    void DictationSelected(const QString& strRecordingName_IN, bool& Cancel); // 11
    void DictationNext(const QString& strRecordingName_IN, bool& Cancel);     // 12
    void DblClick();                                                          // 13
    void LayoutUpdated();                                                     // 14
    void DialogDisplayed(const QString& strDialogName_IN);                    // 15
    void DialogCleared(const QString& strDialogName_IN);                      // 16
    void RecordingCancelled();                                                // 17
    void ButtonRewindClick(bool& Cancel);                                     // 18
    void ButtonRewindRelease(bool& Cancel);                                   // 19
    void ButtonForwardClick(bool& Cancel);                                    // 20
    void ButtonForwardRelease(bool& Cancel);                                  // 21
    void ButtonPlayClick(bool& Cancel);                                       // 22
    void ButtonPlayRelease(bool& Cancel);                                     // 23
    void ButtonEOLClick(bool& Cancel);                                        // 24
    void ButtonEOLRelease(bool& Cancel);                                      // 25
    void ButtonRecordingClick(bool& Cancel);                                  // 26
    void ButtonRecordingRelease(bool& Cancel);                                // 27
    void ButtonInsertClick(bool& Cancel);                                     // 28
    void ButtonInsertRelease(bool& Cancel);                                   // 29
    void ButtonBeginningClick(bool& Cancel);                                  // 30
    void ButtonEndingClick(bool& Cancel);                                     // 31
    void ButtonEditClick(bool& Cancel);                                       // 32
    void ButtonNextDictationClick(bool& Cancel);                              // 33
    void ButtonDictationListClick(bool& Cancel);                              // 34
    void ButtonFunctionClick(short intFunctionNumber_IN, bool& Cancel);       // 35
    void ButtonInstructionClick(bool& Cancel);                                // 36
    void ButtonBarcodeClick(bool& Cancel);                                    // 37
    void VoiceCommandSpoken(const QString& strCommandText_IN, qint32 lngCommandID_IN,
                            const QString& strCommandGroup_IN, const QString& strCommandReturn_IN); // 38
    void ExternalTextFinished(const QString& strExternalKey_IN, const QString& strFinishStatus_IN); // 39
    void ButtonCommandPressed(const QString& strCommandText_IN);                                    // 40
    void BarcodeRead(const QString& strBarcodeText_IN);                                             // 41
    void TranscriptionFinished(const QString& strTranscriptionText_IN);                             // 42
    void ShowTranscription(QStringList& arrstrJobNumber_IN, qint32 lngStartingIndex_IN);            // 43
    void ShowImage(QStringList& arrstrImageKey_IN, qint32 lngStartingIndex_IN);                     // 44
    void CloseViewers();                                                                            // 45
    void ApplicationSwitchStart(const QVariant& blnToMyApplication_IN, bool& Cancel);               // 46
    void ApplicationSwitchEnd(const QVariant& blnToMyApplication_IN);                               // 47

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<vd::DictationPrivate> d;
};

// Factory for hosts that do not link Qt's C++ API directly: creates a
// control (a QWidget*) under parent, or a top-level one when parent is null.
extern "C" VD4_EXPORT QWidget* VantorDictation4_CreateControl(QWidget* parent);
