// The Dictation facade: properties, creation, initialisation and close.
#include <VantorDictation4/Dictation.h>

#include "CurrentControl.h"
#include "DictationPrivate.h"
#include "Transport.h"
#include "audio/AudioRecorder.h"
#include "common/ColorScheme.h"
#include "common/HelpWindow.h"
#include "common/ProcessState.h"
#include "common/SplashMessage.h"
#include "common/StringProcedures.h"
#include "server/TrackingTypes.h"
#include "services/HostServices.h"
#include "services/VantorMessage.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryFile>
#include <QToolButton>

#include <dlfcn.h>

using namespace VantorDictation4;

namespace vd {

QString SettingText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }
QString SettingText(const QString& value) { return value; }

// The folder of the library's own file (the component's folder).
static QString componentFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&componentFolder), &info) && info.dli_fname)
        return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
    return QDir::currentPath();
}

static QTimer* makeTimer(QObject* owner, const char* name, int interval) {
    auto* timer = new QTimer(owner);
    timer->setObjectName(QString::fromUtf8(name));
    timer->setInterval(interval);
    return timer;
}

DictationPrivate::DictationPrivate(Dictation* owner)
    : q(owner),
      audio([this](const char* name, const QString& o, const QString& n) { settingChanged(name, o, n); }),
      strip(owner) {
    tmrTimer = makeTimer(owner, "tmrTimer", 99);
    tmrMovementRepeat = makeTimer(owner, "tmrMovementRepeat", 500);
    tmrShowEOL = makeTimer(owner, "tmrShowEOL", 50);
    tmrDelayedApplicationSwitch = makeTimer(owner, "tmrDelayedApplicationSwitch", 10);
    tmrDelayedTextPaste = makeTimer(owner, "tmrDelayedTextPaste", 10);
    tmrUpdateUserProfiles = makeTimer(owner, "tmrUpdateUserProfiles", 500);
    audio.setRecorder(CreateDefaultAudioRecorder());
}

void DictationPrivate::settingChanged(const char* name, const QString& oldValue, const QString& newValue) {
    if (!haltEvents) Q_EMIT q->AudioSettingChanged(QString::fromUtf8(name), oldValue, newValue);
}

void DictationPrivate::resetRecordingData(bool resetDisplayFlags, bool resetRecordingType) {
    q->setRecordingMode(RecordingMode_None);
    data.reset(UserName(), resetRecordingType);
    if (resetDisplayFlags) display = DisplayFlags{};
}

void DictationPrivate::setFileRoot(QString folder) {
    if (!folder.isEmpty() && !folder.endsWith(u'/') && !folder.endsWith(u'\\')) folder += u'/';
    if (data.type == RecordingType_Dictation)
        TemporaryNamePrefix() = folder + QStringLiteral("Dictation_");
    else if (data.type == RecordingType_PhoneMessage)
        TemporaryNamePrefix() = folder + QStringLiteral("PhoneMessage_");
    else
        TemporaryNamePrefix() = folder;
}

RecordingQuality DictationPrivate::settingsQuality() const {
    return ResolveQuality(
        {int(data.qualitySamples), short(data.qualitySampleSize), short(data.qualityChannels)}, data.type);
}

void DictationPrivate::configureAudio(bool useSettings) {
    const RecordingQuality own{data.ownSamples, data.ownSampleSize, data.ownChannels};
    audio.AudioControlConfigure(useSettings ? settingsQuality() : ResolveQuality(own, data.type));
}

QString DictationPrivate::temporaryFileName() const {
    return RecordingTemporaryFileName(data.patientAccountNumber);
}

bool DictationPrivate::authorRuleHolds() const {
    if (!dictationCheckSecurity) return true;
    const QString author = data.author.trimmed();
    return author.isEmpty() || UserName().trimmed().toUpper() == author.toUpper();
}

void DictationPrivate::refreshDictationName() {
    QLabel* label = strip.label(QStringLiteral("lblDictationNameText"));
    QString text;
    if (display.dictationName) {
        if (data.type == RecordingType_Dictation) {
            if (!data.patientAccountNumber.isEmpty() || !data.patientName.isEmpty())
                text = data.patientAccountNumber.trimmed() + QStringLiteral(" - ") +
                       data.patientName.trimmed() + QStringLiteral(" - ") + FormatDate(data.dateOfService);
        } else if (data.type == RecordingType_PhoneMessage) {
            text = data.name;
        }
    }
    label->setText(text);
}

void DictationPrivate::refreshTooltips() { strip.applyTooltips(conferenceMode, data.dictationType); }

StatusInputs DictationPrivate::statusInputs() const {
    StatusInputs in;
    in.mode = mode;
    in.dictationType = data.dictationType;
    in.recognitionMode = recognitionMode;
    in.displayStatus = display.status;
    in.displayTimer = display.timer;
    in.microphoneOn = dragonMicrophoneOn;
    in.positionSeconds = audio.recorder()->PositionSeconds();
    return in;
}

void DictationPrivate::refreshLevelColor() {
    QLabel* label = strip.label(QStringLiteral("lblLevelColor"));
    const qint32 background = QColorToOleColor(q->palette().color(QPalette::Window));
    QPalette p = label->palette();
    p.setColor(QPalette::Window,
               OleColorToQColor(audio.LevelIndicatorColor(mode, display.voxLevelColor, background)));
    label->setPalette(p);
}

