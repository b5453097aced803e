// The host's entry points for starting work on one recording: open the
// stored dictation of that name, or set up a new one ready to record.
#include <VantorDictation4/Dictation.h>

#include "DictationPrivate.h"
#include "common/ColorScheme.h"
#include "common/ProcessState.h"
#include "common/StringProcedures.h"

using namespace VantorDictation4;

void Dictation::InitializeDictation(
    const QString& strRecordingName_IN, const QString& strDictationPatientAccountNumber_IN,
    const QString& strDictationPatientName_IN, const QString& strDictationSeriesCode_IN,
    const QString& strDictationSeriesDescription_IN, const QDateTime& dtmDictationDateOfService_IN,
    const QString& strDictationStudyTemplateCode_IN, const QString& strDictationStudyTemplateName_IN,
    gdenmDictationPriority enmDictationPriority_IN, const QString& strDictationTranscriptionNote_IN,
    const QString& strDictationAuthor_IN) {
    // The series and template name are accepted for compatibility and not stored.
    Q_UNUSED(strDictationSeriesCode_IN);
    Q_UNUSED(strDictationSeriesDescription_IN);
    Q_UNUSED(strDictationStudyTemplateName_IN);
    InitializeDictation2(strRecordingName_IN, strDictationPatientAccountNumber_IN, strDictationPatientName_IN,
                         QString(), QString(), dtmDictationDateOfService_IN, strDictationStudyTemplateCode_IN,
                         false, enmDictationPriority_IN, strDictationTranscriptionNote_IN,
                         strDictationAuthor_IN);
}

void Dictation::InitializeDictation2(
    const QString& strRecordingName_IN, const QString& strDictationPatientAccountNumber_IN,
    const QString& strDictationPatientName_IN, const QString& strDictationStudyCode_IN,
    const QString& strDictationModalityCode_IN, const QDateTime& dtmDictationDateOfService_IN,
    const QString& strDictationStudyTemplateCode_IN, bool blnDictationStudyNormal_IN,
    gdenmDictationPriority enmDictationPriority_IN, const QString& strDictationTranscriptionNote_IN,
    const QString& strDictationAuthor_IN) {
    InitializeDictation3(strRecordingName_IN, strDictationPatientAccountNumber_IN, strDictationPatientName_IN,
                         strDictationStudyCode_IN, strDictationModalityCode_IN, dtmDictationDateOfService_IN,
                         QString(), QString(), QString(), QString(), strDictationStudyTemplateCode_IN,
                         blnDictationStudyNormal_IN, enmDictationPriority_IN,
                         strDictationTranscriptionNote_IN, strDictationAuthor_IN);
}

void Dictation::InitializeDictation3(
    const QString& strRecordingName_IN, const QString& strDictationPatientAccountNumber_IN,
    const QString& strDictationPatientName_IN, const QString& strDictationStudyCode_IN,
    const QString& strDictationModalityCode_IN, const QDateTime& dtmDictationDateOfService_IN,
    const QString& strDictationPlaceOfServiceCode_IN, const QString& strDictationPlaceOfServiceName_IN,
    const QString& strDictationReferringPhysicianCode_IN,
    const QString& strDictationReferringPhysicianName_IN, const QString& strDictationStudyTemplateCode_IN,
    bool blnDictationStudyNormal_IN, gdenmDictationPriority enmDictationPriority_IN,
    const QString& strDictationTranscriptionNote_IN, const QString& strDictationAuthor_IN) {
    InitializeDictation4(
        strRecordingName_IN, DictationType_RecordingOnly, strDictationPatientAccountNumber_IN,
        strDictationPatientName_IN, strDictationStudyCode_IN, strDictationModalityCode_IN,
        dtmDictationDateOfService_IN, strDictationPlaceOfServiceCode_IN, strDictationPlaceOfServiceName_IN,
        strDictationReferringPhysicianCode_IN, strDictationReferringPhysicianName_IN,
        strDictationStudyTemplateCode_IN, blnDictationStudyNormal_IN, enmDictationPriority_IN,
        strDictationTranscriptionNote_IN, strDictationAuthor_IN, QString());
}

