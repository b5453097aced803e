#pragma once
// The transport state machine: every button press and release, from the
// strip, pedals, the hand-held microphone, shortcuts or spoken commands,
// ends here. It refuses a second button while one is held, asks the host
// (cancellable Click/Release events) and then runs the recording operation
// that the mode, conference mode and dictation type call for.

#include <QObject>

class Dictation;

namespace vd {

struct DictationPrivate;

class Transport : public QObject {
    Q_OBJECT
public:
    Transport(Dictation* control, DictationPrivate& d);

    void ProcessButtonPlay(bool pressed);
    void ProcessButtonRecording(bool pressed);
    void ProcessButtonInsert(bool pressed);
    void ProcessButtonRewind(bool pressed);
    void ProcessButtonForward(bool pressed);
    void ProcessButtonEOL(bool pressed);
    void ProcessButtonBeginning();
    void ProcessButtonEnding();
    void ProcessButtonNextDictation();
    void ProcessButtonDictationList();
    // Returns whether the data form was saved.
    bool ProcessButtonEdit();
    void ProcessButtonFunction(int number, bool pressed);
    void ProcessButtonInstruction(bool pressed);
    void ProcessButtonStop(bool pressed);
    void ProcessButtonBarcode(bool pressed);
    void ConferenceToggle();
    // For sources that must not run the end of letter inside their own call.
    void setEOLButtonDown(bool pressed);

    int heldButton() const { return m_held; }

private:
    using Event = void (Dictation::*)(bool&);
    enum class Step { Stop, Proceed };

    // The common start of the held buttons; false when the operation stops.
    bool prologue(int number, bool pressed, bool& swallow, Event click, Event release);
    bool raise(Event event); // true unless the host cancelled
    void backStep();
    void leaveRecordingForPlayback();
    void startOverwriteAtOnce();
    void newRecordingFromButton();
    void movementRepeatStart(bool backward);
    void movementRepeatStop();
    void movementTick();
    void displayPoll();
    void move(bool backward, bool pressed, Event click, Event release, int number, bool& swallow);

    Dictation* q;
    DictationPrivate& d;
    int m_held = 0;
    bool m_swallowPlay = false, m_swallowRecord = false, m_swallowInsert = false, m_swallowRewind = false,
         m_swallowForward = false, m_swallowEOL = false, m_swallowInstruction = false;
    bool m_moving = false, m_backward = false, m_repeated = false;
    bool m_eolPressed = false, m_eolPending = false;
    bool m_classicFirst = false, m_classicSecond = false;
};

} // namespace vd
