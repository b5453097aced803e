#include "StatusDisplay.h"

#include "ControlStrip.h"
#include "common/ColorScheme.h"
#include "common/StringProcedures.h"

#include <QLabel>
#include <QToolButton>

namespace vd {

using namespace VantorDictation4;

bool StatusText(gdenmRecordingMode mode, bool microphoneOn, QString& text) {
    const QString onOff = microphoneOn ? QStringLiteral("On") : QStringLiteral("Off");
    switch (mode) {
    case RecordingMode_None:
        text = QStringLiteral("None");
        return true;
    case RecordingMode_PlaybackStandby:
        text = QStringLiteral("Play (Pause)");
        return true;
    case RecordingMode_Playback:
        text = QStringLiteral("Play");
        return true;
    case RecordingMode_RecordingInsertStandby:
        text = QStringLiteral("Insert (Pause)");
        return true;
    case RecordingMode_RecordingInsert:
        text = QStringLiteral("Insert");
        return true;
    case RecordingMode_RecordingOverwriteStandby:
        text = QStringLiteral("Overwrite (Pause)");
        return true;
    case RecordingMode_RecordingOverwrite:
        text = QStringLiteral("Overwrite");
        return true;
    case RecordingMode_Command:
        text = QStringLiteral("Command");
        return true;
    case RecordingMode_CommandStandby:
        text = QStringLiteral("Command (Pause)");
        return true;
    case RecordingMode_HeaderDataOnly:
        text = QStringLiteral("Header");
        return true;
    case RecordingMode_TextMini:
        text = QStringLiteral("Dictating (") + onOff + u')';
        return true;
    case RecordingMode_TextTranscription:
        text = QStringLiteral("External Text");
        return true;
    case RecordingMode_VoiceRecognition:
        text = QStringLiteral("Recognition (") + onOff + u')';
        return true;
    case RecordingMode_AudioFileRecognition:
        text = QStringLiteral("File Recognition");
        return true;
    default:
        return false; // microphone on/off modes keep the text
    }
}

bool TimerColor(gdenmRecordingMode mode, qint32& color, bool& unchanged) {
    unchanged = false;
    switch (mode) {
    case RecordingMode_None:
    case RecordingMode_PlaybackStandby:
    case RecordingMode_Playback:
    case RecordingMode_Command:
    case RecordingMode_CommandStandby:
    case RecordingMode_VoiceRecognition:
        color = 0;
        return true;
    case RecordingMode_RecordingInsertStandby:
    case RecordingMode_RecordingInsert:
        color = 0x00FF00FF;
        return true;
    case RecordingMode_RecordingOverwriteStandby:
    case RecordingMode_RecordingOverwrite:
        color = 0x000000FF;
        return true;
    case RecordingMode_HeaderDataOnly:
    case RecordingMode_TextMini:
    case RecordingMode_TextTranscription:
    case RecordingMode_AudioFileRecognition:
        return false;
    default:
        unchanged = true;
        return false;
    }
}

bool TimerShowsPosition(gdenmRecordingMode mode) {
    switch (mode) {
    case RecordingMode_None:
    case RecordingMode_HeaderDataOnly:
    case RecordingMode_DictationMicOn:
    case RecordingMode_DictationMicOff:
    case RecordingMode_TextMini:
    case RecordingMode_TextTranscription:
    case RecordingMode_AudioFileRecognition:
    case RecordingMode_VoiceRecognition:
        return false;
    default:
        return true;
    }
}

QString RecognitionModeText(int mode) {
    static const char* const names[] = {"Unknown", "Normal", "Spell", "Number", "Hidden"};
    return mode >= 0 && mode <= 4 ? QString::fromLatin1(names[mode]) : QString();
}

static void setTextColor(QLabel* label, const QColor& color) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, color);
    label->setPalette(p);
}

void StatusDisplay::DisplayStatusUpdate(const StatusInputs& in) {
    QLabel* label = m_strip.label(QStringLiteral("lblStatusText"));
    if (!in.displayStatus) {
        label->clear();
    } else {
        QPalette p = label->palette();
        QColor background = m_strip.owner()->palette().color(QPalette::Window);
        if (in.mode == RecordingMode_VoiceRecognition)
            background = in.microphoneOn ? QColor(192, 255, 192) : QColor(255, 192, 192);
        p.setColor(QPalette::Window, background);
        label->setPalette(p);
        QString text;
        if (StatusText(in.mode, in.microphoneOn, text)) label->setText(text);
    }
    const bool active = in.mode != RecordingMode_None;
    for (const char* name : {"cmdBeginning", "cmdRewind", "cmdPlay", "cmdForward", "cmdEnding", "cmdEdit",
                             "cmdInsert", "cmdVoiceRecognition", "cmdDictationConferenceModeToggle"})
        m_strip.element(QString::fromLatin1(name))->setEnabled(active);
    label->update();
}

void StatusDisplay::TimerColorSet(gdenmRecordingMode mode) {
    QLabel* label = m_strip.label(QStringLiteral("lblTimerText"));
    qint32 color = 0;
    bool unchanged = false;
    if (TimerColor(mode, color, unchanged))
        setTextColor(label, OleColorToQColor(color));
    else if (!unchanged)
        setTextColor(label, label->palette().color(QPalette::Window));
    label->update();
}

void StatusDisplay::UpdateTimerDisplay(const StatusInputs& in) {
    if (!in.displayTimer) return;
    QLabel* label = m_strip.label(QStringLiteral("lblTimerText"));
    if (in.mode == RecordingMode_VoiceRecognition)
        label->setText(RecognitionModeText(in.recognitionMode));
    else if (TimerShowsPosition(in.mode))
        label->setText(FormatSecondsTime(in.positionSeconds));
    else
        label->clear();
}

void StatusDisplay::RecordButtonPictureRefresh(const StatusInputs& in) {
    QToolButton* record = m_strip.button(QStringLiteral("cmdRecording"));
    QString holder;
    if (in.mode == RecordingMode_None || in.mode == RecordingMode_HeaderDataOnly)
        holder = QStringLiteral("pctRecordingNew");
    else if (in.dictationType == DictationType_ExternalText)
        holder = in.microphoneOn ? QStringLiteral("pctVoiceRecognitionOn")
                                 : QStringLiteral("pctVoiceRecognitonOff");
    else
        holder = QStringLiteral("pctRecordingOperation");
    record->setProperty("picture", holder);
    record->setText(holder == QStringLiteral("pctRecordingNew")         ? QStringLiteral("New")
                    : holder == QStringLiteral("pctRecordingOperation") ? QStringLiteral("Rec")
                                                                        : QStringLiteral("Mic"));
}

void StatusDisplay::clear() {
    for (const char* name : {"lblTimerText", "lblStatusText", "lblDictationNameText"})
        m_strip.label(QString::fromLatin1(name))->clear();
}

} // namespace vd
