// Operations on the current recording: record (insert or overwrite) and
// play at the position, pause, stop, move, end, cancel and close. Each one
// moves the transport state and tells the host through ModeChanged.
#include <VantorDictation4/Dictation.h>

#include "DictationPrivate.h"
#include "Transport.h"
#include "common/StringProcedures.h"
#include "services/VantorMessage.h"
#include "speech/CommandMenu.h"

#include <QFileInfo>
#include <QLabel>

using namespace VantorDictation4;

namespace vd {

namespace {
const QString kDictating = QStringLiteral("Dictating");
const QString kDictatingPaused = QStringLiteral("Dictating (paused)");
const QString kPlayback = QStringLiteral("Playback");
const QString kPlaybackPaused = QStringLiteral("Playback (paused)");
} // namespace

void DictationPrivate::modeChanged(bool dictating, bool standby, bool overwrite, const QString& text) {
    Q_EMIT q->ModeChanged(dictating, standby, overwrite, text);
}

void DictationPrivate::timeDisplayEnable(bool enabled) {
    if (enabled && display.timer)
        tmrTimer->start();
    else
        tmrTimer->stop();
}

void DictationPrivate::mediaFastMove(bool backward, qint32 milliseconds) {
    AudioRecordingControl& r = *audio.recorder();
    const double distance = milliseconds / 1000.0;
    const double position = r.PositionSeconds();
    const double total = r.TotalSeconds();
    double target;
    if (backward)
        target = milliseconds >= 1 ? (position < distance ? 0.0 : position - distance) : 0.0;
    else
        target = milliseconds > 0 ? (position + distance > total ? total : position + distance) : total;
    switch (mode) {
    case RecordingMode_PlaybackStandby:
    case RecordingMode_RecordingInsertStandby:
    case RecordingMode_RecordingOverwriteStandby:
    case RecordingMode_Command:
    case RecordingMode_CommandStandby:
        r.setPositionSeconds(target);
        break;
    case RecordingMode_Playback:
        r.Stop();
        r.setPositionSeconds(target);
        r.Play();
        break;
    case RecordingMode_RecordingInsert:
    case RecordingMode_RecordingOverwrite:
        q->RecordingPause();
        r.setPositionSeconds(target);
        break;
    default:
        break;
    }
    if (mode != RecordingMode_HeaderDataOnly) updateTimerDisplay();
}

void DictationPrivate::createNewRecording() {
    if (data.fileName.isEmpty()) data.fileName = temporaryFileName();
    switch (data.dictationType) {
    case DictationType_RecordingOnly: {
        configureAudio();
        const RecordingQuality quality = settingsQuality();
        data.ownSamples = quality.samples;
        data.ownSampleSize = quality.sampleSize;
        data.ownChannels = quality.channels;
        QString file = data.fileName;
        audio.recorder()->FileNew(file);
        audio.recorder()->setFileOption(0);
        break;
    }
    case DictationType_TextOnly:
    case DictationType_TextAndRecording:
        break; // the dictation text window belongs to the speech work
    case DictationType_ExternalText:
        q->TranscriptionApplicationOpen(QString(), data.patientAccountNumber, data.patientName, QString(),
                                        data.externalKey);
        break;
    default:
        break;
    }
}

// Shared end of cancel and end-of-letter: forget the work on the recording.
void DictationPrivate::clearRecordingWork() {
    data.recordingChanged = false;
    data.headerChanged = false;
    data.playbackMaxTime = 0;
    strip.label(QStringLiteral("lblTimerText"))->clear();
    data.patientAccountNumber.clear();
    data.patientName.clear();
    q->DisplayUpdate();
    refreshDictationName();
}

// Pauses whatever runs: playback and recording keep their position.
void DictationPrivate::pauseRunning() {
    switch (mode) {
    case RecordingMode_Playback:
        q->PlaybackPause();
        break;
    case RecordingMode_RecordingInsert:
    case RecordingMode_RecordingOverwrite:
        q->RecordingPause();
        break;
    default:
        break;
    }
}

} // namespace vd

void Dictation::RecordingStart() {
    vd::ErrorGuard({vd::kDictationClass, "RecordingStart"}, [&] {
        const gdenmRecordingMode mode = d->mode;
        if (mode != RecordingMode_RecordingInsertStandby && mode != RecordingMode_RecordingOverwriteStandby)
            return;
        vd::AudioRecordingControl& r = *d->audio.recorder();
        if (r.RecordingDeviceCount() == 0) {
            vd::MessageShow(QStringLiteral("Missing recording device"));
            return;
        }
        const bool insert = mode == RecordingMode_RecordingInsertStandby;
        d->data.recordingChanged = true;
        r.setInsertMode(insert ? 1 : 0);
        r.Record();
        setRecordingMode(insert ? RecordingMode_RecordingInsert : RecordingMode_RecordingOverwrite);
        d->timeDisplayEnable(true);
        d->modeChanged(true, false, !insert, vd::kDictating);
        DisplayUpdate();
    });
}