void DictationPrivate::updateTimerDisplay() {
    const StatusInputs in = statusInputs();
    status.UpdateTimerDisplay(in);
    Q_EMIT q->SecondsUpdated(in.positionSeconds);
}

} // namespace vd

using vd::Procedure;

// ---------------------------------------------------------------- creation

Dictation::Dictation(QWidget* parent) : QWidget(parent), d(std::make_unique<vd::DictationPrivate>(this)) {
    vd::ErrorGuard({vd::kDictationClass, "UserControl_Initialize"}, [&] {
        d->initialized = false;
        d->dragonSpeakAvailable = false;
        // No speech engine is linked in yet, so recognition stays unavailable.
        d->dragonSpeakAvailable = false;
        d->resetRecordingData(true, true);
        d->listSortOrder = QStringLiteral("PRIORITY,DATE,NAME");
        d->listDisplayIncludeArchive = false;
        d->listIncludeArchive = false;
        d->listSelectionAuthor = QStringLiteral("*");
        d->listSelectionExclusionAuthor = QStringLiteral("*");
        d->listSelectionPriority = 0;
        d->temporaryFolder = vd::componentFolder();
        d->data.recordingChanged = false;
        d->data.headerChanged = false;
        d->data.playbackMaxTime = 0;
        setRecordingMode(RecordingMode_None);
        d->conferenceMode = false;
        d->refreshTooltips();
        d->rememberedPlaybackVolume = d->audio.VolumePlayback();
        d->transcribePauseMs = 100;
        d->transcribePauseThreshold = 0.3f;
        vd::Colors() = vd::ColorScheme{};
        d->pedalLeft = FootpedalAction_Rewind;
        d->pedalMiddle = FootpedalAction_Play;
        d->pedalRight = FootpedalAction_Forward;
        d->transport = new vd::Transport(this, *d);
        for (QWidget* child : findChildren<QWidget*>())
            child->installEventFilter(this);
        setMinimumHeight(d->strip.twips(360));
    });
}

Dictation::~Dictation() {
    vd::ErrorGuard({vd::kDictationClass, "UserControl_Terminate"}, [&] {
        vd::HelpWindowClose();
        setSplashMessageDisabled(!DragonspeakEnabled());
        setDragonspeakEnabled(false);
        setSplashMessageDisabled(false);
        ControlClose();
        if (vd::CurrentControlWidget() == this) vd::CurrentControlWidgetSet(nullptr);
    });
}

void Dictation::setAudioRecordingControl(std::unique_ptr<vd::AudioRecordingControl> control) {
    d->audio.setRecorder(std::move(control));
}

vd::AudioRecordingControl* Dictation::audioRecordingControl() const { return d->audio.recorder(); }

// ---------------------------------------------------------------- initialisation

void Dictation::ControlInitializeShort2(QObject* objRelayHubServer_IN, QObject* objServerUtils_IN,
                                        QObject* objVantorUtils_IN, QObject* objVantorCodeTables_IN,
                                        QObject* objVantorCodesEditor_IN,
                                        const QString& strRecordingTemporaryFolder_IN,
                                        const QString& strUsername_IN) {
    vd::ErrorGuard({vd::kDictationClass, "ControlInitializeShort2"}, [&] {
        vd::ComponentSlots& s = vd::Slots();
        s.relayHubServer = objRelayHubServer_IN;
        s.serverUtils = objServerUtils_IN;
        s.utility = objVantorUtils_IN;
        s.codeTables = objVantorCodeTables_IN;
        s.codesEditor = objVantorCodesEditor_IN;
        vd::UserName() = strUsername_IN;
        d->resetRecordingData(false, true);
        d->temporaryFolder = strRecordingTemporaryFolder_IN;
        SpeechMikeProCleanup();
        FootPedalsCleanup();
        // Make this the current control and start from a clean temporary folder.
        vd::DictationControlPointerSet(this);
        d->setFileRoot(RecordingTemporaryFolder());
        RecordingFileDeleteAll();
        vd::ServerTablesLoad();
        auto message = std::make_unique<VantorMessage>();
        message->MessageInitialize(objVantorUtils_IN, ColorFormBackground(), ColorTextBackground(),
                                   ColorTextForeground(), ColorButton());
        vd::MessageComponentSet(std::move(message));
        UpdateDisplayLayout();
        d->initialized = true;
    });
}

void Dictation::ControlInitializeShort(QObject* objRelayHubServer_IN, QObject* objVantorUtils_IN,
                                       QObject* objVantorCodeTables_IN,
                                       const QString& strRecordingTemporaryFolder_IN,
                                       const QString& strUsername_IN) {
    vd::ErrorGuard({vd::kDictationClass, "ControlInitializeShort"}, [&] {
        // The created components live as long as the control.
        ControlInitializeShort2(objRelayHubServer_IN, new ServerUtils(this), objVantorUtils_IN,
                                objVantorCodeTables_IN, new VantorCodesEditor(this),
                                strRecordingTemporaryFolder_IN, strUsername_IN);
    });
}

