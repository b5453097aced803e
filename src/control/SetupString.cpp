// The setup string: the control's whole working state as 89 fields joined by
// "è", written by ControlUnload and applied again by ControlLoad.
#include "DictationPrivate.h"
#include "common/ProcessState.h"
#include "common/StringProcedures.h"

#include <QFileInfo>

#include <array>

using namespace VantorDictation4;

namespace vd {

namespace {
const QChar kSeparator(0x00E8);

struct Field {
    QString (*write)(Dictation&);
    void (*read)(Dictation&, const QString&); // nullptr: not read back
};

QString yn(bool v) { return BooleanToString(v); }
QString num(qint64 v) { return QString::number(v); }
bool flag(const QString& s) { return StringToBoolean(s); }
qint32 lng(const QString& s) { return StringToLongwordInteger(s); }
short integer(const QString& s) { return StringToInteger(s); }
DictationPrivate& priv(Dictation& c) { return c.internals(); }

// Fields in their fixed order; the position is the field's number.
const std::array<Field, kSetupFieldCount> kFields = {{
    /* 0 */ {[](Dictation& c) { return num(c.RecordingType()); },
             [](Dictation& c, const QString& s) { c.setRecordingType(gdenmRecordingType(lng(s))); }},
    /* 1 */
    {[](Dictation& c) { return c.RecordingName().trimmed(); },
     [](Dictation& c, const QString& s) { c.setRecordingName(s.trimmed()); }},
    /* 2 */
    {[](Dictation& c) { return c.RecordingVersion().trimmed(); },
     [](Dictation& c, const QString& s) { c.setRecordingVersion(s.trimmed()); }},
    /* 3 */
    {[](Dictation& c) { return c.RecordingDescription().trimmed(); },
     [](Dictation& c, const QString& s) { c.setRecordingDescription(s.trimmed()); }},
    /* 4 */
    {[](Dictation& c) { return FormatDateTime(c.RecordingCreationDate()); },
     [](Dictation& c, const QString& s) { c.setRecordingCreationDate(StringToDate(s)); }},
    /* 5 */
    {[](Dictation& c) { return FormatDateTime(c.RecordingEditDate()); },
     [](Dictation& c, const QString& s) { c.setRecordingEditDate(StringToDate(s)); }},
    /* 6 */
    {[](Dictation& c) { return c.RecordingFileName().trimmed(); },
     [](Dictation& c, const QString& s) { c.setRecordingFileName(s.trimmed()); }},
    /* 7 */
    {[](Dictation& c) { return num(c.RecordingFileSize()); },
     [](Dictation& c, const QString& s) { c.setRecordingFileSize(lng(s)); }},
    /* 8 */
    {[](Dictation& c) { return c.RecordingFileSource().trimmed(); },
     [](Dictation& c, const QString& s) { c.setRecordingFileSource(s.trimmed()); }},
    /* 9 */
    {[](Dictation& c) { return num(c.RecordingQualitySamples()); },
     [](Dictation& c, const QString& s) {
         c.setRecordingQualitySamples(gdenmRecordingQualitySamples(lng(s)));
     }},
    /* 10 */
    {[](Dictation& c) { return num(c.RecordingQualitySampleSize()); },
     [](Dictation& c, const QString& s) {
         c.setRecordingQualitySampleSize(gdenmRecordingQualitySampleSize(lng(s)));
     }},
    /* 11 */
    {[](Dictation& c) { return num(c.RecordingQualityChannels()); },
     [](Dictation& c, const QString& s) {
         c.setRecordingQualityChannels(gdenmRecordingQualityChannels(lng(s)));
     }},
    /* 12 */
    {[](Dictation& c) { return c.DictationStudyCode().trimmed(); },
     [](Dictation& c, const QString& s) { c.setDictationStudyCode(s.trimmed()); }},
    /* 13 */
    {[](Dictation& c) { return c.DictationModalityCode().trimmed(); },
     [](Dictation& c, const QString& s) { c.setDictationModalityCode(s.trimmed()); }},
    /* 14 */
    {[](Dictation& c) { return num(c.DictationPriority()); },
     [](Dictation& c, const QString& s) { c.setDictationPriority(gdenmDictationPriority(lng(s))); }},
    /* 15 */
    {[](Dictation& c) { return yn(c.DictationConferenceMode()); },
     [](Dictation& c, const QString& s) { c.setDictationConferenceMode(flag(s)); }},
    /* 16 */
    {[](Dictation& c) { return yn(c.RecordingChanged()); },
     [](Dictation& c, const QString& s) { priv(c).data.recordingChanged = flag(s); }},
    /* 17 */
    {[](Dictation& c) { return yn(c.HeaderChanged()); },
     [](Dictation& c, const QString& s) { priv(c).data.headerChanged = flag(s); }},
    /* 18 */
    {[](Dictation& c) { return FormatNumber(c.PlaybackMaxTime()); },
     [](Dictation& c, const QString& s) { priv(c).data.playbackMaxTime = StringToDoublewordFloat(s); }},
    /* 19 */
    {[](Dictation& c) { return num(c.RecordingMode()); },
     [](Dictation& c, const QString& s) { c.setRecordingMode(gdenmRecordingMode(lng(s))); }},
    /* 20 */
    {[](Dictation& c) { return num(c.DictationType()); },
     [](Dictation& c, const QString& s) { c.setDictationType(gdenmDictationType(lng(s))); }},
    /* 21 */
    {[](Dictation& c) { return c.DictationPatientAccountNumber().trimmed(); },
     [](Dictation& c, const QString& s) { c.setDictationPatientAccountNumber(s.trimmed()); }},
    /* 22 */
    {[](Dictation& c) { return c.DictationPatientName().trimmed(); },
     [](Dictation& c, const QString& s) { c.setDictationPatientName(s.trimmed()); }},
    /* 23 */
    {[](Dictation& c) { return FormatDate(c.DictationDateOfService()); },
     [](Dictation& c, const QString& s) { c.setDictationDateOfService(StringToDate(s)); }},
    /* 24 */
    {[](Dictation& c) { return c.DictationPlaceOfServiceCode(); },
     [](Dictation& c, const QString& s) { c.setDictationPlaceOfServiceCode(s); }},
    /* 25 */
    {[](Dictation& c) { return c.DictationPlaceOfServiceName(); },
     [](Dictation& c, const QString& s) { c.setDictationPlaceOfServiceName(s); }},
    /* 26 */
    {[](Dictation& c) { return c.DictationReferringPhysicianCode(); },
     [](Dictation& c, const QString& s) { c.setDictationReferringPhysicianCode(s); }},
    /* 27 */
    {[](Dictation& c) { return c.DictationReferringPhysicianName(); },
     [](Dictation& c, const QString& s) { c.setDictationReferringPhysicianName(s); }},
    /* 28 */
    {[](Dictation& c) { return c.DictationFileStatus().trimmed(); },
     [](Dictation& c, const QString& s) { c.setDictationFileStatus(s.trimmed()); }},
    /* 29 */
    {[](Dictation& c) { return c.DictationStudyTemplateCode().trimmed(); },
     [](Dictation& c, const QString& s) { c.setDictationStudyTemplateCode(s.trimmed()); }},
    /* 30 */
    {[](Dictation& c) { return yn(c.DictationStudyNormal()); },
     [](Dictation& c, const QString& s) { c.setDictationStudyNormal(flag(s)); }},
    /* 31 */
    {[](Dictation& c) { return c.DictationTranscriptionNote().trimmed(); },
     [](Dictation& c, const QString& s) { c.setDictationTranscriptionNote(s.trimmed()); }},
    /* 32 */
    {[](Dictation& c) { return c.DictationAuthor().trimmed().toUpper(); },
     [](Dictation& c, const QString& s) { c.setDictationAuthor(s.trimmed()); }},
    /* 33 */
    {[](Dictation& c) { return FormatDateTime(c.DictationTranscriptionStartDate()); },
     [](Dictation& c, const QString& s) { c.setDictationTranscriptionStartDate(StringToDate(s)); }},
    /* 34 */
    {[](Dictation& c) { return c.DictationTextData().trimmed(); },
     [](Dictation& c, const QString& s) { c.setDictationTextData(s.trimmed()); }},
    /* 35 */
    {[](Dictation& c) { return c.DictationTextLocation().trimmed(); },
     [](Dictation& c, const QString& s) { c.setDictationTextLocation(s.trimmed()); }},
    /* 36 */
    {[](Dictation& c) { return yn(c.DisplayNextDictationButton()); },
     [](Dictation& c, const QString& s) { c.setDisplayNextDictationButton(flag(s)); }},
    /* 37 */
    {[](Dictation& c) { return yn(c.DisplayDictationListButton()); },
     [](Dictation& c, const QString& s) { c.setDisplayDictationListButton(flag(s)); }},
    /* 38 */
    {[](Dictation& c) { return yn(c.DisplayRecordButton()); },
     [](Dictation& c, const QString& s) { c.setDisplayRecordButton(flag(s)); }},
    /* 39 */
    {[](Dictation& c) { return yn(c.DisplayInsertButton()); },
     [](Dictation& c, const QString& s) { c.setDisplayInsertButton(flag(s)); }},
    /* 40 */
    {[](Dictation& c) { return yn(c.DisplayEditButton()); },
     [](Dictation& c, const QString& s) { c.setDisplayEditButton(flag(s)); }},
    /* 41 */
    {[](Dictation& c) { return yn(c.DisplayLevels()); },
     [](Dictation& c, const QString& s) { c.setDisplayLevels(flag(s)); }},
    /* 42 */
    {[](Dictation& c) { return yn(c.DisplayVoxLevelColor()); },
     [](Dictation& c, const QString& s) { c.setDisplayVoxLevelColor(flag(s)); }},
    /* 43 */
    {[](Dictation& c) { return yn(c.DisplayTimer()); },
     [](Dictation& c, const QString& s) { c.setDisplayTimer(flag(s)); }},
    /* 44 */
    {[](Dictation& c) { return yn(c.DisplayStatus()); },
     [](Dictation& c, const QString& s) { c.setDisplayStatus(flag(s)); }},
    /* 45 */
    {[](Dictation& c) { return yn(c.DisplayVoiceRecognition()); },
     [](Dictation& c, const QString& s) { c.setDisplayVoiceRecognition(flag(s)); }},
    /* 46 */
    {[](Dictation& c) { return yn(c.DisplayDictationName()); },
     [](Dictation& c, const QString& s) { c.setDisplayDictationName(flag(s)); }},
    /* 47 */ {[](Dictation& c) { return FormatFraction(c.RecordingTotalSeconds()); }, nullptr},
    /* 48 */ {[](Dictation& c) { return num(c.RecordingTotalSamples()); }, nullptr},
    /* 49 */ {[](Dictation& c) { return num(c.RecordingCurrentSample()); }, nullptr}, // applied on reopening
                                                                                      /* 50 */
    {[](Dictation& c) { return yn(c.DictationCheckSecurity()); },
     [](Dictation& c, const QString& s) { c.setDictationCheckSecurity(flag(s)); }},
    /* 51 */
    {[](Dictation& c) { return c.ExternalKey(); },
     [](Dictation& c, const QString& s) { c.setExternalKey(s); }},
    /* 52 */
    {[](Dictation& c) { return c.TrackingTypeCode(); },
     [](Dictation& c, const QString& s) { priv(c).data.trackingTypeCode = s; }},
    /* 53 */
    {[](Dictation& c) { return c.TrackingEditorCode(); },
     [](Dictation& c, const QString& s) { priv(c).data.trackingEditorCode = s; }},
    /* 54 */
    {[](Dictation& c) { return num(c.TranscriptionType()); },
     [](Dictation& c, const QString& s) { c.setTranscriptionType(gdenmTranscriptionType(lng(s))); }},
    /* 55 */
    {[](Dictation& c) { return num(c.WorkflowListTrackingDictation()); },
     [](Dictation& c, const QString& s) {
         c.setWorkflowListTrackingDictation(genmWorkflowTrackingDictation(lng(s)));
     }},
    /* 56 */
    {[](Dictation& c) { return num(c.WorkflowListTrackingVoiceRecognition()); },
     [](Dictation& c, const QString& s) {
         c.setWorkflowListTrackingVoiceRecognition(genmWorkflowTrackingVoiceRecognition(lng(s)));
     }},
    /* 57 */
    {[](Dictation& c) { return num(c.WorkflowListTrackingTranscription()); },
     [](Dictation& c, const QString& s) {
         c.setWorkflowListTrackingTranscription(genmWorkflowTrackingTranscription(lng(s)));
     }},
    /* 58 */
    {[](Dictation& c) { return yn(c.WorkflowListShowHistory()); },
     [](Dictation& c, const QString& s) { c.setWorkflowListShowHistory(flag(s)); }},
    /* 59 */
    {[](Dictation& c) { return yn(c.WorkflowListShowImages()); },
     [](Dictation& c, const QString& s) { c.setWorkflowListShowImages(flag(s)); }},
    /* 60 */
    {[](Dictation& c) { return yn(c.WorkflowListShowNotes()); },
     [](Dictation& c, const QString& s) { c.setWorkflowListShowNotes(flag(s)); }},
    /* 61 */
    {[](Dictation& c) { return yn(c.DictationListDisplayIncludeArchive()); },
     [](Dictation& c, const QString& s) { c.setDictationListDisplayIncludeArchive(flag(s)); }},
    /* 62 */
    {[](Dictation& c) { return yn(c.DictationListIncludeArchive()); },
     [](Dictation& c, const QString& s) { c.setDictationListIncludeArchive(flag(s)); }},
    /* 63 */
    {[](Dictation& c) { return c.DictationListSelectionAuthor(); },
     [](Dictation& c, const QString& s) { c.setDictationListSelectionAuthor(s); }},
    /* 64 */
    {[](Dictation& c) { return c.DictationListSelectionExclusionAuthor(); },
     [](Dictation& c, const QString& s) { c.setDictationListSelectionExclusionAuthor(s); }},
    /* 65 */
    {[](Dictation& c) { return num(c.DictationListSelectionPriority()); },
     [](Dictation& c, const QString& s) { c.setDictationListSelectionPriority(integer(s)); }},
    /* 66 */
    {[](Dictation& c) { return c.DictationListSortOrder(); },
     [](Dictation& c, const QString& s) { c.setDictationListSortOrder(s); }},
    /* 67 */
    {[](Dictation&) { return num(Colors().formBackground); },
     [](Dictation&, const QString& s) { Colors().formBackground = lng(s); }},
    /* 68 */
    {[](Dictation&) { return num(Colors().textBackground); },
     [](Dictation&, const QString& s) { Colors().textBackground = lng(s); }},
    /* 69 */
    {[](Dictation&) { return num(Colors().textForeground); },
     [](Dictation&, const QString& s) { Colors().textForeground = lng(s); }},
    /* 70 */
    {[](Dictation&) { return num(Colors().required); },
     [](Dictation&, const QString& s) { Colors().required = lng(s); }},
    /* 71 */
    {[](Dictation&) { return num(Colors().button); },
     [](Dictation&, const QString& s) { Colors().button = lng(s); }},
    /* 72 */
    {[](Dictation&) { return num(Colors().gridSelection); },
     [](Dictation&, const QString& s) { Colors().gridSelection = lng(s); }},
    /* 73 */
    {[](Dictation& c) { return yn(c.Initialized()); },
     [](Dictation& c, const QString& s) { priv(c).initialized = flag(s); }},
    /* 74 */
    {[](Dictation& c) { return yn(c.NoInitSpeechmikePro()); },
     [](Dictation& c, const QString& s) { c.setNoInitSpeechmikePro(flag(s)); }},
    /* 75 */
    {[](Dictation& c) { return yn(c.NoInitFootpedals()); },
     [](Dictation& c, const QString& s) { c.setNoInitFootpedals(flag(s)); }},
    /* 76 */
    {[](Dictation& c) { return yn(c.DisableCompression()); },
     [](Dictation& c, const QString& s) { c.setDisableCompression(flag(s)); }},
    /* 77 */
    {[](Dictation& c) { return priv(c).connection.address.trimmed(); },
     [](Dictation& c, const QString& s) { priv(c).connection.address = s.trimmed(); }},
    /* 78 */
    {[](Dictation& c) { return num(priv(c).connection.port); },
     [](Dictation& c, const QString& s) { priv(c).connection.port = lng(s); }},
    /* 79 */
    {[](Dictation& c) { return priv(c).connection.entityCode.trimmed(); },
     [](Dictation& c, const QString& s) { priv(c).connection.entityCode = s.trimmed(); }},
    /* 80 */
    {[](Dictation& c) { return priv(c).connection.entityName.trimmed(); },
     [](Dictation& c, const QString& s) { priv(c).connection.entityName = s.trimmed(); }},
    /* 81 */
    {[](Dictation& c) { return priv(c).connection.userName.trimmed(); },
     [](Dictation& c, const QString& s) { priv(c).connection.userName = s.trimmed(); }},
    /* 82 */
    {[](Dictation& c) { return priv(c).connection.password.trimmed(); },
     [](Dictation& c, const QString& s) { priv(c).connection.password = s.trimmed(); }},
    /* 83 */
    {[](Dictation& c) { return yn(c.ExternalTextWaiting()); },
     [](Dictation& c, const QString& s) { priv(c).externalTextWaiting = flag(s); }},
    /* 84 */
    {[](Dictation& c) { return yn(c.SpeechmikeClassic()); },
     [](Dictation& c, const QString& s) { priv(c).speechmikeClassic = flag(s); }},
    /* 85 */
    {[](Dictation& c) { return yn(priv(c).loadedFromFile); },
     [](Dictation& c, const QString& s) { priv(c).loadedFromFile = flag(s); }},
    /* 86 */
    {[](Dictation& c) { return num(c.RecognitionMode()); },
     [](Dictation& c, const QString& s) { c.setRecognitionMode(gdenmRecognitionMode(lng(s))); }},
    /* 87 */
    {[](Dictation& c) { return num(priv(c).previousRecognitionMode); },
     [](Dictation& c, const QString& s) {
         if (c.DragonspeakEnabled()) priv(c).previousRecognitionMode = gdenmRecognitionMode(lng(s));
     }},
    /* 88 */
    {[](Dictation& c) { return num(priv(c).hiddenModeTextControl); },
     [](Dictation& c, const QString& s) { priv(c).hiddenModeTextControl = lng(s); }},
}};

constexpr int kPositionField = 49;
} // namespace

QString SetupStringBuild(Dictation& control) {
    QStringList fields;
    fields.reserve(kSetupFieldCount);
    for (const Field& f : kFields)
        fields << f.write(control);
    return fields.join(kSeparator);
}

bool SetupStringApply(Dictation& control, const QString& setup) {
    const QStringList fields = setup.split(kSeparator);
    if (fields.size() != kSetupFieldCount) return false;
    for (int i = 0; i < kSetupFieldCount; ++i)
        if (kFields[size_t(i)].read) kFields[size_t(i)].read(control, fields[i]);

    // Reopen the work the control was doing.
    DictationPrivate& d = control.internals();
    switch (control.RecordingMode()) {
    case RecordingMode_TextMini: // the text window belongs to the speech subsystem
    case RecordingMode_TextTranscription:
    case RecordingMode_VoiceRecognition:
    case RecordingMode_AudioFileRecognition:
        break;
    default: {
        d.configureAudio();
        QString file = control.RecordingFileName();
        if (!file.isEmpty() && QFileInfo::exists(file)) {
            d.audio.recorder()->FileOpen(file);
            d.audio.recorder()->setPositionSamples(lng(fields[kPositionField]));
        }
        break;
    }
    }
    return true;
}

} // namespace vd
