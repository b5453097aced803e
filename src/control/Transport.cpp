#include "Transport.h"

#include "DictationPrivate.h"
#include "common/ProcessState.h"

#include <QToolButton>

using namespace VantorDictation4;

namespace vd {

namespace {
bool isCommandMode(gdenmRecordingMode mode) {
    return mode == RecordingMode_Command || mode == RecordingMode_CommandStandby;
}
bool isStandby(gdenmRecordingMode mode) {
    return mode == RecordingMode_RecordingInsertStandby || mode == RecordingMode_RecordingOverwriteStandby;
}
bool isRecording(gdenmRecordingMode mode) {
    return mode == RecordingMode_RecordingInsert || mode == RecordingMode_RecordingOverwrite;
}
} // namespace

Transport::Transport(Dictation* control, DictationPrivate& priv) : QObject(control), q(control), d(priv) {
    ControlStrip& s = d.strip;
    auto held = [&](const char* name, void (Transport::*op)(bool)) {
        QToolButton* b = s.button(QString::fromLatin1(name));
        connect(b, &QToolButton::pressed, this, [this, op] { (this->*op)(true); });
        connect(b, &QToolButton::released, this, [this, op] { (this->*op)(false); });
    };
    held("cmdPlay", &Transport::ProcessButtonPlay);
    held("cmdRecording", &Transport::ProcessButtonRecording);
    held("cmdInsert", &Transport::ProcessButtonInsert);
    held("cmdRewind", &Transport::ProcessButtonRewind);
    held("cmdForward", &Transport::ProcessButtonForward);
    held("cmdEOL", &Transport::ProcessButtonEOL);
    auto press = [&](const char* name, auto op) {
        connect(s.button(QString::fromLatin1(name)), &QToolButton::pressed, this,
                [this, op] { (this->*op)(); });
    };
    press("cmdBeginning", &Transport::ProcessButtonBeginning);
    press("cmdEnding", &Transport::ProcessButtonEnding);
    press("cmdNextDictation", &Transport::ProcessButtonNextDictation);
    press("cmdDictationList", &Transport::ProcessButtonDictationList);
    press("cmdEdit", &Transport::ProcessButtonEdit);
    connect(s.button(QStringLiteral("cmdDictationConferenceModeToggle")), &QToolButton::clicked, this,
            &Transport::ConferenceToggle);

    d.tmrMovementRepeat->setSingleShot(false);
    connect(d.tmrMovementRepeat, &QTimer::timeout, this, &Transport::movementTick);
    connect(d.tmrShowEOL, &QTimer::timeout, this, [this] {
        d.tmrShowEOL->stop();
        ProcessButtonEOL(m_eolPending);
    });
    connect(d.tmrTimer, &QTimer::timeout, this, &Transport::displayPoll);
}

bool Transport::raise(Event event) {
    bool cancel = false;
    Q_EMIT(q->*event)(cancel);
    return !cancel;
}

bool Transport::prologue(int number, bool pressed, bool& swallow, Event click, Event release) {
    if (m_held != 0 && m_held != number) {
        // A refused press swallows its own release, wherever that arrives.
        swallow = pressed;
        return false;
    }
    if (swallow) {
        if (!pressed) swallow = false;
        return false;
    }
    m_held = pressed ? number : 0;
    if (clsButtonCommand* commands = d.buttonCommand.data()) {
        const QString text = commands->ButtonGet(number);
        if (!text.isEmpty() && commands->Enabled() && d.mode == RecordingMode_VoiceRecognition &&
            d.data.dictationType == DictationType_ExternalText && pressed) {
            Q_EMIT q->ButtonCommandPressed(text);
            return false;
        }
    }
    if (d.data.dictationType == DictationType_TextOnly ||
        d.data.dictationType == DictationType_TextAndRecording) {
        raise(pressed ? click : release);
        return false;
    }
    return true;
}

void Transport::backStep() {
    if (d.rewindAfterPlayMs > 0) d.mediaFastMove(true, d.rewindAfterPlayMs);
}

void Transport::leaveRecordingForPlayback() {
    AudioRecordingControl& r = *d.audio.recorder();
    if (isStandby(d.mode)) {
        q->setRecordingMode(RecordingMode_PlaybackStandby);
        r.Stop();
        d.timeDisplayEnable(false);
        q->DisplayUpdate();
        d.modeChanged(false, true, false, QStringLiteral("Playback (paused)"));
    } else if (isRecording(d.mode)) {
        q->setRecordingMode(RecordingMode_Playback);
        r.Stop();
        r.Play();
        d.timeDisplayEnable(true);
        d.modeChanged(false, false, false, QStringLiteral("Playback"));
    }
}

void Transport::startOverwriteAtOnce() {
    AudioRecordingControl& r = *d.audio.recorder();
    r.Stop();
    d.data.recordingChanged = true;
    r.setInsertMode(0);
    r.Record();
    q->setRecordingMode(RecordingMode_RecordingOverwrite);
    d.timeDisplayEnable(true);
    d.modeChanged(true, false, true, QStringLiteral("Dictating"));
}

// A new recording from the record or insert button asks for its data first;
// without a confirmed data form the mode goes back to what it was.
void Transport::newRecordingFromButton() {
    const gdenmRecordingMode previous = d.mode;
    if (previous == RecordingMode_None) {
        d.resetRecordingData(false, false);
        d.data.qualitySamples = RecordingQualitySamples_Normal;
        d.data.qualitySampleSize = RecordingQualitySampleSize_Normal;
        d.data.qualityChannels = RecordingQualityChannels_Mono;
        d.data.dateOfService = QDateTime(QDate::currentDate(), QTime(0, 0));
        d.data.fileStatus = QStringLiteral("DICTATED");
        d.data.author = UserName().toUpper();
    }
    Q_EMIT q->RecordingInitialized();
    q->setRecordingMode(RecordingMode_RecordingOverwriteStandby);
    if (!ProcessButtonEdit()) {
        q->setRecordingMode(previous);
        return;
    }
    d.data.recordingChanged = false;
    d.data.headerChanged = true;
    d.data.playbackMaxTime = 0;
    q->setDisplayRecordButton(true);
    q->setDisplayInsertButton(true);
    q->UpdateDisplayLayout();
    d.createNewRecording();
    q->DisplayUpdate();
    d.modeChanged(true, true, true, QStringLiteral("Dictating (Paused)"));
}

void Transport::ProcessButtonPlay(bool pressed) {
    ErrorGuard({kDictationClass, "ProcessButtonPlay"}, [&] {
        // A classic hand-held microphone reports a bare release of play as
        // its record key.
        if (m_held == 0 && !pressed) {
            if (!d.speechmikeClassic) return;
            q->setDictationConferenceMode(false);
            m_classicFirst = true;
            m_held = SpeechmikeButton_PlayPause;
        }
        if (d.speechmikeClassic && m_classicFirst && !pressed) {
            m_classicFirst = false;
            m_held = 0;
            m_classicSecond = true;
            ProcessButtonRecording(true);
            m_classicSecond = false;
            return;
        }
        if (!prologue(SpeechmikeButton_PlayPause, pressed, m_swallowPlay, &Dictation::ButtonPlayClick,
                      &Dictation::ButtonPlayRelease))
            return;
        const Event event = pressed ? &Dictation::ButtonPlayClick : &Dictation::ButtonPlayRelease;
        const gdenmRecordingMode mode = d.mode;
        AudioRecordingControl& r = *d.audio.recorder();
        if (!d.conferenceMode) {
            if (mode == RecordingMode_PlaybackStandby || mode == RecordingMode_Playback || isStandby(mode)) {
                if (pressed) {
                    if (raise(event)) {
                        backStep();
                        q->PlaybackStart();
                    }
                } else if (mode == RecordingMode_Playback) {
                    if (raise(event)) q->PlaybackPause();
                } else if (isStandby(mode)) {
                    raise(event);
                    q->setRecordingMode(RecordingMode_PlaybackStandby);
                }
            } else if (isRecording(mode)) {
                if (pressed) {
                    r.Stop();
                    if (raise(event)) q->PlaybackStart();
                } else if (raise(event)) {
                    q->RecordingPause();
                    q->setRecordingMode(RecordingMode_PlaybackStandby);
                }
            } else if (mode == RecordingMode_HeaderDataOnly && pressed) {
                if (raise(event)) {
                    q->AudioRead();
                    q->PlaybackStart();
                }
            }
            return;
        }
        // Conference mode: a press toggles, a release only reports.
        if (!pressed) {
            if (mode != RecordingMode_None && !isCommandMode(mode)) raise(event);
            return;
        }
        if (!raise(event)) return;
        switch (mode) {
        case RecordingMode_PlaybackStandby:
            backStep();
            q->PlaybackStart();
            break;
        case RecordingMode_Playback:
            q->PlaybackPause();
            break;
        case RecordingMode_RecordingInsertStandby:
        case RecordingMode_RecordingOverwriteStandby:
            q->RecordingStart();
            break;
        case RecordingMode_RecordingInsert:
        case RecordingMode_RecordingOverwrite:
            q->RecordingPause();
            break;
        case RecordingMode_HeaderDataOnly:
            q->AudioRead();
            q->RecordingStart();
            break;
        default:
            break;
        }
    });
}

void Transport::ProcessButtonRecording(bool pressed) {
    ErrorGuard({kDictationClass, "ProcessButtonRecording"}, [&] {
        if (d.speechmikeClassic && !m_classicSecond) {
            m_swallowRecord = pressed;
            return;
        }
        if (!prologue(SpeechmikeButton_Record, pressed, m_swallowRecord, &Dictation::ButtonRecordingClick,
                      &Dictation::ButtonRecordingRelease))
            return;
        const Event event = pressed ? &Dictation::ButtonRecordingClick : &Dictation::ButtonRecordingRelease;
        const bool shown = d.display.recordButton;
        const gdenmRecordingMode mode = d.mode;
        AudioRecordingControl& r = *d.audio.recorder();
        if (mode == RecordingMode_TextMini || mode == RecordingMode_VoiceRecognition) {
            if (shown && raise(event)) {
                if (d.conferenceMode && pressed)
                    d.dragonMicrophoneOn = !d.dragonMicrophoneOn;
                else if (!d.conferenceMode)
                    d.dragonMicrophoneOn = pressed;
                q->DisplayUpdate();
            }
            return;
        }
        if (isCommandMode(mode)) return; // the command menu's own record action
        if (d.conferenceMode && !pressed) {
            if (shown) raise(event);
            return;
        }
        if (mode == RecordingMode_None || mode == RecordingMode_HeaderDataOnly) {
            if (pressed && raise(event) && shown) newRecordingFromButton();
            return;
        }
        if (d.conferenceMode) {
            if (!shown || !raise(event)) return;
            if (mode == RecordingMode_PlaybackStandby) {
                q->setRecordingMode(RecordingMode_RecordingOverwriteStandby);
                d.modeChanged(true, true, true, QStringLiteral("Dictating (paused)"));
            } else if (mode == RecordingMode_Playback) {
                startOverwriteAtOnce();
            } else {
                q->RecordingStop();
            }
            q->DisplayUpdate();
            return;
        }
        if (pressed) {
            if (!shown) return;
            if (mode == RecordingMode_RecordingOverwrite) {
                raise(event);
                return;
            }
            if (mode == RecordingMode_Playback || mode == RecordingMode_RecordingInsert) r.Stop();
            if (!raise(event)) return;
            q->setRecordingMode(RecordingMode_RecordingOverwriteStandby);
            if (d.loadedFromFile && mode != RecordingMode_Playback && mode != RecordingMode_RecordingInsert)
                r.setPositionSamples(r.TotalSamples());
            q->RecordingStart();
            return;
        }
        if (mode == RecordingMode_RecordingOverwriteStandby) {
            if (shown) raise(event);
            return;
        }
        if (mode == RecordingMode_PlaybackStandby || mode == RecordingMode_RecordingInsertStandby) {
            if (raise(event) && shown) {
                q->setRecordingMode(RecordingMode_RecordingOverwrite);
                q->RecordingPause();
            }
            return;
        }
        r.Stop();
        if (raise(event)) {
            q->setRecordingMode(RecordingMode_RecordingOverwrite);
            q->RecordingPause();
        }
    });
}

void Transport::ProcessButtonInsert(bool pressed) {
    ErrorGuard({kDictationClass, "ProcessButtonInsert"}, [&] {
        const gdenmRecordingMode mode = d.mode;
        const Event event = pressed ? &Dictation::ButtonInsertClick : &Dictation::ButtonInsertRelease;
        if (d.conferenceMode && !pressed) {
            if (!isCommandMode(mode) &&
                prologue(SpeechmikeButton_Insert, pressed, m_swallowInsert, &Dictation::ButtonInsertClick,
                         &Dictation::ButtonInsertRelease))
                raise(event);
            return;
        }
        if (!d.display.insertButton) return;
        if (!prologue(SpeechmikeButton_Insert, pressed, m_swallowInsert, &Dictation::ButtonInsertClick,
                      &Dictation::ButtonInsertRelease))
            return;
        AudioRecordingControl& r = *d.audio.recorder();
        if (isCommandMode(mode)) return; // the command menu's own insert action
        if (mode == RecordingMode_VoiceRecognition) {
            if (pressed && raise(event))
                q->setRecognitionMode(d.recognitionMode == RecognitionMode_Normal ? RecognitionMode_Spell
                                                                                  : RecognitionMode_Normal);
            return;
        }
        if (d.conferenceMode) {
            if (mode == RecordingMode_RecordingInsertStandby && raise(event))
                q->RecordingInsert(false);
            else if (mode == RecordingMode_RecordingOverwriteStandby && raise(event))
                q->RecordingInsert(true);
            return;
        }
        if (mode == RecordingMode_None || mode == RecordingMode_HeaderDataOnly) {
            if (pressed) {
                if (raise(event)) newRecordingFromButton();
            } else if (mode == RecordingMode_HeaderDataOnly) {
                raise(event);
            }
            return;
        }
        if (pressed) {
            if (mode == RecordingMode_RecordingInsert) {
                raise(event);
                return;
            }
            if (mode == RecordingMode_Playback || mode == RecordingMode_RecordingOverwrite) r.Stop();
            if (raise(event)) {
                q->setRecordingMode(RecordingMode_RecordingInsertStandby);
                q->RecordingStart();
            }
            return;
        }
        if (mode == RecordingMode_RecordingInsertStandby) {
            raise(event);
            return;
        }
        if (mode == RecordingMode_Playback || isRecording(mode)) r.Stop();
        if (raise(event)) {
            q->setRecordingMode(RecordingMode_RecordingInsert);
            q->RecordingPause();
        }
    });
}

void Transport::move(bool backward, bool pressed, Event click, Event release, int number, bool& swallow) {
    if (!prologue(number, pressed, swallow, click, release)) return;
    if (pressed) {
        if (raise(click)) movementRepeatStart(backward);
        return;
    }
    const bool repeated = m_repeated;
    movementRepeatStop();
    if (repeated || d.mode == RecordingMode_HeaderDataOnly || isCommandMode(d.mode)) return;
    if (raise(release)) {
        leaveRecordingForPlayback();
        d.mediaFastMove(backward, backward ? d.rewindMs : d.forwardMs);
    }
}

void Transport::ProcessButtonRewind(bool pressed) {
    ErrorGuard({kDictationClass, "ProcessButtonRewind"}, [&] {
        move(true, pressed, &Dictation::ButtonRewindClick, &Dictation::ButtonRewindRelease,
             SpeechmikeButton_Rewind, m_swallowRewind);
    });
}

void Transport::ProcessButtonForward(bool pressed) {
    ErrorGuard({kDictationClass, "ProcessButtonForward"}, [&] {
        move(false, pressed, &Dictation::ButtonForwardClick, &Dictation::ButtonForwardRelease,
             SpeechmikeButton_Forward, m_swallowForward);
    });
}

void Transport::movementRepeatStart(bool backward) {
    m_backward = backward;
    m_moving = true;
    m_repeated = false;
    d.tmrMovementRepeat->setInterval(500);
    d.tmrMovementRepeat->start();
}

void Transport::movementRepeatStop() {
    d.tmrMovementRepeat->stop();
    m_moving = false;
}

void Transport::movementTick() {
    ErrorGuard({kDictationClass, "tmrMovementRepeat_Timer"}, [&] {
        d.tmrMovementRepeat->stop();
        if (!m_moving) return;
        d.tmrMovementRepeat->setInterval(100);
        m_repeated = true;
        if (d.mode != RecordingMode_None && d.mode != RecordingMode_HeaderDataOnly &&
            !isCommandMode(d.mode)) {
            leaveRecordingForPlayback();
            d.mediaFastMove(m_backward, 1000);
        }
        d.tmrMovementRepeat->start();
    });
}

void Transport::ProcessButtonBeginning() {
    ErrorGuard({kDictationClass, "ProcessButtonBeginning"}, [&] {
        const gdenmRecordingMode mode = d.mode;
        if (mode == RecordingMode_TextMini || mode == RecordingMode_TextTranscription ||
            mode == RecordingMode_VoiceRecognition || mode == RecordingMode_AudioFileRecognition)
            return;
        if (raise(&Dictation::ButtonBeginningClick)) {
            leaveRecordingForPlayback();
            d.mediaFastMove(true, 0);
        }
    });
}

void Transport::ProcessButtonEnding() {
    ErrorGuard({kDictationClass, "ProcessButtonEnding"}, [&] {
        const gdenmRecordingMode mode = d.mode;
        if (mode == RecordingMode_TextMini || mode == RecordingMode_TextTranscription ||
            mode == RecordingMode_VoiceRecognition || mode == RecordingMode_AudioFileRecognition)
            return;
        if (raise(&Dictation::ButtonEndingClick)) {
            leaveRecordingForPlayback();
            d.mediaFastMove(false, 0);
        }
    });
}

void Transport::ProcessButtonEOL(bool pressed) {
    ErrorGuard({kDictationClass, "ProcessButtonEOL"}, [&] {
        if (!prologue(SpeechmikeButton_Command, pressed, m_swallowEOL, &Dictation::ButtonEOLClick,
                      &Dictation::ButtonEOLRelease))
            return;
        if (!pressed) {
            if (m_eolPressed) {
                m_eolPressed = false;
                raise(&Dictation::ButtonEOLRelease);
            }
            return;
        }
        if (isCommandMode(d.mode)) return; // the command menu's own end-of-letter action
        m_eolPressed = true;
        if (raise(&Dictation::ButtonEOLClick)) q->RecordingEnd();
    });
}

void Transport::setEOLButtonDown(bool pressed) {
    m_eolPending = pressed;
    d.tmrShowEOL->start();
}

static bool listModeAllowed(gdenmRecordingMode mode) {
    return mode == RecordingMode_None || mode == RecordingMode_PlaybackStandby || isStandby(mode) ||
           mode == RecordingMode_HeaderDataOnly;
}

void Transport::ProcessButtonNextDictation() {
    ErrorGuard({kDictationClass, "ProcessButtonNextDictation"}, [&] {
        if (listModeAllowed(d.mode) && raise(&Dictation::ButtonNextDictationClick)) q->DictationNext();
    });
}

void Transport::ProcessButtonDictationList() {
    ErrorGuard({kDictationClass, "ProcessButtonDictationList"}, [&] {
        if (listModeAllowed(d.mode) && raise(&Dictation::ButtonDictationListClick)) q->DictationList();
    });
}

bool Transport::ProcessButtonEdit() {
    bool saved = false;
    ErrorGuard({kDictationClass, "ProcessButtonEdit"}, [&] {
        if (!raise(&Dictation::ButtonEditClick)) return;
        const gdenmRecordingMode mode = d.mode;
        const bool phone = d.data.type == RecordingType_PhoneMessage;
        if (!(mode == RecordingMode_PlaybackStandby || isStandby(mode) || isCommandMode(mode) ||
              mode == RecordingMode_HeaderDataOnly || (phone && mode == RecordingMode_None)))
            return;
        if (phone && mode == RecordingMode_None) {
            d.resetRecordingData(false, false);
            d.data.type = RecordingType_PhoneMessage;
            d.data.qualitySamples = RecordingQualitySamples_PhoneMessage;
            d.data.qualitySampleSize = RecordingQualitySampleSize_Normal;
            d.data.qualityChannels = RecordingQualityChannels_Mono;
            Q_EMIT q->RecordingInitialized();
        }
        saved = d.editInForm();
    });
    return saved;
}

void Transport::ProcessButtonFunction(int number, bool pressed) {
    ErrorGuard({kDictationClass, "ProcessButtonFunction"}, [&] {
        const int button = SpeechmikeButton_Function1 + number - 1;
        if (number < 1 || number > 4 || (m_held != 0 && m_held != button)) return;
        m_held = pressed ? button : 0;
        if (!pressed) return;
        if (clsButtonCommand* commands = d.buttonCommand.data()) {
            const QString text = commands->ButtonGet(button);
            if (!text.isEmpty() && commands->Enabled() && d.mode == RecordingMode_VoiceRecognition &&
                d.data.dictationType == DictationType_ExternalText) {
                Q_EMIT q->ButtonCommandPressed(text);
                return;
            }
        }
        bool cancel = false;
        Q_EMIT q->ButtonFunctionClick(short(number), cancel);
    });
}

void Transport::ProcessButtonInstruction(bool pressed) {
    ErrorGuard({kDictationClass, "ProcessButtonInstruction"}, [&] {
        if (!d.speechmikeClassic) return;
        q->setDictationConferenceMode(false);
        if (prologue(SpeechmikeButton_Instruction, pressed, m_swallowInstruction,
                     &Dictation::ButtonInstructionClick, &Dictation::ButtonInstructionClick))
            raise(&Dictation::ButtonInstructionClick);
    });
}

void Transport::ProcessButtonStop(bool pressed) {
    ErrorGuard({kDictationClass, "ProcessButtonStop"}, [&] {
        if (!d.speechmikeClassic) return;
        q->setDictationConferenceMode(false);
        if (pressed) {
            switch (d.mode) {
            case RecordingMode_Playback:
                q->PlaybackPause();
                break;
            case RecordingMode_RecordingInsert:
            case RecordingMode_RecordingOverwrite:
                q->RecordingStop();
                break;
            case RecordingMode_TextMini:
            case RecordingMode_VoiceRecognition:
                d.dragonMicrophoneOn = false;
                break;
            default:
                break;
            }
        }
        q->DisplayUpdate();
    });
}

void Transport::ProcessButtonBarcode(bool pressed) {
    ErrorGuard({kDictationClass, "ProcessButtonBarcode"}, [&] {
        m_held = pressed ? 12 : 0;
        if (pressed) raise(&Dictation::ButtonBarcodeClick); // the barcode window comes with the device work
    });
}

void Transport::ConferenceToggle() {
    ErrorGuard({kDictationClass, "cmdDictationConferenceModeToggle_Click"}, [&] {
        q->setDictationConferenceMode(!d.conferenceMode);
        q->DisplayUpdate();
    });
}

void Transport::displayPoll() {
    ErrorGuard({kDictationClass, "tmrTimer_Timer"}, [&] {
        d.tmrTimer->stop();
        AudioRecordingControl& r = *d.audio.recorder();
        const double position = r.PositionSeconds();
        if (d.mode == RecordingMode_Playback && position > d.data.playbackMaxTime)
            d.data.playbackMaxTime = position;
        d.updateTimerDisplay();
        d.refreshLevelColor();
        const auto running = [&] { return r.State() == 3 || r.State() == 4; };
        if (!running() && !running()) {
            gdenmRecordingMode next = d.mode;
            if (d.mode == RecordingMode_Playback)
                next = RecordingMode_PlaybackStandby;
            else if (d.mode == RecordingMode_RecordingInsert)
                next = RecordingMode_RecordingInsertStandby;
            else if (d.mode == RecordingMode_RecordingOverwrite)
                next = RecordingMode_RecordingOverwriteStandby;
            if (next != d.mode) {
                q->setRecordingMode(next);
                d.status.DisplayStatusUpdate(d.statusInputs());
                d.refreshLevelColor();
            }
            return; // the poll stays off until audio runs again
        }
        d.tmrTimer->start();
    });
}

} // namespace vd
