#include "ControlFixture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTimer>

#include "speech/CommandMenu.h"
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

using namespace VantorDictation4;

namespace {
struct ModeEvent {
    bool dictating, standby, overwrite;
    QString text;
    bool operator==(const ModeEvent& o) const {
        return dictating == o.dictating && standby == o.standby && overwrite == o.overwrite && text == o.text;
    }
};

// A control with an open recording of `seconds` at 11025 Hz, and recorders
// of its mode changes and button events.
struct TransportFixture : ControlFixture {
    QList<ModeEvent> modes;
    QStringList buttons;
    QString cancelNext; // the event whose Cancel the host sets

    void SetUp() override {
        ControlFixture::SetUp();
        QObject::connect(control.get(), &Dictation::ModeChanged,
                         [this](bool a, bool b, bool c, const QString& t) {
                             modes.append({a, b, c, t});
                         });
        const auto watch = [this](auto signal, const char* name) {
            QObject::connect(control.get(), signal, [this, name](bool& cancel) {
                buttons << name;
                cancel = cancelNext == name;
            });
        };
        watch(&Dictation::ButtonPlayClick, "PlayClick");
        watch(&Dictation::ButtonPlayRelease, "PlayRelease");
        watch(&Dictation::ButtonRecordingClick, "RecordingClick");
        watch(&Dictation::ButtonRecordingRelease, "RecordingRelease");
        watch(&Dictation::ButtonInsertClick, "InsertClick");
        watch(&Dictation::ButtonInsertRelease, "InsertRelease");
        watch(&Dictation::ButtonRewindClick, "RewindClick");
        watch(&Dictation::ButtonRewindRelease, "RewindRelease");
        watch(&Dictation::ButtonForwardClick, "ForwardClick");
        watch(&Dictation::ButtonForwardRelease, "ForwardRelease");
        watch(&Dictation::ButtonEOLClick, "EOLClick");
        watch(&Dictation::ButtonEOLRelease, "EOLRelease");
        watch(&Dictation::ButtonBeginningClick, "BeginningClick");
        watch(&Dictation::ButtonEndingClick, "EndingClick");
    }

    void openRecording(double seconds) {
        QString file = folder.filePath("Dictation_T.WAV");
        recorder->FileNew(file);
        recorder->setInsertMode(0);
        recorder->Record();
        recorder->capture(QVector<qint16>(qsizetype(seconds * 11025), 7));
        recorder->Stop();
        recorder->setPositionSamples(0);
        control->RecordingInsert(false); // overwrite standby
        modes.clear();
    }
    void press(const char* name) { Q_EMIT control->findChild<QToolButton*>(name)->pressed(); }
    void release(const char* name) { Q_EMIT control->findChild<QToolButton*>(name)->released(); }
    void click(const char* name) {
        press(name);
        release(name);
    }
    static void wait(int ms) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
};
} // namespace

TEST_F(TransportFixture, RecordingOperationsMoveTheModeAndTellTheHost) {
    openRecording(2.0);
    control->RecordingStart();
    EXPECT_EQ(control->RecordingMode(), RecordingMode_RecordingOverwrite);
    EXPECT_EQ(recorder->State(), 3);
    EXPECT_EQ(recorder->InsertMode(), 0);
    EXPECT_TRUE(control->RecordingChanged());
    control->RecordingPause();
    EXPECT_EQ(control->RecordingMode(), RecordingMode_RecordingOverwriteStandby);
    control->RecordingInsert(true);
    control->RecordingStart();
    EXPECT_EQ(recorder->InsertMode(), 1);
    EXPECT_EQ(control->RecordingMode(), RecordingMode_RecordingInsert);
    control->RecordingStop();
    EXPECT_EQ(control->RecordingMode(), RecordingMode_PlaybackStandby);
    control->RecordingStart(); // nothing in playback standby
    EXPECT_EQ(control->RecordingMode(), RecordingMode_PlaybackStandby);
    control->PlaybackStart();
    EXPECT_EQ(recorder->State(), 4);
    control->PlaybackPause();
    const QList<ModeEvent> expected = {
        {true, false, true, "Dictating"},          {true, true, true, "Dictating (paused)"},
        {true, true, false, "Dictating (paused)"}, {true, false, false, "Dictating"},
        {true, true, false, "Dictating (paused)"}, {false, true, false, "Playback (paused)"},
        {false, false, false, "Playback"},         {false, true, false, "Playback (paused)"}};
    EXPECT_EQ(modes, expected);
    EXPECT_EQ(control->findChild<QLabel*>("lblStatusText")->text(), "Play (Pause)");
}