void Dictation::ControlInitialize2(
    QObject* objRelayHubServer_IN, QObject* objServerUtils_IN, QObject* objVantorUtils_IN,
    QObject* objVantorCodeTables_IN, QObject* objVantorCodesEditor_IN,
    const QString& strRecordingTemporaryFolder_IN, const QString& strUsername_IN,
    gdenmRecordingType enmRecordingType_IN, gdenmRecordingQualitySamples enmRecordingQualitySamples_IN,
    gdenmRecordingQualitySampleSize enmRecordingQualitySampleSize_IN,
    gdenmRecordingQualityChannels enmRecordingQualityChannels_IN, bool blnDisplayNextDictationButton_IN,
    bool blnDisplayDictationListButton_IN, bool blnDisplayDictateButton_IN, bool blnDisplayEditButton_IN,
    bool blnDisplayTimer_IN, bool blnDisplayDictationName_IN) {
    Q_UNUSED(enmRecordingType_IN); // the recording type is always Dictation after initialisation
    vd::ErrorGuard({vd::kDictationClass, "ControlInitialize2"}, [&] {
        ControlInitializeShort2(objRelayHubServer_IN, objServerUtils_IN, objVantorUtils_IN,
                                objVantorCodeTables_IN, objVantorCodesEditor_IN,
                                strRecordingTemporaryFolder_IN, strUsername_IN);
        const bool dictation = RecordingType() == RecordingType_Dictation;
        d->data.qualitySamples = enmRecordingQualitySamples_IN != 0 ? enmRecordingQualitySamples_IN
                                 : dictation                        ? RecordingQualitySamples_Normal
                                 : RecordingType() == RecordingType_PhoneMessage
                                     ? RecordingQualitySamples_PhoneMessage
                                     : RecordingQualitySamples_Default;
        d->data.qualitySampleSize = enmRecordingQualitySampleSize_IN != 0 ? enmRecordingQualitySampleSize_IN
                                                                          : RecordingQualitySampleSize_Normal;
        d->data.qualityChannels = enmRecordingQualityChannels_IN != 0 ? enmRecordingQualityChannels_IN
                                                                      : RecordingQualityChannels_Mono;
        setDisplayNextDictationButton(dictation && blnDisplayNextDictationButton_IN);
        setDisplayDictationListButton(dictation && blnDisplayDictationListButton_IN);
        setDisplayDictationName(dictation && blnDisplayDictationName_IN);
        setDisplayRecordButton(blnDisplayDictateButton_IN);
        setDisplayInsertButton(blnDisplayDictateButton_IN);
        setDisplayEditButton(blnDisplayEditButton_IN);
        setDisplayTimer(blnDisplayTimer_IN);
        setDisplayStatus(blnDisplayTimer_IN);
        UpdateDisplayLayout();
    });
}

void Dictation::ControlInitialize(
    QObject* objRelayHubServer_IN, QObject* objVantorUtils_IN, QObject* objVantorCodeTables_IN,
    const QString& strRecordingTemporaryFolder_IN, const QString& strUsername_IN,
    gdenmRecordingType enmRecordingType_IN, gdenmRecordingQualitySamples enmRecordingQualitySamples_IN,
    gdenmRecordingQualitySampleSize enmRecordingQualitySampleSize_IN,
    gdenmRecordingQualityChannels enmRecordingQualityChannels_IN, bool blnDisplayNextDictationButton_IN,
    bool blnDisplayDictationListButton_IN, bool blnDisplayDictateButton_IN, bool blnDisplayEditButton_IN,
    bool blnDisplayTimer_IN, bool blnDisplayDictationName_IN) {
    vd::ErrorGuard({vd::kDictationClass, "ControlInitialize"}, [&] {
        ControlInitialize2(
            objRelayHubServer_IN, new ServerUtils(this), objVantorUtils_IN, objVantorCodeTables_IN,
            new VantorCodesEditor(this), strRecordingTemporaryFolder_IN, strUsername_IN, enmRecordingType_IN,
            enmRecordingQualitySamples_IN, enmRecordingQualitySampleSize_IN, enmRecordingQualityChannels_IN,
            blnDisplayNextDictationButton_IN, blnDisplayDictationListButton_IN, blnDisplayDictateButton_IN,
            blnDisplayEditButton_IN, blnDisplayTimer_IN, blnDisplayDictationName_IN);
    });
}

void Dictation::ConnectionSettings(const QString& strConnectionIPAddress_IN,
                                   qint32 lngConnectionPortNumber_IN,
                                   const QString& strConnectionEntityCode_IN,
                                   const QString& strConnectionEntityName_IN,
                                   const QString& strConnectionUsername_IN,
                                   const QString& strConnectionPassword_IN) {
    d->connection = {strConnectionIPAddress_IN,  lngConnectionPortNumber_IN, strConnectionEntityCode_IN,
                     strConnectionEntityName_IN, strConnectionUsername_IN,   strConnectionPassword_IN};
}

void Dictation::AudioSettingFireEvent() {
    vd::ErrorGuard({vd::kDictationClass, "AudioSettingFireEvent"}, [&] {
        Q_EMIT AudioSettingChanged(QStringLiteral("AllAudioSettings"), QString(), QString());
    });
}

// ---------------------------------------------------------------- load, unload, close

