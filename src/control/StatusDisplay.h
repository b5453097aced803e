#pragma once
// The dynamic part of the strip: status text, timer text and colour, the
// record button's picture and which transport buttons are enabled, all
// following the transport state.

#include <VantorDictation4/DictationEnums.h>

#include <QString>

namespace vd {

class ControlStrip;

// Status label text for a mode; microphoneOn matters for the speech modes.
// Returns false for the modes that leave the text unchanged.
bool StatusText(VantorDictation4::gdenmRecordingMode mode, bool microphoneOn, QString& text);
// Timer text colour as a classic colour value; false where the label's own
// background is used (text invisible), or the colour stays unchanged (see unchangedOut).
bool TimerColor(VantorDictation4::gdenmRecordingMode mode, qint32& color, bool& unchangedOut);
// Whether the timer shows the audio position in this mode.
bool TimerShowsPosition(VantorDictation4::gdenmRecordingMode mode);
QString RecognitionModeText(int mode);

struct StatusInputs {
    VantorDictation4::gdenmRecordingMode mode = VantorDictation4::RecordingMode_None;
    VantorDictation4::gdenmDictationType dictationType = VantorDictation4::DictationType_RecordingOnly;
    VantorDictation4::gdenmRecognitionMode recognitionMode = VantorDictation4::RecognitionMode_Unknown;
    bool displayStatus = false;
    bool displayTimer = false;
    bool microphoneOn = false;
    double positionSeconds = 0;
};

class StatusDisplay {
public:
    explicit StatusDisplay(ControlStrip& strip) : m_strip(strip) {}

    void DisplayStatusUpdate(const StatusInputs& in);
    void TimerColorSet(VantorDictation4::gdenmRecordingMode mode);
    void UpdateTimerDisplay(const StatusInputs& in);
    void RecordButtonPictureRefresh(const StatusInputs& in);
    // Empties the three labels (when the control closes).
    void clear();

private:
    ControlStrip& m_strip;
};

} // namespace vd
