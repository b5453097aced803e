#pragma once
// The header fields of the current recording, with its change flags.

#include <VantorDictation4/DictationEnums.h>

#include <QDateTime>
#include <QString>

namespace vd {

struct RecordingData {
    QString name;
    VantorDictation4::gdenmRecordingType type = VantorDictation4::RecordingType_Dictation;
    QString version;
    QString fileSource;
    QString description;
    QString fileName;
    QString fileExtension;
    QDateTime creationDate;
    QDateTime editDate;
    qint32 fileSize = 0;
    VantorDictation4::gdenmRecordingQualitySamples qualitySamples =
        VantorDictation4::RecordingQualitySamples_Default;
    VantorDictation4::gdenmRecordingQualitySampleSize qualitySampleSize =
        VantorDictation4::RecordingQualitySampleSize_Default;
    VantorDictation4::gdenmRecordingQualityChannels qualityChannels =
        VantorDictation4::RecordingQualityChannels_Default;

    QString fileStatus;
    VantorDictation4::gdenmDictationPriority priority = VantorDictation4::DictationPriority_Normal;
    VantorDictation4::gdenmDictationType dictationType = VantorDictation4::DictationType_RecordingOnly;
    VantorDictation4::gdenmTranscriptionType transcriptionType = VantorDictation4::TranscriptionTypeDictation;
    QString author;
    QString textData;
    QString textLocation;
    QString patientAccountNumber;
    QString patientName;
    QString studyCode;
    QString modalityCode;
    QString seriesCode;
    QString seriesDescription;
    QString placeOfServiceCode;
    QString placeOfServiceName;
    QString referringPhysicianCode;
    QString referringPhysicianName;
    QString studyTemplateCode;
    QString studyTemplateDescription;
    QString transcriptionNote;
    QString externalKey;
    QString trackingTypeCode;
    QString trackingEditorCode;
    QDateTime dateOfService;
    QDateTime transcriptionStartDate;
    bool studyNormal = false;
    // The quality this recording was made in (the settings above apply to new ones).
    double lengthSeconds = 0; // as last stored
    int ownSamples = 0;
    short ownSampleSize = 0;
    short ownChannels = 0;

    bool recordingChanged = false;
    bool headerChanged = false;
    double playbackMaxTime = 0.0;

    // Empties the header fields (not the mode, which the control sets through
    // its setter, nor the flags); the author becomes the upper-cased user.
    void reset(const QString& userName, bool resetRecordingType);
};

// A fresh temporary wave file name: the process-wide prefix, the account
// number ("/" made "_", trimmed), "_", a random base name and ".WAV"; empty
// when there is no prefix.
QString RecordingTemporaryFileName(const QString& accountNumber);

} // namespace vd