void Dictation::RecordingPause() {
    vd::ErrorGuard({vd::kDictationClass, "RecordingPause"}, [&] {
        const gdenmRecordingMode mode = d->mode;
        if (mode != RecordingMode_RecordingInsert && mode != RecordingMode_RecordingOverwrite) return;
        const bool insert = mode == RecordingMode_RecordingInsert;
        d->audio.recorder()->Stop();
        d->timeDisplayEnable(false);
        setRecordingMode(insert ? RecordingMode_RecordingInsertStandby
                                : RecordingMode_RecordingOverwriteStandby);
        d->modeChanged(true, true, !insert, vd::kDictatingPaused);
        DisplayUpdate();
    });
}

void Dictation::RecordingInsert(bool blnInsert_IN) {
    vd::ErrorGuard({vd::kDictationClass, "RecordingInsert"}, [&] {
        setRecordingMode(blnInsert_IN ? RecordingMode_RecordingInsertStandby
                                      : RecordingMode_RecordingOverwriteStandby);
        d->modeChanged(true, true, !blnInsert_IN, vd::kDictatingPaused);
        DisplayUpdate();
    });
}

void Dictation::RecordingStop() {
    vd::ErrorGuard({vd::kDictationClass, "RecordingStop"}, [&] {
        RecordingPause();
        d->audio.recorder()->Stop();
        d->timeDisplayEnable(false);
        setRecordingMode(RecordingMode_PlaybackStandby);
        d->modeChanged(false, true, false, vd::kPlaybackPaused);
        DisplayUpdate();
    });
}

void Dictation::PlaybackStart() {
    vd::ErrorGuard({vd::kDictationClass, "PlaybackStart"}, [&] {
        vd::AudioRecordingControl& r = *d->audio.recorder();
        if (r.PlaybackDeviceCount() == 0) {
            vd::MessageShow(QStringLiteral("Missing playback device"));
            return;
        }
        r.Play();
        setRecordingMode(RecordingMode_Playback);
        d->timeDisplayEnable(true);
        d->modeChanged(false, false, false, vd::kPlayback);
        DisplayUpdate();
    });
}

void Dictation::PlaybackPause() {
    vd::ErrorGuard({vd::kDictationClass, "PlaybackPause"}, [&] {
        d->audio.recorder()->Stop();
        d->timeDisplayEnable(false);
        setRecordingMode(RecordingMode_PlaybackStandby);
        d->modeChanged(false, true, false, vd::kPlaybackPaused);
        DisplayUpdate();
    });
}

void Dictation::RecordingEnd() {
    vd::ErrorGuard({vd::kDictationClass, "RecordingEnd"}, [&] {
        switch (d->mode) {
        case RecordingMode_Playback:
        case RecordingMode_RecordingInsert:
        case RecordingMode_RecordingOverwrite:
            d->pauseRunning();
            break;
        case RecordingMode_TextMini:
        case RecordingMode_TextTranscription:
        case RecordingMode_VoiceRecognition:
            d->dragonMicrophoneOn = false;
            break;
        default:
            d->audio.recorder()->Stop();
            break;
        }
        DisplayUpdate();
        Q_EMIT DialogDisplayed(QStringLiteral("CommandOptions"));
        {
            vd::frmCommandOptions menu(this,
                                       {[this] { d->transport->ProcessButtonBeginning(); },
                                        [this] { d->transport->ProcessButtonEnding(); }},
                                       this);
            menu.Initialize();
            menu.exec();
        }
        Q_EMIT DialogCleared(QStringLiteral("CommandOptions"));
        if (d->mode == RecordingMode_None || d->mode == RecordingMode_HeaderDataOnly) {
            d->configureAudio();
            RecordingFileDelete();
            d->clearRecordingWork();
            d->modeChanged(false, true, true, QString());
        } else {
            DisplayUpdate();
        }
    });
}

void Dictation::RecordingCancel() {
    vd::ErrorGuard({vd::kDictationClass, "RecordingCancel"}, [&] {
        d->pauseRunning();
        switch (d->mode) {
        case RecordingMode_TextMini:
            d->data.recordingChanged = false;
            break;
        case RecordingMode_TextTranscription:
        case RecordingMode_VoiceRecognition:
            break;
        default:
            d->audio.recorder()->Stop();
            d->configureAudio();
            break;
        }
        setRecordingMode(RecordingMode_None);
        d->clearRecordingWork();
        Q_EMIT RecordingCancelled();
        d->modeChanged(false, true, true, QString());
    });
}

void Dictation::RecordingClose(bool blnDeleteFile_IN) {
    Q_UNUSED(blnDeleteFile_IN); // the file stays until the ten-day clean-up
    vd::ErrorGuard({vd::kDictationClass, "RecordingClose"}, [&] {
        d->audio.recorder()->Stop();
        d->timeDisplayEnable(false);
        d->configureAudio();
        d->data.fileName.clear();
        setRecordingMode(RecordingMode_None);
        d->resetRecordingData(false, false);
        d->status.TimerColorSet(RecordingMode_None);
        d->strip.label(QStringLiteral("lblTimerText"))->clear();
        d->data.patientAccountNumber.clear();
        d->data.patientName.clear();
        DisplayUpdate();
        d->refreshDictationName();
        d->modeChanged(false, false, false, QString());
    });
}

bool Dictation::RecordingFileDelete() {
    bool deleted = false;
    vd::ErrorGuard({vd::kDictationClass, "RecordingFileDelete"}, [&] {
        if (d->mode != RecordingMode_None) return;
        d->configureAudio(); // releases the file
        deleted = true;
    });
    return deleted;
}