void Dictation::InitializeDictation4(
    const QString& strRecordingName_IN, gdenmDictationType enmDictationType_IN,
    const QString& strDictationPatientAccountNumber_IN, const QString& strDictationPatientName_IN,
    const QString& strDictationStudyCode_IN, const QString& strDictationModalityCode_IN,
    const QDateTime& dtmDictationDateOfService_IN, const QString& strDictationPlaceOfServiceCode_IN,
    const QString& strDictationPlaceOfServiceName_IN, const QString& strDictationReferringPhysicianCode_IN,
    const QString& strDictationReferringPhysicianName_IN, const QString& strDictationStudyTemplateCode_IN,
    bool blnDictationStudyNormal_IN, gdenmDictationPriority enmDictationPriority_IN,
    const QString& strDictationTranscriptionNote_IN, const QString& strDictationAuthor_IN,
    const QString& strExternalKey_IN) {
    InitializeDictation5(
        strRecordingName_IN, enmDictationType_IN, strDictationPatientAccountNumber_IN,
        strDictationPatientName_IN, strDictationStudyCode_IN, strDictationModalityCode_IN,
        dtmDictationDateOfService_IN, strDictationPlaceOfServiceCode_IN, strDictationPlaceOfServiceName_IN,
        strDictationReferringPhysicianCode_IN, strDictationReferringPhysicianName_IN,
        strDictationStudyTemplateCode_IN, blnDictationStudyNormal_IN, enmDictationPriority_IN,
        strDictationTranscriptionNote_IN, strDictationAuthor_IN, strExternalKey_IN, QString(), QString());
}

void Dictation::InitializeDictation5(
    const QString& strRecordingName_IN, gdenmDictationType enmDictationType_IN,
    const QString& strDictationPatientAccountNumber_IN, const QString& strDictationPatientName_IN,
    const QString& strDictationStudyCode_IN, const QString& strDictationModalityCode_IN,
    const QDateTime& dtmDictationDateOfService_IN, const QString& strDictationPlaceOfServiceCode_IN,
    const QString& strDictationPlaceOfServiceName_IN, const QString& strDictationReferringPhysicianCode_IN,
    const QString& strDictationReferringPhysicianName_IN, const QString& strDictationStudyTemplateCode_IN,
    bool blnDictationStudyNormal_IN, gdenmDictationPriority enmDictationPriority_IN,
    const QString& strDictationTranscriptionNote_IN, const QString& strDictationAuthor_IN,
    const QString& strExternalKey_IN, const QString& strTrackingTypeCode_IN,
    const QString& strTrackingEditorCode_IN) {
    InitializeDictation6(strRecordingName_IN, enmDictationType_IN, TranscriptionTypeDictation,
                         strDictationPatientAccountNumber_IN, strDictationPatientName_IN,
                         strDictationStudyCode_IN, strDictationModalityCode_IN, dtmDictationDateOfService_IN,
                         strDictationPlaceOfServiceCode_IN, strDictationPlaceOfServiceName_IN,
                         strDictationReferringPhysicianCode_IN, strDictationReferringPhysicianName_IN,
                         strDictationStudyTemplateCode_IN, blnDictationStudyNormal_IN,
                         enmDictationPriority_IN, strDictationTranscriptionNote_IN, strDictationAuthor_IN,
                         strExternalKey_IN, strTrackingTypeCode_IN, strTrackingEditorCode_IN);
}

