#include "RecordingData.h"

#include "ProcessState.h"
#include "StringProcedures.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

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
    if (resetRecordingType) type = VantorDictation4::RecordingType_Dictation;
}

QString RecordingTemporaryFileName(const QString& accountNumber) {
    const QString prefix = TemporaryNamePrefix();
    if (prefix.isEmpty()) return QString();
    QTemporaryFile probe(QDir::tempPath() + QStringLiteral("/XXXXXXXX"));
    probe.open();
    const QString base = QFileInfo(probe.fileName()).completeBaseName();
    QString account = accountNumber.trimmed();
    account.replace(u'/', u'_');
    return prefix + account + u'_' + base + QStringLiteral(".WAV");
}

} // namespace vd
