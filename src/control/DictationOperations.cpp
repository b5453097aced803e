// Methods whose work lives in the recording, server, device and speech
// subsystems. Each traps its errors; until its subsystem is built a method
// returns the empty value of its result.
#include <VantorDictation4/Dictation.h>

#include "DictationPrivate.h"
#include "StatusDisplay.h"
#include "Transport.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

using namespace VantorDictation4;

namespace {
constexpr int kTemporaryFileDays = 10;
}

// ---------------------------------------------------------------- recording initialisation

QString Dictation::InitializeVoiceRecognitionAudio(const QString&, const QString&, const QString&) {
    return QString();
}

// ---------------------------------------------------------------- recording operations

// Ends the open work when it changed, then starts a new recording as if the
// user pressed the record button.
static void startNewRecording(Dictation& c, vd::DictationPrivate& d, const gdenmRecordingType* type) {
    if (d.mode != RecordingMode_None && (d.data.recordingChanged || d.data.headerChanged)) c.RecordingEnd();
    d.resetRecordingData(false, true);
    c.DisplayUpdate();
    if (type) c.setRecordingType(*type);
    d.transport->ProcessButtonRecording(true);
    d.transport->ProcessButtonRecording(false);
}

void Dictation::NewRecording(gdenmRecordingType enmRecordingType_IN) {
    vd::ErrorGuard({vd::kDictationClass, "NewRecording"},
                   [&] { startNewRecording(*this, *d, &enmRecordingType_IN); });
}

void Dictation::NewDictation(gdenmDictationType enmDictationType_IN) {
    Q_UNUSED(enmDictationType_IN); // the dictation type is chosen in the data form
    vd::ErrorGuard({vd::kDictationClass, "NewDictation"}, [&] { startNewRecording(*this, *d, nullptr); });
}

// Old temporary wave files are left behind by closed or cancelled
// recordings; anything older than ten days is removed.
void Dictation::RecordingFileDeleteAll() {
    vd::ErrorGuard({vd::kDictationClass, "RecordingFileDeleteAll"}, [&] {
        const QString folder = RecordingTemporaryFolder();
        if (folder.isEmpty()) return;
        const QDateTime cutoff = QDateTime::currentDateTime().addDays(-kTemporaryFileDays);
        const QFileInfoList files = QDir(folder).entryInfoList(
            {QStringLiteral("Dictation_*.*"), QStringLiteral("PhoneMessage_*.*")}, QDir::Files);
        for (const QFileInfo& file : files)
            if (file.lastModified() < cutoff) QFile::remove(file.absoluteFilePath());
    });
}

// ---------------------------------------------------------------- storage, import and export

// ---------------------------------------------------------------- server data and workflow

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