void Dictation::ControlLoad(const QString& strDictationControlSetupString_IN, QString& strErrorText_OUT) {
    vd::ErrorGuard({vd::kDictationClass, "ControlLoad"}, [&] {
        d->resetRecordingData(true, true);
        if (strDictationControlSetupString_IN.isEmpty()) {
            d->configureAudio();
        } else if (!vd::SetupStringApply(*this, strDictationControlSetupString_IN)) {
            strErrorText_OUT = QStringLiteral(
                "Invalid number of dictation control setup parameters, working with default parameters");
        }
    });
    vd::ErrorGuard({vd::kDictationClass, "ControlLoad"}, [&] {
        UpdateDisplayLayout();
        DisplayUpdate();
        d->refreshDictationName();
    });
}

void Dictation::ControlUnload(QString& strDictationControlSetupString_OUT, QString& strErrorText_OUT) {
    Q_UNUSED(strErrorText_OUT);
    vd::ErrorGuard({vd::kDictationClass, "ControlUnload"}, [&] {
        strDictationControlSetupString_OUT.clear();
        d->data.textData.clear();
        d->data.textLocation = QStringLiteral("0");
        switch (d->mode) {
        case RecordingMode_Playback:
            PlaybackPause();
            break;
        case RecordingMode_RecordingInsert:
        case RecordingMode_RecordingOverwrite:
            RecordingPause();
            break;
        default:
            break;
        }
        if (d->data.fileName.isEmpty()) d->data.fileName = d->temporaryFileName();
        strDictationControlSetupString_OUT = vd::SetupStringBuild(*this);
    });
}

void Dictation::ControlClose() {
    vd::ErrorGuard({vd::kDictationClass, "ControlClose"}, [&] {
        d->haltEvents = true;
        if (d->rememberedPlaybackVolume >= 0) d->audio.setVolumePlayback(d->rememberedPlaybackVolume);
        setRecordingMode(RecordingMode_None);
        d->status.TimerColorSet(RecordingMode_None);
        d->status.clear();
        if (d->initialized) {
            d->audio.recorder()->Stop();
            d->configureAudio();
            SpeechMikeProCleanup();
            FootPedalsCleanup();
        }
    });
}

// ---------------------------------------------------------------- display

void Dictation::UpdateDisplayLayout() {
    vd::ErrorGuard({vd::kDictationClass, "UpdateDisplayLayout"}, [&] {
        const bool author = d->authorRuleHolds();
        vd::StripVisibility shown;
        shown.record = d->display.recordButton && author;
        shown.insert = d->display.insertButton && author;
        shown.edit = d->display.editButton && author;
        shown.nextDictation = d->display.nextDictationButton;
        shown.dictationList = d->display.dictationListButton;
        shown.levels = d->display.levels;
        shown.levelColor = d->display.voxLevelColor;
        shown.timer = d->display.timer;
        shown.status = d->display.status;
        shown.voiceRecognition = d->display.voiceRecognition;
        shown.dictationName = d->display.dictationName;
        shown.conferenceMode = d->conferenceMode;
        d->strip.layout(shown);
        const vd::StatusInputs in = d->statusInputs();
        d->status.RecordButtonPictureRefresh(in);
        if (shown.status) d->status.DisplayStatusUpdate(in);
        Q_EMIT LayoutUpdated();
    });
}

void Dictation::DisplayUpdate() {
    vd::ErrorGuard({vd::kDictationClass, "DisplayUpdate"}, [&] {
        const vd::StatusInputs in = d->statusInputs();
        d->status.RecordButtonPictureRefresh(in);
        d->status.TimerColorSet(in.mode);
        d->updateTimerDisplay();
        d->status.DisplayStatusUpdate(in);
        d->refreshLevelColor();
        d->refreshTooltips();
        d->refreshDictationName();
        d->loadedFromFile = false;
    });
}

void Dictation::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    vd::ErrorGuard({vd::kDictationClass, "UserControl_Resize"}, [&] { d->strip.resized(); });
}

void Dictation::mouseDoubleClickEvent(QMouseEvent* event) {
    QWidget::mouseDoubleClickEvent(event);
    Q_EMIT DblClick();
}

bool Dictation::eventFilter(QObject* watched, QEvent* event) {
    // Labels and the help picture answer double clicks themselves, so the
    // event must not also reach the control.
    if (event->type() == QEvent::MouseButtonDblClick && qobject_cast<QLabel*>(watched)) {
        Q_EMIT DblClick();
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && watched->objectName() == QLatin1String("imgHelp"))
        vd::HelpFileShow(QStringLiteral("VantorDictation.htm"));
    return QWidget::eventFilter(watched, event);
}

qint32 Dictation::ControlHWnd() const { return qint32(effectiveWinId()); }

// ---------------------------------------------------------------- plain stored properties

#define VD_PLAIN(Type, Name, field)                                                                          \
    Type Dictation::Name() const { return d->field; }                                                        \
    void Dictation::set##Name(Type value) { d->field = value; }
#define VD_PLAIN_STRING(Name, field)                                                                         \
    QString Dictation::Name() const { return d->field; }                                                     \
    void Dictation::set##Name(const QString& value) { d->field = value; }
#define VD_PLAIN_DATE(Name, field)                                                                           \
    QDateTime Dictation::Name() const { return d->field; }                                                   \
    void Dictation::set##Name(const QDateTime& value) { d->field = value; }
#define VD_READ(Type, Name, expr)                                                                            \
    Type Dictation::Name() const { return expr; }

