#include "ControlFixture.h"

#include "common/ProcessState.h"

#include <QLabel>
#include <QMetaMethod>
#include <QToolButton>

using namespace VantorDictation4;

TEST_F(ControlFixture, MillisecondSettingsIgnoreInvalidValuesAndRepeats) {
    control->setRewindMilliseconds(500);
    control->setRewindMilliseconds(500);
    control->setRewindMilliseconds(0);
    control->setRewindMilliseconds(-5);
    control->setForwardMilliseconds(-1);
    control->setRewindAfterPlayMilliseconds(0); // 0 is the current value: no event
    control->setRewindAfterPlayMilliseconds(250);
    control->setRewindAfterPlayMilliseconds(0);
    control->setRewindAfterPlayMilliseconds(-1);
    EXPECT_EQ(control->RewindMilliseconds(), 500);
    EXPECT_EQ(control->ForwardMilliseconds(), 0);
    EXPECT_EQ(control->RewindAfterPlayMilliseconds(), 0);
    ASSERT_EQ(events.size(), 3);
    EXPECT_EQ(events[0].name, "RewindMilliseconds");
    EXPECT_EQ(events[0].oldValue, "0");
    EXPECT_EQ(events[0].newValue, "500");
    EXPECT_EQ(events[2].name, "RewindAfterPlayMilliseconds");
    EXPECT_EQ(events[2].newValue, "0");
}

TEST_F(ControlFixture, HaltedEventsStillChangeSettingsAndFireEventAlwaysRaises) {
    control->setAudioSettingHaltEvents(true);
    control->setFootpedalActionLeft(FootpedalAction_Play);
    control->setVoxWaitTimeTenths(9);
    EXPECT_EQ(control->FootpedalActionLeft(), FootpedalAction_Play);
    EXPECT_EQ(control->VoxWaitTimeTenths(), 9);
    EXPECT_TRUE(events.isEmpty());
    control->AudioSettingFireEvent();
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events[0].name, "AllAudioSettings");
    EXPECT_EQ(events[0].oldValue, "");
    EXPECT_EQ(events[0].newValue, "");
    control->setAudioSettingHaltEvents(false);
    control->setFootpedalActionRight(FootpedalAction_None);
    ASSERT_EQ(events.size(), 2);
    EXPECT_EQ(events[1].name, "FootpedalActionRight");
    EXPECT_EQ(events[1].oldValue, "3");
    EXPECT_EQ(events[1].newValue, "0");
}

TEST_F(ControlFixture, TranscribeSettingsReportRefusedChangesWithTheUnchangedValue) {
    control->setTranscribePauseMilliseconds(0);
    control->setTranscribePauseThreshold(1.5f);
    control->setTranscribePauseThreshold(0.5f);
    control->setTranscribePauseThreshold(0.5f);
    EXPECT_EQ(control->TranscribePauseMilliseconds(), 100);
    EXPECT_FLOAT_EQ(control->TranscribePauseThreshold(), 0.5f);
    ASSERT_EQ(events.size(), 3);
    EXPECT_EQ(events[0].oldValue, "100");
    EXPECT_EQ(events[0].newValue, "100");
    EXPECT_EQ(events[1].name, "TranscribePauseThreshold");
    EXPECT_EQ(events[1].newValue, "0.3");
    EXPECT_EQ(events[2].newValue, "0.5");
}

TEST_F(ControlFixture, VoxAndRateAcceptOnlyTheirRanges) {
    control->setVoxWaitTimeTenths(21);
    control->setVoxStartVolume(5);
    control->setVoxStopVolume(-101);
    control->setPlaybackAudioRate(0);
    EXPECT_TRUE(events.isEmpty());
    control->setVoxStartVolume(-40);
    control->setVoxStartVolume(0);
    EXPECT_EQ(control->VoxStartVolume(), 0.0f);
    control->setVoxActive(true);
    control->setRecordingAudioRate(AudioRate_Fast);
    EXPECT_EQ(control->PlaybackAudioRate(), AudioRate_Fast);
    ASSERT_EQ(events.size(), 4);
    EXPECT_EQ(events[0].newValue, "-40");
    EXPECT_EQ(events[2].name, "VoxActive");
    EXPECT_EQ(events[2].oldValue, "False");
    EXPECT_EQ(events[2].newValue, "True");
    EXPECT_EQ(events[3].name, "PlaybackAudioRate");
    // A stored 0 start volume makes the recorder use the default.
    QString error;
    control->ControlLoad(QString(), error);
    EXPECT_EQ(recorder->VoxStartVolume(), -24.0f);
    EXPECT_EQ(recorder->VoxStopVolume(), -30.0f);
    EXPECT_EQ(recorder->VoxWaitTimeTenths(), 5);
    EXPECT_EQ(recorder->VoxActive(), 1);
    EXPECT_EQ(recorder->FormatOption(), 4);
}