TEST_F(TransportFixture, MissingDevicesAreReportedAndChangeNothing) {
    openRecording(1.0);
    recorder->recordingDevices.clear();
    control->RecordingStart();
    EXPECT_EQ(control->RecordingMode(), RecordingMode_RecordingOverwriteStandby);
    recorder->playbackDevices.clear();
    control->PlaybackStart();
    EXPECT_EQ(control->RecordingMode(), RecordingMode_RecordingOverwriteStandby);
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0].text, "Missing recording device");
    EXPECT_EQ(messages.shown[1].text, "Missing playback device");
    EXPECT_EQ(messages.shown[1].title, "Quillmoor");
    EXPECT_TRUE(modes.isEmpty());
}

TEST_F(TransportFixture, DictationModeActsWhileHeldConferenceModeToggles) {
    openRecording(3.0);
    control->PlaybackPause();
    press("cmdPlay");
    EXPECT_EQ(control->RecordingMode(), RecordingMode_Playback);
    release("cmdPlay");
    EXPECT_EQ(control->RecordingMode(), RecordingMode_PlaybackStandby);
    press("cmdRecording");
    EXPECT_EQ(control->RecordingMode(), RecordingMode_RecordingOverwrite);
    release("cmdRecording");
    EXPECT_EQ(control->RecordingMode(), RecordingMode_RecordingOverwriteStandby);
    press("cmdInsert");
    EXPECT_EQ(control->RecordingMode(), RecordingMode_RecordingInsert);
    release("cmdInsert");
    EXPECT_EQ(control->RecordingMode(), RecordingMode_RecordingInsertStandby);
    EXPECT_EQ(buttons, QStringList({"PlayClick", "PlayRelease", "RecordingClick", "RecordingRelease",
                                    "InsertClick", "InsertRelease"}));

    buttons.clear();
    Q_EMIT control->findChild<QToolButton*>("cmdDictationConferenceModeToggle")->clicked();
    EXPECT_TRUE(control->DictationConferenceMode());
    control->PlaybackPause();
    click("cmdPlay");
    EXPECT_EQ(control->RecordingMode(), RecordingMode_Playback);
    click("cmdPlay");
    EXPECT_EQ(control->RecordingMode(), RecordingMode_PlaybackStandby);
    click("cmdRecording");
    EXPECT_EQ(control->RecordingMode(), RecordingMode_RecordingOverwriteStandby);
    click("cmdPlay"); // play toggles recording in conference mode
    EXPECT_EQ(control->RecordingMode(), RecordingMode_RecordingOverwrite);
    click("cmdRecording"); // record again stops
    EXPECT_EQ(control->RecordingMode(), RecordingMode_PlaybackStandby);
    EXPECT_EQ(buttons.count("PlayRelease"), 3);
}

TEST_F(TransportFixture, ASecondButtonIsRefusedAndItsReleaseSwallowed) {
    openRecording(3.0);
    control->PlaybackPause();
    press("cmdPlay");
    press("cmdRecording");
    release("cmdRecording");
    EXPECT_EQ(control->RecordingMode(), RecordingMode_Playback);
    release("cmdPlay");
    EXPECT_EQ(buttons, QStringList({"PlayClick", "PlayRelease"}));
    // Once play is up, record works again.
    press("cmdRecording");
    EXPECT_EQ(control->RecordingMode(), RecordingMode_RecordingOverwrite);
    release("cmdRecording");
}