void Dictation::InitializeDictation6(
    const QString& strRecordingName_IN, gdenmDictationType enmDictationType_IN,
    gdenmTranscriptionType enmTranscriptionType_IN, const QString& strDictationPatientAccountNumber_IN,
    const QString& strDictationPatientName_IN, const QString& strDictationStudyCode_IN,
    const QString& strDictationModalityCode_IN, const QDateTime& dtmDictationDateOfService_IN,
    const QString& strDictationPlaceOfServiceCode_IN, const QString& strDictationPlaceOfServiceName_IN,
    const QString& strDictationReferringPhysicianCode_IN,
    const QString& strDictationReferringPhysicianName_IN, const QString& strDictationStudyTemplateCode_IN,
    bool blnDictationStudyNormal_IN, gdenmDictationPriority enmDictationPriority_IN,
    const QString& strDictationTranscriptionNote_IN, const QString& strDictationAuthor_IN,
    const QString& strExternalKey_IN, const QString& strTrackingTypeCode_IN,
    const QString& strTrackingEditorCode_IN) {
    vd::ErrorGuard({vd::kDictationClass, "InitializeDictation6"}, [&] {
        QString name = strRecordingName_IN;
        if (name.isEmpty()) {
            auto* utils = qobject_cast<UtilityComponent*>(vd::Slots().utility.data());
            name =
                vd::DictationNameFormat(strDictationPatientAccountNumber_IN, strDictationPatientName_IN,
                                        utils ? utils->DateTimeCurrentGet() : QDateTime::currentDateTime());
        }
        switch (d->mode) {
        case RecordingMode_None:
        case RecordingMode_HeaderDataOnly:
            break;
        case RecordingMode_PlaybackStandby:
            // A recording is open and stopped: carry on dictating into it.
            setRecordingMode(RecordingMode_RecordingOverwriteStandby);
            DisplayUpdate();
            Q_EMIT DictationInitialized();
            d->modeChanged(true, true, true, QStringLiteral("Dictating (paused)"));
            vd::FormCustomColorSet(this);
            return;
        default:
            vd::FormCustomColorSet(this);
            return;
        }
        RecordingRead(name);
        if (d->data.name.isEmpty()) {
            setRecordingMode(RecordingMode_RecordingOverwriteStandby);
            setRecordingType(RecordingType_Dictation);
            setRecordingName(name);
            setDictationStudyCode(strDictationStudyCode_IN);
            setDictationModalityCode(strDictationModalityCode_IN);
            setDictationType(enmDictationType_IN);
            setTranscriptionType(enmTranscriptionType_IN);
            setDictationPatientAccountNumber(strDictationPatientAccountNumber_IN);
            setRecordingFileName(d->temporaryFileName());
            setDictationPatientName(strDictationPatientName_IN);
            setDictationDateOfService(dtmDictationDateOfService_IN);
            setDictationPlaceOfServiceCode(strDictationPlaceOfServiceCode_IN);
            setDictationPlaceOfServiceName(strDictationPlaceOfServiceName_IN);
            setDictationReferringPhysicianCode(strDictationReferringPhysicianCode_IN);
            setDictationReferringPhysicianName(strDictationReferringPhysicianName_IN);
            setDictationStudyTemplateCode(strDictationStudyTemplateCode_IN);
            setDictationStudyNormal(blnDictationStudyNormal_IN);
            setDictationTranscriptionNote(strDictationTranscriptionNote_IN);
            setDictationAuthor(strDictationAuthor_IN.toUpper());
            setDictationPriority(enmDictationPriority_IN);
            setExternalKey(strExternalKey_IN);
            setDictationTextData(QString());
            setDictationTextLocation(vd::TextLocationConvert(QString()));
            setTrackingTypeCode(strTrackingTypeCode_IN);
            setTrackingEditorCode(strTrackingEditorCode_IN);
            setRecordingFileExtension(QStringLiteral("WAV"));
            const vd::RecordingQuality quality = d->settingsQuality();
            setRecordingQualitySamples(gdenmRecordingQualitySamples(quality.samples));
            setRecordingQualitySampleSize(gdenmRecordingQualitySampleSize(quality.sampleSize));
            setRecordingQualityChannels(gdenmRecordingQualityChannels(quality.channels));

            bool tracking = false;
            if (!strTrackingTypeCode_IN.isEmpty()) {
                switch (enmTranscriptionType_IN) {
                case TranscriptionTypeDictation:
                    tracking = d->trackingDictation == WorkflowTrackingDictation_Workflow;
                    break;
                case TranscriptionTypeVoiceRecognition:
                    tracking = d->trackingVoiceRecognition == WorkflowTrackingVoiceRecognition_Workflow;
                    break;
                case TranscriptionTypeTranscription:
                    tracking = d->trackingTranscription == WorkflowTrackingTranscription_Workflow;
                    break;
                }
            }
            switch (enmDictationType_IN) {
            case DictationType_TextOnly:
                setRecordingMode(RecordingMode_TextMini);
                break;
            case DictationType_TextAndRecording:
                setRecordingQualitySampleSize(RecordingQualitySampleSize_CD);
                setRecordingMode(RecordingMode_TextMini);
                break;
            case DictationType_ExternalText:
                setRecordingMode(RecordingMode_TextTranscription);
                break;
            default:
                break;
            }
            if (tracking)
                if (auto* editor = qobject_cast<CodesEditorComponent*>(vd::Slots().codesEditor.data()))
                    editor->TrackingEdit(strTrackingTypeCode_IN, strTrackingEditorCode_IN,
                                         QStringLiteral("D:") + RecordingName());
            d->data.recordingChanged = false;
            d->data.headerChanged = false;
            d->data.playbackMaxTime = 0;
            d->createNewRecording();
        }
        d->refreshDictationName();
        DisplayUpdate();
        Q_EMIT DictationInitialized();
        d->modeChanged(true, true, true, QStringLiteral("Dictating (Paused)"));
        vd::FormCustomColorSet(this);
    });
}