VD_PLAIN(bool, AudioSettingHaltEvents, haltEvents)
VD_PLAIN(bool, UseDragonRoaming, useDragonRoaming)
VD_PLAIN(bool, IgnoreHook, ignoreHook)
VD_PLAIN(bool, DragonAudioSave, dragonAudioSave)
VD_PLAIN(bool, DragonMicrophoneOn, dragonMicrophoneOn)
VD_PLAIN(gdenmDragonRoamingMode, DragonRoamingMode, dragonRoamingMode)
VD_PLAIN(bool, NoInitSpeechmikePro, noInitSpeechmikePro)
VD_PLAIN(bool, NoInitFootpedals, noInitFootpedals)
VD_PLAIN(bool, DisableCompression, disableCompression)
VD_PLAIN(bool, DictationCheckSecurity, dictationCheckSecurity)
VD_PLAIN(bool, DictationListDisplayIncludeArchive, listDisplayIncludeArchive)
VD_PLAIN(bool, DictationListIncludeArchive, listIncludeArchive)
VD_PLAIN_STRING(DictationListSelectionExclusionAuthor, listSelectionExclusionAuthor)
VD_PLAIN(genmWorkflowTrackingDictation, WorkflowListTrackingDictation, trackingDictation)
VD_PLAIN(genmWorkflowTrackingVoiceRecognition, WorkflowListTrackingVoiceRecognition, trackingVoiceRecognition)
VD_PLAIN(genmWorkflowTrackingTranscription, WorkflowListTrackingTranscription, trackingTranscription)
VD_PLAIN(bool, WorkflowListShowHistory, workflowShowHistory)
VD_PLAIN(bool, WorkflowListShowNotes, workflowShowNotes)
VD_PLAIN(bool, WorkflowListShowImages, workflowShowImages)
VD_PLAIN(bool, WorkflowListAutoShowHist, workflowAutoShowHist)
VD_PLAIN(bool, WorkflowListAutoShowImage, workflowAutoShowImage)
VD_PLAIN(qint32, WorkflowListLeft, workflowLeft)
VD_PLAIN(qint32, WorkflowListTop, workflowTop)
VD_PLAIN(qint32, WorkflowListWidth, workflowWidth)
VD_PLAIN(qint32, WorkflowListHeight, workflowHeight)
VD_PLAIN(VantorDictation4::gdenmRecordingMode, RecordingMode, mode)

VD_PLAIN(gdenmRecordingType, RecordingType, data.type)
VD_PLAIN_STRING(RecordingVersion, data.version)
VD_PLAIN_STRING(RecordingFileSource, data.fileSource)
VD_PLAIN_STRING(RecordingDescription, data.description)
VD_PLAIN_STRING(RecordingFileName, data.fileName)
VD_PLAIN_STRING(RecordingFileExtension, data.fileExtension)
VD_PLAIN_DATE(RecordingCreationDate, data.creationDate)
VD_PLAIN_DATE(RecordingEditDate, data.editDate)
VD_PLAIN(qint32, RecordingFileSize, data.fileSize)
VD_PLAIN(gdenmRecordingQualitySamples, RecordingQualitySamples, data.qualitySamples)
VD_PLAIN(gdenmRecordingQualitySampleSize, RecordingQualitySampleSize, data.qualitySampleSize)
VD_PLAIN(gdenmRecordingQualityChannels, RecordingQualityChannels, data.qualityChannels)
VD_PLAIN_STRING(DictationFileStatus, data.fileStatus)
VD_PLAIN(gdenmDictationType, DictationType, data.dictationType)
VD_PLAIN(gdenmTranscriptionType, TranscriptionType, data.transcriptionType)
VD_PLAIN_STRING(DictationTextData, data.textData)
VD_PLAIN_STRING(DictationPatientAccountNumber, data.patientAccountNumber)
VD_PLAIN_STRING(DictationPatientName, data.patientName)
VD_PLAIN_STRING(DictationStudyCode, data.studyCode)
VD_PLAIN_STRING(DictationModalityCode, data.modalityCode)
VD_PLAIN_STRING(DictationSeriesCode, data.seriesCode)
VD_PLAIN_STRING(DictationSeriesDescription, data.seriesDescription)
VD_PLAIN_STRING(DictationPlaceOfServiceCode, data.placeOfServiceCode)
VD_PLAIN_STRING(DictationPlaceOfServiceName, data.placeOfServiceName)
VD_PLAIN_STRING(DictationReferringPhysicianCode, data.referringPhysicianCode)
VD_PLAIN_STRING(DictationReferringPhysicianName, data.referringPhysicianName)
VD_PLAIN_STRING(DictationStudyTemplateCode, data.studyTemplateCode)
VD_PLAIN_STRING(DictationStudyTemplateDescription, data.studyTemplateDescription)
VD_PLAIN_STRING(DictationTranscriptionNote, data.transcriptionNote)
VD_PLAIN_STRING(ExternalKey, data.externalKey)
VD_PLAIN_STRING(TrackingTypeCode, data.trackingTypeCode)
VD_PLAIN_STRING(TrackingEditorCode, data.trackingEditorCode)
VD_PLAIN_DATE(DictationDateOfService, data.dateOfService)
VD_PLAIN_DATE(DictationTranscriptionStartDate, data.transcriptionStartDate)
VD_PLAIN(bool, DictationStudyNormal, data.studyNormal)

