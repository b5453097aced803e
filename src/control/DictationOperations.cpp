// Methods whose work lives in the recording, server, device and speech
// subsystems. Each traps its errors; until its subsystem is built a method
// returns the empty value of its result.
#include <VantorDictation4/Dictation.h>

#include "DictationPrivate.h"
#include "StatusDisplay.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

using namespace VantorDictation4;

namespace {
constexpr int kTemporaryFileDays = 10;
}

// ---------------------------------------------------------------- recording initialisation

void Dictation::InitializeDictation(const QString& strRecordingName_IN, const QString&, const QString&, const QString&,
                                    const QString&, const QDateTime&, const QString&, const QString&,
                                    gdenmDictationPriority, const QString&, const QString&) {
    Q_UNUSED(strRecordingName_IN);
}
void Dictation::InitializeDictation2(const QString&, const QString&, const QString&, const QString&, const QString&,
                                     const QDateTime&, const QString&, bool, gdenmDictationPriority, const QString&,
                                     const QString&) {}
void Dictation::InitializeDictation3(const QString&, const QString&, const QString&, const QString&, const QString&,
                                     const QDateTime&, const QString&, const QString&, const QString&, const QString&,
                                     const QString&, bool, gdenmDictationPriority, const QString&, const QString&) {}
void Dictation::InitializeDictation4(const QString&, gdenmDictationType, const QString&, const QString&,
                                     const QString&, const QString&, const QDateTime&, const QString&, const QString&,
                                     const QString&, const QString&, const QString&, bool, gdenmDictationPriority,
                                     const QString&, const QString&, const QString&) {}
void Dictation::InitializeDictation5(const QString&, gdenmDictationType, const QString&, const QString&,
                                     const QString&, const QString&, const QDateTime&, const QString&, const QString&,
                                     const QString&, const QString&, const QString&, bool, gdenmDictationPriority,
                                     const QString&, const QString&, const QString&, const QString&, const QString&) {}
void Dictation::InitializeDictation6(const QString&, gdenmDictationType, gdenmTranscriptionType, const QString&,
                                     const QString&, const QString&, const QString&, const QDateTime&, const QString&,
                                     const QString&, const QString&, const QString&, const QString&, bool,
                                     gdenmDictationPriority, const QString&, const QString&, const QString&,
                                     const QString&, const QString&) {}
void Dictation::InitializePhoneMessage(const QString&, gdenmRecordingQualitySamples, gdenmRecordingQualitySampleSize,
                                       gdenmRecordingQualityChannels, const QString&) {}
void Dictation::InitializeExternalText() {}
QString Dictation::InitializeVoiceRecognitionAudio(const QString&, const QString&, const QString&) { return QString(); }

// ---------------------------------------------------------------- recording operations

void Dictation::NewRecording(gdenmRecordingType) {}
void Dictation::NewDictation(gdenmDictationType) {}
void Dictation::RecordingStart() {}
void Dictation::RecordingPause() {}
void Dictation::RecordingStop() {}
void Dictation::RecordingEnd() {}
void Dictation::RecordingInsert(bool) {}
void Dictation::PlaybackStart() {}
void Dictation::PlaybackPause() {}
void Dictation::RecordingCancel() {}
void Dictation::RecordingClose(bool) {}
bool Dictation::RecordingFileDelete() { return false; }

// Old temporary wave files are left behind by closed or cancelled
// recordings; anything older than ten days is removed.
void Dictation::RecordingFileDeleteAll() {
    vd::ErrorGuard({vd::kDictationClass, "RecordingFileDeleteAll"}, [&] {
    const QString folder = RecordingTemporaryFolder();
    if (folder.isEmpty())
        return;
    const QDateTime cutoff = QDateTime::currentDateTime().addDays(-kTemporaryFileDays);
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("Dictation_*.*"), QStringLiteral("PhoneMessage_*.*")},
                                                           QDir::Files);
    for (const QFileInfo& file : files)
        if (file.lastModified() < cutoff)
            QFile::remove(file.absoluteFilePath());
    });
}

// ---------------------------------------------------------------- storage, import and export

void Dictation::RecordingSave() {}
void Dictation::HeaderSave() {}
void Dictation::HeaderRead(const QString&) {}
void Dictation::RecordingRead(const QString&) {}
void Dictation::RecordingLoad(const QString&) {}
void Dictation::AudioRead() {}
bool Dictation::RecordingFileImport(const QString&) { return false; }
bool Dictation::RecordingFileExport(const QString&) { return false; }

// ---------------------------------------------------------------- server data and workflow

bool Dictation::DataEditDictation(const QString&) { return false; }
bool Dictation::DataEditPhoneMessage(const QString&) { return false; }
QString Dictation::DictationNext() { return QString(); }
QString Dictation::DictationList() { return QString(); }
bool Dictation::DictationStatusChange(const QString&) { return false; }
bool Dictation::DictationPriorityChange(const QString&) { return false; }
QString Dictation::WorkflowListGet(const QString&) { return QString(); }
void Dictation::TranscriptionApplicationOpen(const QString&, const QString&, const QString&, const QString&,
                                             const QString&) {}
void Dictation::TranscriptionApplicationOpen2(const QString&, const QString&, const QString&, const QString&,
                                              const QString&, const QString&) {}

// ---------------------------------------------------------------- devices

void Dictation::FootPedalsInitialize() {}
void Dictation::FootPedalsCleanup() {}
void Dictation::SpeechMikeProInitialize() {}
void Dictation::SpeechMikeProCleanup() {}
void Dictation::PhilipsDevicesEnable(bool) {}

// ---------------------------------------------------------------- voice commands and speech engine

// Groups exist only while recognition is enabled, and it cannot be without an engine.
bool Dictation::VoiceCommandGroupCreate(const QString&) { return false; }
qint32 Dictation::VoiceCommandAdd(const QString&, const QString&, const QString&) { return 0; }
void Dictation::VoiceCommandGroupActivate(const QString&, bool, qint32) {}
void Dictation::VoiceCommandgroupRemove(const QString&) {}
void Dictation::DragonHiddenModeStart(qint32) {}
void Dictation::DragonHiddenModeEnd() {}
QStringList Dictation::DragonSpeakerListGet(const QString&, bool) { return {}; }
QStringList Dictation::DragonSpeakerListGet2(gdenmDragonRoamingMode, const QString&, bool) { return {}; }
void Dictation::DragonSpeakerClose() {}
QStringList Dictation::DragonSourceListGet() { return {}; }
QStringList Dictation::DragonSourceListGetBySpeaker(const QString&) { return {}; }
void Dictation::DragonDialogShow(qint32) {}
QString Dictation::RecognitionModeDisplay(gdenmRecognitionMode enmRecognitionMode_IN) {
    return vd::RecognitionModeText(int(enmRecognitionMode_IN));
}

// ---------------------------------------------------------------- application switch

void Dictation::ApplicationSwitchInitialize(qint32) {}