TEST_F(ControlFixture, DevicesAreChosenByName) {
    EXPECT_EQ(control->DeviceRecordingList(), "Windows Default\tUSB Headset\tLine In");
    EXPECT_EQ(control->DevicePlaybackList(), "Windows Default\tSpeakers\tUSB Headset");
    control->setDeviceRecordingName(" line in ");
    EXPECT_EQ(recorder->RecordingDeviceID(), 1);
    EXPECT_EQ(control->DeviceRecordingName(), "LINE IN");
    control->setDeviceRecordingName("LINE IN"); // same device: nothing
    control->setDevicePlaybackName("usb headset");
    control->setDevicePlaybackName("windows default ");
    EXPECT_EQ(recorder->PlaybackDeviceID(), -1);
    EXPECT_EQ(control->DevicePlaybackName(), "");
    control->setDevicePlaybackName("No Such Device"); // also the default: no change
    ASSERT_EQ(events.size(), 3);
    EXPECT_EQ(events[0].name, "DeviceRecordingName");
    EXPECT_EQ(events[0].oldValue, "");
    EXPECT_EQ(events[0].newValue, " line in ");
    EXPECT_EQ(events[2].oldValue, "USB HEADSET");
    recorder->recordingDevices.clear();
    EXPECT_EQ(control->DeviceRecordingList(), "");
}

TEST_F(ControlFixture, VolumesAndConstantReaders) {
    control->setVolumePlayback(40);
    EXPECT_EQ(control->RecordingAudioVolume(), 40);
    control->setRecordingAudioVolume(101);
    EXPECT_EQ(control->VolumePlayback(), 40);
    control->setVolumeRecording(10);
    EXPECT_EQ(control->VolumeRecording(), 70);
    control->setWorkflowListShowTracking(true);
    EXPECT_FALSE(control->WorkflowListShowTracking());
    control->setDisableButtons(true);
    EXPECT_FALSE(control->DisableButtons());
    EXPECT_EQ(control->ControlVersion(), "3.0.0");
    EXPECT_EQ(control->AppearanceDisplay(), 0);
    control->setAppearanceDisplay(1);
    EXPECT_EQ(control->AppearanceDisplay(), 1);
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events[0].name, "VolumePlayback");
}

TEST_F(ControlFixture, ListSelectionDefaultsAndClamps) {
    auto fresh = makeControl(false);
    EXPECT_EQ(fresh->DictationListSortOrder(), "PRIORITY,DATE,NAME");
    EXPECT_EQ(fresh->DictationListSelectionAuthor(), "*");
    EXPECT_EQ(fresh->DictationListSelectionExclusionAuthor(), "*");
    fresh->setDictationListSortOrder("");
    EXPECT_EQ(fresh->DictationSortOrder(), "PRIORITY, DATE");
    fresh->setProperty("DictationSortOrder", "NAME");
    EXPECT_EQ(fresh->DictationListSortOrder(), "NAME");
    fresh->setDictationListSelectionAuthor("");
    EXPECT_EQ(fresh->DictationListSelectionAuthor(), "*");
    fresh->setDictationListSelectionExclusionAuthor("");
    EXPECT_EQ(fresh->DictationListSelectionExclusionAuthor(), "");
    for (short p : {1, 2, 3}) {
        fresh->setDictationListSelectionPriority(p);
        EXPECT_EQ(fresh->DictationListSelectionPriority(), p);
    }
    fresh->setDictationListSelectionPriority(4);
    EXPECT_EQ(fresh->DictationListSelectionPriority(), 0);
}