VD_READ(bool, Initialized, d->initialized)
VD_READ(bool, SpeechMikeProAvailable, d->speechMikeProAvailable)
VD_READ(bool, FootpedalsAvailable, d->footpedalsAvailable)
VD_READ(bool, DragonSpeakAvailable, d->dragonSpeakAvailable)
VD_READ(bool, DragonspeakEnabled, d->dragonspeakEnabled)
VD_READ(bool, ExternalTextWaiting, d->externalTextWaiting)
VD_READ(bool, AudioFileRecognitionRunning, d->audioFileRecognitionRunning)
VD_READ(bool, ApplicationSwitchInitialized, d->applicationSwitchInitialized)
VD_READ(bool, ApplicationSwitching, d->applicationSwitching)
VD_READ(double, PlaybackMaxTime, d->data.playbackMaxTime)
VD_READ(bool, RecordingChanged, d->data.recordingChanged)
VD_READ(bool, HeaderChanged, d->data.headerChanged)
VD_READ(QString, RecordingName, d->data.name)
VD_READ(bool, DictationConferenceMode, d->conferenceMode)
VD_READ(gdenmDictationPriority, DictationPriority, d->data.priority)
VD_READ(QString, DictationAuthor, d->data.author)
VD_READ(QString, DictationTextLocation, d->data.textLocation)
VD_READ(short, AppearanceDisplay, d->appearance)
VD_READ(bool, SpeechmikeClassic, d->speechmikeClassic)
VD_READ(QString, DictationListSortOrder, d->listSortOrder)
VD_READ(QString, DictationListSelectionAuthor, d->listSelectionAuthor)
VD_READ(short, DictationListSelectionPriority, d->listSelectionPriority)
VD_READ(clsButtonCommand*, ButtonCommand, d->buttonCommand.data())
VD_READ(QString, RecordingTemporaryFolder, d->temporaryFolder)
VD_READ(bool, SplashMessageDisabled, vd::SplashDisabled())
VD_READ(gdenmRecognitionMode, RecognitionMode, d->recognitionMode)

// The speech engine is not linked in yet: these read false until it is.
VD_READ(bool, DragonspeakRunning, false)
VD_READ(bool, DragonEngineBusy, false)
VD_READ(bool, DragonSpeakerRoaming, false)

// ---------------------------------------------------------------- setters with behaviour

void Dictation::setSplashMessageDisabled(bool value) { vd::SplashDisabled() = value; }

void Dictation::setRecordingName(const QString& value) {
    d->data.name = value;
    vd::ErrorGuard({vd::kDictationClass, "RecordingName", vd::PrefixStyle::EnDash, "Let "},
                   [&] { d->refreshDictationName(); });
}

void Dictation::setDictationConferenceMode(bool value) {
    d->conferenceMode = d->speechmikeClassic ? false : value;
}

void Dictation::setSpeechmikeClassic(bool value) { d->speechmikeClassic = value; }

void Dictation::setDictationPriority(gdenmDictationPriority value) {
    if (value != d->data.priority) d->data.headerChanged = true;
    d->data.priority = value;
}

void Dictation::setDictationAuthor(const QString& value) { d->data.author = value.toUpper(); }

void Dictation::setDictationTextLocation(const QString& value) {
    d->data.textLocation = vd::TextLocationConvert(value);
}

void Dictation::setAppearanceDisplay(short value) {
    d->appearance = value;
    vd::ErrorGuard({vd::kDictationClass, "AppearanceDisplay", vd::PrefixStyle::EnDash, "Let "},
                   [&] { d->strip.setAppearance(value); });
}

void Dictation::setDictationListSortOrder(const QString& value) {
    d->listSortOrder = value.isEmpty() ? QStringLiteral("PRIORITY, DATE") : value;
}

void Dictation::setDictationListSelectionAuthor(const QString& value) {
    d->listSelectionAuthor = value.isEmpty() ? QStringLiteral("*") : value;
}

void Dictation::setDictationListSelectionPriority(short value) {
    d->listSelectionPriority = (value >= 1 && value <= 3) ? value : 0;
}

void Dictation::setButtonCommand(clsButtonCommand* value) { d->buttonCommand = value; }

void Dictation::setRecordingTemporaryFolder(const QString& value) {
    d->temporaryFolder = value;
    d->setFileRoot(value);
}

void Dictation::setRecognitionMode(gdenmRecognitionMode value) {
    d->recognitionMode = value;
    vd::ErrorGuard({vd::kDictationClass, "RecognitionMode", vd::PrefixStyle::EnDash, "Let "},
                   [&] { d->updateTimerDisplay(); });
}

void Dictation::setDragonspeakEnabled(bool value) {
    // Recognition can only be switched on when an engine is available.
    d->dragonspeakEnabled = value && d->dragonSpeakAvailable;
}

// Layout settings
#define VD_LAYOUT(Name, field)                                                                               \
    bool Dictation::Name() const { return d->display.field; }                                                \
    void Dictation::set##Name(bool value) {                                                                  \
        if (d->display.field == value) return;                                                               \
        d->display.field = value;                                                                            \
        UpdateDisplayLayout();                                                                               \
    }
