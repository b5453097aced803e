#include "RecordingData.h"

#include "common/StringProcedures.h"

namespace vd {

void RecordingData::reset(const QString& userName, bool resetRecordingType) {
    name.clear();
    description.clear();
    fileName.clear();
    patientAccountNumber.clear();
    patientName.clear();
    studyCode.clear();
    modalityCode.clear();
    placeOfServiceCode.clear();
    placeOfServiceName.clear();
    referringPhysicianCode.clear();
    referringPhysicianName.clear();
    studyTemplateCode.clear();
    studyTemplateDescription.clear();
    transcriptionNote.clear();
    textData.clear();
    externalKey.clear();
    fileExtension = QStringLiteral("WAV");
    version = QStringLiteral("3.0.0");
    fileSource = QStringLiteral("BuiltInDictation");
    fileStatus = QStringLiteral("NONE");
    creationDate = ZeroDate();
    editDate = ZeroDate();
    dateOfService = ZeroDate();
    transcriptionStartDate = ZeroDate();
    fileSize = 0;
    priority = VantorDictation4::DictationPriority_Normal;
    dictationType = VantorDictation4::DictationType_RecordingOnly;
    studyNormal = false;
    author = userName.toUpper();
    if (resetRecordingType)
        type = VantorDictation4::RecordingType_Dictation;
}

} // namespace vd
