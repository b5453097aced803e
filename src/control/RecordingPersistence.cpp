// Saving the current recording to the server and reading one back: the
// control's side (modes, display, events) around the storage worker.
#include <VantorDictation4/Dictation.h>

#include "DictationPrivate.h"
#include "audio/RecordingStorage.h"
#include "common/Hourglass.h"
#include "common/ProcessState.h"
#include "common/StringProcedures.h"

#include <QFileInfo>
#include <QLabel>

using namespace VantorDictation4;

namespace vd {

static QDateTime currentTime() {
    if (auto* utils = qobject_cast<UtilityComponent*>(Slots().utility.data()))
        return utils->DateTimeCurrentGet();
    return QDateTime::currentDateTime();
}

void DictationPrivate::stampEditDates() {
    data.editDate = currentTime();
    if (IsZeroDate(data.creationDate)) data.creationDate = data.editDate;
}

void DictationPrivate::timerText(const QString& text) {
    QLabel* timer = strip.label(QStringLiteral("lblTimerText"));
    if (text.isEmpty()) {
        timer->clear();
        return;
    }
    if (display.timer) {
        status.TimerColorSet(RecordingMode_None);
        timer->setText(text);
    }
}

// A failed read leaves no half-read recording behind.
void DictationPrivate::readFailed() {
    resetRecordingData(false, false);
    status.TimerColorSet(mode);
    timerText(QString());
}

} // namespace vd

void Dictation::RecordingSave() {
    vd::ErrorGuard({vd::kDictationClass, "RecordingSave"}, [&] {
        vd::RecordingData& data = d->data;
        if (data.recordingChanged) data.lengthSeconds = d->audio.recorder()->TotalSeconds();
        if (data.dictationType == DictationType_None || data.dictationType == DictationType_RecordingOnly)
            d->configureAudio(); // releases the file so it can be compressed
        d->stampEditDates();
        vd::SaveMode mode;
        if (data.recordingChanged || (data.name.isEmpty() && data.headerChanged))
            mode = vd::SaveMode::Full;
        else if (data.headerChanged)
            mode = vd::SaveMode::HeaderUpdate;
        else
            return;
        vd::HourglassScope busy;
        d->timerText(QStringLiteral("Saving"));
        if (data.type == RecordingType_Dictation && (data.dictationType == DictationType_ExternalText ||
                                                     data.dictationType == DictationType_TextOnly ||
                                                     data.dictationType == DictationType_TextAndRecording))
            d->dragonMicrophoneOn = false;
        const QString name =
            vd::DatabaseRecordingSave(mode, data, {data.lengthSeconds, d->disableCompression});
        d->timerText(QString());
        if (name.isEmpty()) return;
        Q_EMIT RecordingSavedDatabase(data.patientAccountNumber, data.name);
        data.recordingChanged = false;
        data.headerChanged = false;
    });
}

void Dictation::HeaderSave() {
    vd::ErrorGuard({vd::kDictationClass, "HeaderSave"}, [&] {
        d->stampEditDates();
        if (!d->data.headerChanged) return;
        vd::HourglassScope busy;
        const QString name = vd::DatabaseRecordingSave(vd::SaveMode::HeaderUpdate, d->data,
                                                       {d->data.lengthSeconds, d->disableCompression});
        if (name.isEmpty()) return;
        Q_EMIT RecordingSavedDatabase(d->data.patientAccountNumber, d->data.name);
        d->data.headerChanged = false;
    });
}

void Dictation::RecordingRead(const QString& strRecordingName_IN) {
    vd::ErrorGuard({vd::kDictationClass, "RecordingRead"}, [&] {
        if (strRecordingName_IN.isEmpty()) {
            Q_EMIT RecordingReadDatabase(QString(), QString(), QString());
            d->readFailed();
        } else {
            vd::HourglassScope busy;
            d->timerText(QStringLiteral("Reading"));
            d->strip.label(QStringLiteral("lblStatusText"))->clear();
            d->strip.label(QStringLiteral("lblDictationNameText"))->clear();
            const vd::ReadOutcome outcome =
                vd::DatabaseRecordingRead(strRecordingName_IN, vd::ReadMode::All, d->data, vd::UserName());
            if (outcome == vd::ReadOutcome::Succeeded) {
                // Text dictations open in the dictation text window; audio opens for playback.
                if (d->data.dictationType != DictationType_TextOnly &&
                    d->data.dictationType != DictationType_TextAndRecording)
                    RecordingLoad(d->data.fileName);
                Q_EMIT RecordingReadDatabase(d->data.patientAccountNumber, strRecordingName_IN,
                                             d->data.fileName);
            } else {
                d->readFailed();
            }
        }
        DisplayUpdate();
    });
}

void Dictation::HeaderRead(const QString& strRecordingName_IN) {
    vd::ErrorGuard({vd::kDictationClass, "HeaderRead"}, [&] {
        bool ok = false;
        if (strRecordingName_IN.isEmpty())
            Q_EMIT RecordingReadDatabase(QString(), QString(), QString());
        else
            ok = vd::DatabaseRecordingRead(strRecordingName_IN, vd::ReadMode::HeaderOnly, d->data,
                                           vd::UserName()) == vd::ReadOutcome::Succeeded;
        if (ok)
            setRecordingMode(RecordingMode_HeaderDataOnly);
        else
            d->readFailed();
        DisplayUpdate();
    });
}

void Dictation::AudioRead() {
    vd::ErrorGuard({vd::kDictationClass, "AudioRead"}, [&] {
        if (d->mode != RecordingMode_HeaderDataOnly) return;
        vd::HourglassScope busy;
        const vd::ReadOutcome outcome =
            vd::DatabaseRecordingRead(d->data.name, vd::ReadMode::AudioAndText, d->data, vd::UserName());
        d->timerText(QString());
        if (outcome == vd::ReadOutcome::FailedResetData) d->readFailed();
        if (outcome != vd::ReadOutcome::Succeeded) return;
        RecordingLoad(d->data.fileName);
        Q_EMIT RecordingReadDatabase(d->data.patientAccountNumber, d->data.name, d->data.fileName);
    });
}

void Dictation::RecordingLoad(const QString& strRecordingFileName_IN) {
    vd::ErrorGuard({vd::kDictationClass, "RecordingLoad"}, [&] {
        if (!QFileInfo::exists(strRecordingFileName_IN)) return;
        d->data.fileName = strRecordingFileName_IN;
        setRecordingMode(RecordingMode_PlaybackStandby);
        d->configureAudio(false);
        QString file = strRecordingFileName_IN;
        d->audio.recorder()->FileOpen(file);
        d->loadedFromFile = true;
        d->updateTimerDisplay();
        d->mediaFastMove(true, 0);
        DisplayUpdate();
        Q_EMIT RecordingLoadedFile(strRecordingFileName_IN);
        d->modeChanged(false, true, true, QStringLiteral("Playback (Paused)"));
    });
}