TEST_F(TransportFixture, ACancelledClickLeavesTheModeAlone) {
    openRecording(1.0);
    cancelNext = "RecordingClick";
    press("cmdRecording");
    EXPECT_EQ(control->RecordingMode(), RecordingMode_RecordingOverwriteStandby);
    EXPECT_TRUE(modes.isEmpty());
    release("cmdRecording");
    EXPECT_EQ(buttons, QStringList({"RecordingClick", "RecordingRelease"}));
}

TEST_F(TransportFixture, TextDictationsAndBoundCommandsOnlyReport) {
    openRecording(1.0);
    control->setDictationType(DictationType_TextOnly);
    for (const char* name : {"cmdPlay", "cmdRecording", "cmdInsert", "cmdRewind", "cmdForward"})
        click(name);
    EXPECT_EQ(control->RecordingMode(), RecordingMode_RecordingOverwriteStandby);
    EXPECT_EQ(buttons.size(), 10);

    clsButtonCommand commands;
    commands.ButtonSet(SpeechmikeButton_PlayPause, "next field");
    control->setButtonCommand(&commands);
    control->setDictationType(DictationType_ExternalText);
    control->setRecordingMode(RecordingMode_VoiceRecognition);
    QStringList bound;
    QObject::connect(control.get(), &Dictation::ButtonCommandPressed, [&](const QString& t) { bound << t; });
    buttons.clear();
    press("cmdPlay");
    EXPECT_EQ(bound, QStringList({"next field"}));
    EXPECT_TRUE(buttons.isEmpty());
    release("cmdPlay");
}

TEST_F(TransportFixture, ShortClicksMoveByTheSettingsAndBeginningEndingJump) {
    openRecording(10.0);
    control->PlaybackPause();
    control->setRecordingCurrentSeconds(3.2);
    control->setRewindMilliseconds(5000);
    click("cmdRewind");
    EXPECT_NEAR(control->RecordingCurrentSeconds(), 0.0, 1e-3);
    control->setForwardMilliseconds(2500);
    click("cmdForward");
    EXPECT_NEAR(control->RecordingCurrentSeconds(), 2.5, 1e-3);
    press("cmdEnding");
    EXPECT_NEAR(control->RecordingCurrentSeconds(), 10.0, 1e-3);
    press("cmdBeginning");
    EXPECT_NEAR(control->RecordingCurrentSeconds(), 0.0, 1e-3);
    EXPECT_EQ(buttons, QStringList({"RewindClick", "RewindRelease", "ForwardClick", "ForwardRelease",
                                    "EndingClick", "BeginningClick"}));
    // Moving out of a recording pause plays back from there.
    control->RecordingInsert(true);
    press("cmdEnding");
    EXPECT_EQ(control->RecordingMode(), RecordingMode_PlaybackStandby);
}

TEST_F(TransportFixture, HoldingRewindRepeatsAndSkipsTheShortStep) {
    openRecording(10.0);
    control->PlaybackPause();
    control->setRecordingCurrentSeconds(8.0);
    control->setRewindMilliseconds(3000);
    press("cmdRewind");
    EXPECT_NEAR(control->RecordingCurrentSeconds(), 8.0, 1e-3); // nothing before 500 ms
    wait(900);
    release("cmdRewind");
    const double moved = 8.0 - control->RecordingCurrentSeconds();
    EXPECT_GE(moved, 1.0); // at least the first step at 500 ms
    EXPECT_LE(moved, 8.0);
    EXPECT_EQ(buttons, QStringList({"RewindClick"}));
}

TEST_F(TransportFixture, TheDisplayPollNoticesTheEndOfPlayback) {
    openRecording(1.0);
    control->PlaybackPause();
    control->PlaybackStart();
    recorder->advancePlayback(11025);
    wait(350);
    EXPECT_EQ(control->RecordingMode(), RecordingMode_PlaybackStandby);
    EXPECT_NEAR(control->PlaybackMaxTime(), 1.0, 1e-3);
    EXPECT_EQ(control->findChild<QLabel*>("lblTimerText")->text(), "00:00:01.0");
}

