#include "ControlFixture.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>

#include "common/HelpWindow.h"
#include <QToolButton>

using namespace VantorDictation4;

namespace {
QLabel* label(Dictation& c, const char* name) { return c.findChild<QLabel*>(name); }
bool enabled(Dictation& c, const char* name) { return c.findChild<QWidget*>(name)->isEnabled(); }
int twips(Dictation& c, int value) { return value * c.logicalDpiX() / 1440; }
} // namespace

TEST_F(ControlFixture, StatusTextAndButtonsFollowTheMode) {
    const QPair<gdenmRecordingMode, const char*> texts[] = {
        {RecordingMode_None, "None"},
        {RecordingMode_PlaybackStandby, "Play (Pause)"},
        {RecordingMode_Playback, "Play"},
        {RecordingMode_RecordingInsertStandby, "Insert (Pause)"},
        {RecordingMode_RecordingInsert, "Insert"},
        {RecordingMode_RecordingOverwriteStandby, "Overwrite (Pause)"},
        {RecordingMode_RecordingOverwrite, "Overwrite"},
        {RecordingMode_Command, "Command"},
        {RecordingMode_CommandStandby, "Command (Pause)"},
        {RecordingMode_HeaderDataOnly, "Header"},
        {RecordingMode_DictationMicOn, "Header"}, // unchanged
        {RecordingMode_TextMini, "Dictating (Off)"},
        {RecordingMode_TextTranscription, "External Text"},
        {RecordingMode_VoiceRecognition, "Recognition (Off)"},
        {RecordingMode_AudioFileRecognition, "File Recognition"}};
    for (const auto& [mode, text] : texts) {
        control->setRecordingMode(mode);
        control->DisplayUpdate();
        EXPECT_EQ(label(*control, "lblStatusText")->text(), text) << int(mode);
    }
    control->setDragonMicrophoneOn(true);
    control->setRecordingMode(RecordingMode_VoiceRecognition);
    control->DisplayUpdate();
    EXPECT_EQ(label(*control, "lblStatusText")->text(), "Recognition (On)");
    EXPECT_EQ(label(*control, "lblStatusText")->palette().color(QPalette::Window), QColor(192, 255, 192));

    control->setRecordingMode(RecordingMode_None);
    control->DisplayUpdate();
    for (const char* name : {"cmdBeginning", "cmdRewind", "cmdPlay", "cmdForward", "cmdEnding", "cmdInsert"})
        EXPECT_FALSE(enabled(*control, name)) << name;
    for (const char* name : {"cmdRecording", "cmdEOL", "cmdNextDictation", "cmdDictationList"})
        EXPECT_TRUE(enabled(*control, name)) << name;
    control->setRecordingMode(RecordingMode_PlaybackStandby);
    control->DisplayUpdate();
    EXPECT_TRUE(enabled(*control, "cmdPlay"));

    control->setDisplayStatus(false);
    control->DisplayUpdate();
    EXPECT_EQ(label(*control, "lblStatusText")->text(), "");
}