void Dictation::InitializePhoneMessage(const QString& strRecordingName_IN,
                                       gdenmRecordingQualitySamples enmRecordingQualitySamples_IN,
                                       gdenmRecordingQualitySampleSize enmRecordingQualitySampleSize_IN,
                                       gdenmRecordingQualityChannels enmRecordingQualityChannels_IN,
                                       const QString& strRecordingDescription_IN) {
    vd::ErrorGuard({vd::kDictationClass, "InitializePhoneMessage"}, [&] {
        switch (d->mode) {
        case RecordingMode_None:
        case RecordingMode_HeaderDataOnly:
            break;
        case RecordingMode_PlaybackStandby:
            setRecordingMode(RecordingMode_RecordingOverwriteStandby);
            DisplayUpdate();
            Q_EMIT PhoneMessageInitialized();
            d->modeChanged(true, true, true, QStringLiteral("Recording (paused)"));
            return;
        default:
            return;
        }
        setRecordingMode(RecordingMode_RecordingOverwriteStandby);
        d->resetRecordingData(false, false);
        setRecordingMode(RecordingMode_RecordingOverwriteStandby); // the reset cleared it
        setRecordingName(strRecordingName_IN);
        setRecordingFileExtension(QStringLiteral("WAV"));
        setRecordingDescription(strRecordingDescription_IN);
        setRecordingFileName(d->temporaryFileName());
        setRecordingQualitySamples(enmRecordingQualitySamples_IN);
        setRecordingQualitySampleSize(enmRecordingQualitySampleSize_IN);
        setRecordingQualityChannels(enmRecordingQualityChannels_IN);
        d->data.recordingChanged = false;
        d->data.headerChanged = false;
        d->data.playbackMaxTime = 0;
        d->createNewRecording();
        DisplayUpdate();
        Q_EMIT PhoneMessageInitialized();
        d->modeChanged(true, true, true, QStringLiteral("Recording (Paused)"));
    });
}

void Dictation::InitializeExternalText() {
    vd::ErrorGuard({vd::kDictationClass, "InitializeExternalText"}, [&] {
        setDictationType(DictationType_ExternalText);
        setRecordingMode(RecordingMode_VoiceRecognition);
    });
}