TEST_F(TransportFixture, EndOfLetterCancelAndClose) {
    openRecording(1.0);
    control->PlaybackPause();
    control->PlaybackStart();
    QStringList dialogs;
    QObject::connect(control.get(), &Dictation::DialogDisplayed,
                     [&](const QString& n) { dialogs << "+" + n; });
    QObject::connect(control.get(), &Dictation::DialogCleared, [&](const QString& n) { dialogs << "-" + n; });
    gdenmRecordingMode inMenu = RecordingMode_None;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<vd::frmCommandOptions*>(QApplication::activeModalWidget());
        ASSERT_NE(menu, nullptr);
        inMenu = control->RecordingMode();
        menu->ProcessSelection(0); // cancel menu
    });
    press("cmdEOL");
    EXPECT_EQ(inMenu, RecordingMode_CommandStandby);
    EXPECT_EQ(dialogs, QStringList({"+CommandOptions", "-CommandOptions"}));
    EXPECT_EQ(control->RecordingMode(), RecordingMode_PlaybackStandby); // paused for the menu, then back
    release("cmdEOL");
    EXPECT_EQ(buttons, QStringList({"EOLClick", "EOLRelease"}));

    int cancelled = 0;
    QObject::connect(control.get(), &Dictation::RecordingCancelled, [&] { ++cancelled; });
    control->setDictationPatientAccountNumber("A1");
    modes.clear();
    control->RecordingCancel();
    EXPECT_EQ(cancelled, 1);
    EXPECT_EQ(control->RecordingMode(), RecordingMode_None);
    EXPECT_FALSE(control->RecordingChanged());
    EXPECT_EQ(control->DictationPatientAccountNumber(), "");
    EXPECT_EQ(modes, QList<ModeEvent>({{false, true, true, ""}}));

    openRecording(1.0);
    control->setRecordingFileName("/tmp/somewhere.WAV");
    control->RecordingClose(true);
    EXPECT_EQ(control->RecordingMode(), RecordingMode_None);
    EXPECT_EQ(control->RecordingFileName(), "");
    EXPECT_EQ(modes.last(), (ModeEvent{false, false, false, ""}));
    EXPECT_TRUE(control->RecordingFileDelete());
}

TEST_F(TransportFixture, NewRecordingWithoutConfirmedDataKeepsTheModeNone) {
    int initialised = 0;
    QObject::connect(control.get(), &Dictation::RecordingInitialized, [&] { ++initialised; });
    QString shownForm;
    QTimer::singleShot(0, [&] {
        QWidget* form = QApplication::activeModalWidget();
        ASSERT_NE(form, nullptr);
        shownForm = form->objectName();
        form->findChild<QPushButton*>("cmdCancel")->click();
    });
    control->NewRecording(RecordingType_PhoneMessage);
    EXPECT_EQ(shownForm, "frmPhoneMessageData");
    EXPECT_EQ(initialised, 1);
    EXPECT_EQ(control->RecordingType(), RecordingType_PhoneMessage);
    EXPECT_EQ(control->RecordingMode(), RecordingMode_None);
    EXPECT_EQ(buttons, QStringList({"RecordingClick"}));
    EXPECT_EQ(control->DictationFileStatus(), "DICTATED");
}

TEST_F(TransportFixture, LevelColourFollowsVoiceActivationAndLevel) {
    openRecording(1.0);
    control->setDisplayVoxLevelColor(true);
    control->setVoxActive(true);
    control->setVoxStartVolume(-20);
    control->RecordingStart();
    auto color = [&] {
        control->DisplayUpdate();
        return control->findChild<QLabel*>("lblLevelColor")->palette().color(QPalette::Window);
    };
    recorder->level = -10;
    EXPECT_EQ(color(), QColor(0, 255, 0));
    recorder->level = -30;
    EXPECT_EQ(color(), QColor(255, 255, 0));
    recorder->overload = 1;
    EXPECT_EQ(color(), QColor(255, 0, 0));
    recorder->voxState = 1;
    EXPECT_EQ(color(), QColor(0, 0, 0));
    control->RecordingPause();
    EXPECT_EQ(color(), control->palette().color(QPalette::Window));
}