TEST_F(ControlFixture, TimerShowsThePositionInItsModeColour) {
    QString file = folder.filePath("t.WAV");
    recorder->FileNew(file);
    recorder->Record();
    recorder->capture(QVector<qint16>(11025 * 66, 0)); // 66 s at 11025 Hz
    recorder->Stop();
    QList<double> seconds;
    QObject::connect(control.get(), &Dictation::SecondsUpdated, [&](double s) { seconds << s; });
    control->setRecordingMode(RecordingMode_RecordingOverwriteStandby);
    control->setRecordingCurrentSeconds(65.3);
    ASSERT_GE(seconds.size(), 1);
    EXPECT_NEAR(seconds.last(), 65.3, 0.001);
    EXPECT_EQ(label(*control, "lblTimerText")->text(), "00:01:05.3");
    control->DisplayUpdate();
    EXPECT_EQ(label(*control, "lblTimerText")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    control->setRecordingMode(RecordingMode_RecordingInsert);
    control->DisplayUpdate();
    EXPECT_EQ(label(*control, "lblTimerText")->palette().color(QPalette::WindowText), QColor(255, 0, 255));
    control->setRecordingMode(RecordingMode_HeaderDataOnly);
    control->DisplayUpdate();
    EXPECT_EQ(label(*control, "lblTimerText")->text(), "");
    control->setRecordingMode(RecordingMode_VoiceRecognition);
    control->setRecognitionMode(RecognitionMode_Spell);
    EXPECT_EQ(label(*control, "lblTimerText")->text(), "Spell");
    EXPECT_EQ(control->RecognitionModeDisplay(RecognitionMode_Number), "Number");
    EXPECT_EQ(control->RecognitionModeDisplay(gdenmRecognitionMode(9)), "");
}

TEST_F(ControlFixture, RecordButtonPictureFollowsModeAndDictationType) {
    auto picture = [&] {
        return control->findChild<QToolButton*>("cmdRecording")->property("picture").toString();
    };
    control->DisplayUpdate();
    EXPECT_EQ(picture(), "pctRecordingNew");
    control->setRecordingMode(RecordingMode_PlaybackStandby);
    control->DisplayUpdate();
    EXPECT_EQ(picture(), "pctRecordingOperation");
    control->setDictationType(DictationType_ExternalText);
    control->DisplayUpdate();
    EXPECT_EQ(picture(), "pctVoiceRecognitonOff");
    control->setDragonMicrophoneOn(true);
    control->DisplayUpdate();
    EXPECT_EQ(picture(), "pctVoiceRecognitionOn");
}

TEST_F(ControlFixture, TooltipsFollowConferenceModeAndDictationType) {
    auto tip = [&](const char* name) { return control->findChild<QWidget*>(name)->toolTip(); };
    control->setDictationConferenceMode(true);
    control->DisplayUpdate();
    EXPECT_EQ(tip("cmdPlay"), "Play / Pause recording (ctl-Y)");
    EXPECT_EQ(tip("cmdInsert"), "Toggle insert / overwrite mode");
    control->setDictationType(DictationType_TextOnly);
    control->DisplayUpdate();
    EXPECT_EQ(tip("cmdPlay"), "");
    EXPECT_EQ(tip("cmdRecording"), "Start / Stop microphone (ctl-Y)");
    control->setDictationConferenceMode(false);
    control->DisplayUpdate();
    EXPECT_EQ(tip("cmdRecording"), "Hold button to use microphone");
    EXPECT_EQ(tip("cmdDictationConferenceModeToggle"),
              "Dictation mode - click for conference mode - Press and hold 'Record' to use microphone");
}

TEST_F(ControlFixture, DictationNameShowsPatientOrPhoneMessage) {
    control->setDictationPatientAccountNumber(" A1 ");
    control->setDictationPatientName("Doe, Jane ");
    control->setDictationDateOfService(QDateTime(QDate(2026, 3, 4), QTime(0, 0)));
    control->setRecordingName("Letter");
    EXPECT_EQ(label(*control, "lblDictationNameText")->text(), "A1 - Doe, Jane - 03/04/2026");
    control->setRecordingType(RecordingType_PhoneMessage);
    control->setRecordingName("Call from lab");
    EXPECT_EQ(label(*control, "lblDictationNameText")->text(), "Call from lab");
    control->setDisplayDictationName(false);
    control->DisplayUpdate();
    EXPECT_EQ(label(*control, "lblDictationNameText")->text(), "");
}

TEST_F(ControlFixture, LayoutWithEveryFlagOffShowsOnlyTheLeftButtons) {
    int layouts = 0;
    QObject::connect(control.get(), &Dictation::LayoutUpdated, [&] { ++layouts; });
    for (const char* flag :
         {"DisplayNextDictationButton", "DisplayDictationListButton", "DisplayRecordButton",
          "DisplayInsertButton", "DisplayEditButton", "DisplayLevels", "DisplayVoxLevelColor",
          "DisplayDictationName", "DisplayStatus", "DisplayVoiceRecognition", "DisplayTimer"})
        control->setProperty(flag, false);
    EXPECT_EQ(layouts, 8); // the flags that were true
    QStringList visible;
    for (QWidget* w : control->findChildren<QWidget*>())
        if (!w->isHidden()) visible << w->objectName();
    visible.sort();
    EXPECT_EQ(visible, QStringList({"cmdBeginning", "cmdEOL", "cmdEnding", "cmdForward", "cmdPlay",
                                    "cmdRewind", "imgHelp"}));
    QWidget* eol = control->findChild<QWidget*>("cmdEOL");
    QWidget* help = control->findChild<QWidget*>("imgHelp");
    EXPECT_EQ(help->x(), eol->geometry().right() + 1 + twips(*control, 105));
}

TEST_F(ControlFixture, ANarrowControlHidesTheHelpPicture) {
    control->show();
    control->resize(200, 40);
    EXPECT_TRUE(control->findChild<QWidget*>("imgHelp")->isHidden());
    EXPECT_EQ(label(*control, "lblDictationNameText")->width(), 2);
    control->resize(3000, 40);
    EXPECT_FALSE(control->findChild<QWidget*>("imgHelp")->isHidden());
    EXPECT_GT(label(*control, "lblDictationNameText")->width(), 2);
}

TEST_F(ControlFixture, HelpPictureOpensTheHelpWindowAndDestructionClosesIt) {
    int doubleClicks = 0;
    QObject::connect(control.get(), &Dictation::DblClick, [&] { ++doubleClicks; });
    QWidget* help = control->findChild<QWidget*>("imgHelp");
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(help, &release);
    QPointer<QWidget> window = vd::HelpWindow();
    ASSERT_FALSE(window.isNull());
    EXPECT_EQ(window->windowTitle(), "Help");
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(utils.log.isEmpty()) << utils.log.join('\n').toStdString();
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(help, &dbl);
    EXPECT_EQ(doubleClicks, 1);
    control.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull() || !window->isVisible());

    vd::HelpFileShow("NoSuchTopic.htm");
    ASSERT_EQ(utils.log.size(), 1);
    EXPECT_TRUE(utils.log[0].startsWith(
        "VantorDictation4 - Global Procedures Module - HelpFileShow - 'Help topic not found"));
}
