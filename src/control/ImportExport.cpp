// Bringing a wave file in as a new recording, and writing the current one out.
#include <VantorDictation4/Dictation.h>

#include "DictationPrivate.h"

#include <QFile>

using namespace VantorDictation4;

bool Dictation::RecordingFileImport(const QString& strRecordingFileName_IN) {
    bool imported = false;
    vd::ErrorGuard({vd::kDictationClass, "RecordingFileImport"}, [&] {
        const QString copy = d->temporaryFileName();
        QFile::remove(copy);
        if (copy.isEmpty() || !QFile::copy(strRecordingFileName_IN, copy)) return;
        if (d->mode != RecordingMode_None && (d->data.recordingChanged || d->data.headerChanged))
            RecordingEnd();
        d->resetRecordingData(false, false);
        setRecordingMode(RecordingMode_PlaybackStandby);
        DisplayUpdate();
        if (!d->editInForm()) {
            d->configureAudio();
            return;
        }
        d->data.recordingChanged = false;
        d->data.headerChanged = true;
        setDisplayRecordButton(true);
        setDisplayInsertButton(true);
        UpdateDisplayLayout();
        d->data.fileName = copy;
        d->configureAudio();
        QString file = copy;
        d->audio.recorder()->FileOpen(file);
        d->audio.recorder()->setFileOption(0);
        DisplayUpdate();
        d->modeChanged(true, true, true, QStringLiteral("Dictating (Paused)"));
        RecordingLoad(copy);
        imported = true;
    });
    return imported;
}

bool Dictation::RecordingFileExport(const QString& strRecordingFileName_IN) {
    bool exported = false;
    vd::ErrorGuard({vd::kDictationClass, "RecordingFileExport"}, [&] {
        d->pauseRunning();
        vd::AudioRecordingControl& r = *d->audio.recorder();
        const qint32 position = r.PositionSamples();
        d->configureAudio(); // releases the recording file
        QFile::remove(strRecordingFileName_IN);
        exported = QFile::copy(d->data.fileName, strRecordingFileName_IN);
        QString file = d->data.fileName;
        r.FileOpen(file);
        r.setPositionSamples(position);
        d->updateTimerDisplay();
    });
    return exported;
}