TEST_F(ControlFixture, RecordingDataRules) {
    control->setDictationAuthor("dr. lower");
    EXPECT_EQ(control->DictationAuthor(), "DR. LOWER");
    control->setSpeechmikeClassic(true);
    control->setDictationConferenceMode(true);
    EXPECT_FALSE(control->DictationConferenceMode());
    control->setSpeechmikeClassic(false);
    control->setDictationConferenceMode(true);
    EXPECT_TRUE(control->DictationConferenceMode());

    EXPECT_FALSE(control->HeaderChanged());
    control->setDictationPriority(DictationPriority_Normal); // unchanged
    EXPECT_FALSE(control->HeaderChanged());
    control->setDictationPriority(DictationPriority_High);
    EXPECT_TRUE(control->HeaderChanged());

    control->setDictationTextLocation("2;3");
    EXPECT_EQ(control->DictationTextLocation(), "1;1;0");
    control->setDictationTextLocation("2;3;4");
    EXPECT_EQ(control->DictationTextLocation(), "2;3;4");

    control->setRecordingType(RecordingType_PhoneMessage);
    control->setRecordingTemporaryFolder(folder.path());
    EXPECT_EQ(vd::TemporaryNamePrefix(), folder.path() + "/PhoneMessage_");
}

TEST_F(ControlFixture, ColourSettersArePropertyOfTheProcess) {
    auto other = makeControl(false);
    control->setColorRequired(0x000000FF);
    EXPECT_EQ(other->ColorRequired(), 0x000000FF);
    EXPECT_EQ(vd::Colors().required, 0x000000FF);
    auto* message = qobject_cast<VantorMessage*>(vd::Slots().message.data());
    ASSERT_NE(message, nullptr);
    control->setColorButton(0x00123456);
    EXPECT_EQ(message->buttonColor(), 0x00123456);
}

TEST_F(ControlFixture, AuthorRuleHidesRecordInsertAndEdit) {
    auto visible = [&](const char* name) { return !control->findChild<QWidget*>(name)->isHidden(); };
    EXPECT_TRUE(visible("cmdRecording"));
    control->setDictationAuthor("someone else");
    control->setDictationCheckSecurity(true);
    control->UpdateDisplayLayout();
    EXPECT_FALSE(visible("cmdRecording"));
    EXPECT_FALSE(visible("cmdInsert"));
    EXPECT_FALSE(visible("cmdEdit"));
    EXPECT_TRUE(visible("cmdNextDictation"));
    control->setDictationAuthor("  ");
    control->UpdateDisplayLayout();
    EXPECT_TRUE(visible("cmdRecording"));
    control->setDictationAuthor("JSmith");
    control->UpdateDisplayLayout();
    EXPECT_TRUE(visible("cmdEdit"));
}

TEST(ButtonCommand, ElevenSlotsAndEnabled) {
    clsButtonCommand commands;
    EXPECT_TRUE(commands.Enabled());
    for (int b = 1; b <= 11; ++b)
        EXPECT_EQ(commands.ButtonGet(b), "");
    commands.ButtonSet(SpeechmikeButton_Instruction, "dictate instruction");
    commands.ButtonSet(SpeechmikeButton_Command, "open menu");
    EXPECT_EQ(commands.ButtonGet(11), "dictate instruction");
    EXPECT_EQ(commands.ButtonGet(1), "open menu");
    EXPECT_THROW(commands.ButtonGet(0), std::out_of_range);
    EXPECT_THROW(commands.ButtonSet(12, "x"), std::out_of_range);
    commands.setProperty("Enabled", false);
    EXPECT_FALSE(commands.Enabled());

    Dictation control;
    control.setButtonCommand(&commands);
    EXPECT_EQ(control.property("ButtonCommand").value<clsButtonCommand*>(), &commands);
}

TEST(VoiceCommand, GroupWithoutEngineIsUnavailable) {
    clsVoiceCommand group;
    EXPECT_EQ(group.LastCommandIndex(), -1);
    group.Initialize("Reports");
    EXPECT_EQ(group.CommandGroup(), "Reports");
    EXPECT_EQ(group.CommandAdd("next report", "NEXT"), -1);
    group.Activate(true);
    EXPECT_FALSE(group.Activated());
    EXPECT_FALSE(group.Available());
}