VD_LAYOUT(DisplayNextDictationButton, nextDictationButton)
VD_LAYOUT(DisplayDictationListButton, dictationListButton)
VD_LAYOUT(DisplayRecordButton, recordButton)
VD_LAYOUT(DisplayInsertButton, insertButton)
VD_LAYOUT(DisplayEditButton, editButton)
VD_LAYOUT(DisplayLevels, levels)
VD_LAYOUT(DisplayVoxLevelColor, voxLevelColor)
VD_LAYOUT(DisplayDictationName, dictationName)
VD_LAYOUT(DisplayVoiceRecognition, voiceRecognition)
VD_LAYOUT(DisplayTimer, timer)

bool Dictation::DisplayStatus() const { return d->display.status; }
void Dictation::setDisplayStatus(bool value) {
    if (d->display.status == value) return;
    d->display.status = value;
    UpdateDisplayLayout();
    vd::ErrorGuard({vd::kDictationClass, "DisplayStatus", vd::PrefixStyle::EnDash, "Let "},
                   [&] { d->refreshTooltips(); });
}

// Colour settings: process-wide, re-applied to the control and the message component.
#define VD_COLOR(Name, field)                                                                                \
    qint32 Dictation::Name() const { return vd::Colors().field; }                                            \
    void Dictation::set##Name(qint32 value) {                                                                \
        vd::Colors().field = value;                                                                          \
        vd::ErrorGuard({vd::kDictationClass, #Name, vd::PrefixStyle::EnDash, "Let "}, [&] {                  \
            vd::FormCustomColorSet(this);                                                                    \
            if (auto* m = qobject_cast<MessageComponent*>(vd::Slots().message.data()))                       \
                m->MessageColorsSet(ColorFormBackground(), ColorTextBackground(), ColorTextForeground(),     \
                                    ColorButton());                                                          \
        });                                                                                                  \
    }
VD_COLOR(ColorFormBackground, formBackground)
VD_COLOR(ColorTextBackground, textBackground)
VD_COLOR(ColorTextForeground, textForeground)
VD_COLOR(ColorRequired, required)
VD_COLOR(ColorButton, button)
VD_COLOR(ColorGridSelection, gridSelection)

// Settings that raise AudioSettingChanged
qint32 Dictation::RewindMilliseconds() const { return d->rewindMs; }
void Dictation::setRewindMilliseconds(qint32 value) {
    if (value > 0) d->changeSetting("RewindMilliseconds", d->rewindMs, value);
}
qint32 Dictation::ForwardMilliseconds() const { return d->forwardMs; }
void Dictation::setForwardMilliseconds(qint32 value) {
    if (value > 0) d->changeSetting("ForwardMilliseconds", d->forwardMs, value);
}
qint32 Dictation::RewindAfterPlayMilliseconds() const { return d->rewindAfterPlayMs; }
void Dictation::setRewindAfterPlayMilliseconds(qint32 value) {
    if (value >= 0) d->changeSetting("RewindAfterPlayMilliseconds", d->rewindAfterPlayMs, value);
}
gdenmFootpedalAction Dictation::FootpedalActionLeft() const { return d->pedalLeft; }
void Dictation::setFootpedalActionLeft(gdenmFootpedalAction value) {
    d->changeSetting("FootpedalActionLeft", d->pedalLeft, value);
}
gdenmFootpedalAction Dictation::FootpedalActionMiddle() const { return d->pedalMiddle; }
void Dictation::setFootpedalActionMiddle(gdenmFootpedalAction value) {
    d->changeSetting("FootpedalActionMiddle", d->pedalMiddle, value);
}
gdenmFootpedalAction Dictation::FootpedalActionRight() const { return d->pedalRight; }
void Dictation::setFootpedalActionRight(gdenmFootpedalAction value) {
    d->changeSetting("FootpedalActionRight", d->pedalRight, value);
}

// These two report any change, even one they refuse to store.
qint32 Dictation::TranscribePauseMilliseconds() const { return d->transcribePauseMs; }
void Dictation::setTranscribePauseMilliseconds(qint32 value) {
    if (value == d->transcribePauseMs) return;
    const qint32 old = d->transcribePauseMs;
    if (value >= 1) d->transcribePauseMs = value;
    d->settingChanged("TranscribePauseMilliseconds", vd::SettingText(old),
                      vd::SettingText(d->transcribePauseMs));
}
float Dictation::TranscribePauseThreshold() const { return d->transcribePauseThreshold; }
void Dictation::setTranscribePauseThreshold(float value) {
    if (value == d->transcribePauseThreshold) return;
    const float old = d->transcribePauseThreshold;
    if (value >= 0.0f && value <= 1.0f) d->transcribePauseThreshold = value;
    d->settingChanged("TranscribePauseThreshold", vd::SettingText(old),
                      vd::SettingText(d->transcribePauseThreshold));
}

gdenmDragonbarMode Dictation::DragonbarMode() const { return d->dragonbarMode; }
void Dictation::setDragonbarMode(gdenmDragonbarMode value) {
    d->changeSetting("DragonbarMode", d->dragonbarMode, value);
}
QString Dictation::DragonSpeaker() const { return d->dragonSpeaker; }
void Dictation::setDragonSpeaker(const QString& value) {
    d->changeSetting("DragonSpeaker", d->dragonSpeaker, value);
}
qint32 Dictation::DragonSource() const { return d->dragonSource; }
void Dictation::setDragonSource(qint32 value) { d->changeSetting("DragonSource", d->dragonSource, value); }

// Audio device layer
#define VD_AUDIO(Type, Name)                                                                                 \
    Type Dictation::Name() const {                                                                           \
        Type result{};                                                                                       \
        vd::ErrorGuard({vd::kDictationClass, #Name, vd::PrefixStyle::EnDash, "Get "},                        \
                       [&] { result = d->audio.Name(); });                                                   \
        return result;                                                                                       \
    }                                                                                                        \
    void Dictation::set##Name(Type value) {                                                                  \
        vd::ErrorGuard({vd::kDictationClass, #Name, vd::PrefixStyle::EnDash, "Let "},                        \
                       [&] { d->audio.set##Name(value); });                                                  \
    }
VD_AUDIO(bool, VoxActive)
VD_AUDIO(float, VoxStartVolume)
VD_AUDIO(float, VoxStopVolume)
VD_AUDIO(short, VoxWaitTimeTenths)
VD_AUDIO(short, VolumePlayback)
VD_AUDIO(short, PlaybackAudioRate)

QString Dictation::DevicePlaybackName() const {
    QString result;
    vd::ErrorGuard({vd::kDictationClass, "DevicePlaybackName", vd::PrefixStyle::EnDash, "Get "},
                   [&] { result = d->audio.DevicePlaybackName(); });
    return result;
}
void Dictation::setDevicePlaybackName(const QString& value) {
    vd::ErrorGuard({vd::kDictationClass, "DevicePlaybackName", vd::PrefixStyle::EnDash, "Let "},
                   [&] { d->audio.setDevicePlaybackName(value); });
}
QString Dictation::DeviceRecordingName() const {
    QString result;
    vd::ErrorGuard({vd::kDictationClass, "DeviceRecordingName", vd::PrefixStyle::EnDash, "Get "},
                   [&] { result = d->audio.DeviceRecordingName(); });
    return result;
}
void Dictation::setDeviceRecordingName(const QString& value) {
    vd::ErrorGuard({vd::kDictationClass, "DeviceRecordingName", vd::PrefixStyle::EnDash, "Let "},
                   [&] { d->audio.setDeviceRecordingName(value); });
}
QString Dictation::DevicePlaybackList() const {
    QString result;
    vd::ErrorGuard({vd::kDictationClass, "DevicePlaybackList", vd::PrefixStyle::EnDash, "Get "},
                   [&] { result = d->audio.DevicePlaybackList(); });
    return result;
}
QString Dictation::DeviceRecordingList() const {
    QString result;
    vd::ErrorGuard({vd::kDictationClass, "DeviceRecordingList", vd::PrefixStyle::EnDash, "Get "},
                   [&] { result = d->audio.DeviceRecordingList(); });
    return result;
}

short Dictation::VolumeRecording() const { return 70; }
void Dictation::setVolumeRecording(short) {}
short Dictation::RecordingAudioRate() const { return PlaybackAudioRate(); }
void Dictation::setRecordingAudioRate(short value) { setPlaybackAudioRate(value); }
short Dictation::RecordingAudioVolume() const { return VolumePlayback(); }
void Dictation::setRecordingAudioVolume(short value) { setVolumePlayback(value); }

double Dictation::RecordingTotalSeconds() const {
    double result = 0;
    vd::ErrorGuard({vd::kDictationClass, "RecordingTotalSeconds", vd::PrefixStyle::EnDash, "Get "},
                   [&] { result = d->audio.recorder()->TotalSeconds(); });
    return result;
}
qint32 Dictation::RecordingTotalSamples() const {
    qint32 result = 0;
    vd::ErrorGuard({vd::kDictationClass, "RecordingTotalSamples", vd::PrefixStyle::EnDash, "Get "},
                   [&] { result = d->audio.recorder()->TotalSamples(); });
    return result;
}
qint32 Dictation::RecordingCurrentSample() const {
    qint32 result = 0;
    vd::ErrorGuard({vd::kDictationClass, "RecordingCurrentSample", vd::PrefixStyle::EnDash, "Get "},
                   [&] { result = d->audio.recorder()->PositionSamples(); });
    return result;
}
void Dictation::setRecordingCurrentSample(qint32 value) {
    vd::ErrorGuard({vd::kDictationClass, "RecordingCurrentSample", vd::PrefixStyle::EnDash, "Let "}, [&] {
        d->audio.recorder()->setPositionSamples(value);
        d->updateTimerDisplay();
    });
}
double Dictation::RecordingCurrentSeconds() const {
    double result = 0;
    vd::ErrorGuard({vd::kDictationClass, "RecordingCurrentSeconds", vd::PrefixStyle::EnDash, "Get "},
                   [&] { result = d->audio.recorder()->PositionSeconds(); });
    return result;
}
void Dictation::setRecordingCurrentSeconds(double value) {
    vd::ErrorGuard({vd::kDictationClass, "RecordingCurrentSeconds", vd::PrefixStyle::EnDash, "Let "}, [&] {
        d->audio.recorder()->setPositionSeconds(value);
        d->updateTimerDisplay();
    });
}

// ---------------------------------------------------------------- factory

extern "C" QWidget* VantorDictation4_CreateControl(QWidget* parent) {
    QWidget* control = nullptr;
    vd::ErrorGuard({"Dictation Module", "VantorDictation4_CreateControl"},
                   [&] { control = new Dictation(parent); });
    return control;
}
