#include "ControlFixture.h"

#include "control/CurrentControl.h"
#include "server/TrackingTypes.h"

#include <QFile>
#include <QLabel>
#include <QMetaMethod>
#include <QTimer>

using namespace VantorDictation4;

namespace {
bool shown(Dictation& c, const char* name) { return !c.findChild<QWidget*>(name)->isHidden(); }
} // namespace

TEST_F(ControlFixture, CreationSetsDefaultsBeforeInitialisation) {
    auto fresh = makeControl(false);
    EXPECT_FALSE(fresh->Initialized());
    EXPECT_FALSE(fresh->DragonSpeakAvailable());
    EXPECT_EQ(fresh->RecordingFileExtension(), "WAV");
    EXPECT_EQ(fresh->RecordingVersion(), "3.0.0");
    EXPECT_EQ(fresh->RecordingFileSource(), "BuiltInDictation");
    EXPECT_EQ(fresh->DictationFileStatus(), "NONE");
    EXPECT_EQ(fresh->DictationPriority(), DictationPriority_Normal);
    EXPECT_EQ(fresh->DictationType(), DictationType_RecordingOnly);
    EXPECT_EQ(fresh->RecordingMode(), RecordingMode_None);
    EXPECT_EQ(fresh->TranscribePauseMilliseconds(), 100);
    EXPECT_FLOAT_EQ(fresh->TranscribePauseThreshold(), 0.3f);
    EXPECT_EQ(fresh->FootpedalActionMiddle(), FootpedalAction_Play);
    EXPECT_EQ(fresh->ColorRequired(), 0x00FFFF00);
    EXPECT_EQ(quint32(fresh->ColorFormBackground()), 0x8000000Au);
    EXPECT_FALSE(fresh->DisplayTimer());
    EXPECT_FALSE(fresh->HeaderChanged());
    EXPECT_FALSE(fresh->RecordingChanged());
    // Children and timers exist under their names.
    for (const char* name : {"cmdBeginning",
                             "cmdRewind",
                             "cmdPlay",
                             "cmdForward",
                             "cmdEnding",
                             "cmdEOL",
                             "cmdRecording",
                             "cmdInsert",
                             "cmdEdit",
                             "cmdNextDictation",
                             "cmdDictationList",
                             "lblLevelColor",
                             "lblTimerText",
                             "lblStatusText",
                             "cmdDictationConferenceModeToggle",
                             "cmdVoiceRecognition",
                             "lblDictationNameText",
                             "imgHelp",
                             "pctRecordingNew",
                             "pctVoiceRecognitonOff"})
        EXPECT_NE(fresh->findChild<QWidget*>(name), nullptr) << name;
    const QPair<const char*, int> timers[] = {{"tmrTimer", 99},
                                              {"tmrMovementRepeat", 500},
                                              {"tmrShowEOL", 50},
                                              {"tmrDelayedApplicationSwitch", 10},
                                              {"tmrDelayedTextPaste", 10},
                                              {"tmrUpdateUserProfiles", 500}};
    for (const auto& [name, interval] : timers) {
        auto* timer = fresh->findChild<QTimer*>(name);
        ASSERT_NE(timer, nullptr) << name;
        EXPECT_EQ(timer->interval(), interval);
        EXPECT_FALSE(timer->isActive());
    }
    EXPECT_EQ(fresh->findChild<QWidget*>("cmdPlay")->toolTip(), "Hold button to play recording");
}

TEST_F(ControlFixture, InitialiseUsesQualityDefaultsAndDisplayParameters) {
    EXPECT_TRUE(control->Initialized());
    EXPECT_EQ(control->RecordingQualitySamples(), 11025);
    EXPECT_EQ(control->RecordingQualitySampleSize(), 8);
    EXPECT_EQ(control->RecordingQualityChannels(), 1);
    EXPECT_EQ(control->RecordingType(), RecordingType_Dictation);
    EXPECT_EQ(control->DictationAuthor(), "JSMITH");
    for (bool flag :
         {control->DisplayNextDictationButton(), control->DisplayDictationListButton(),
          control->DisplayRecordButton(), control->DisplayInsertButton(), control->DisplayEditButton(),
          control->DisplayTimer(), control->DisplayStatus(), control->DisplayDictationName()})
        EXPECT_TRUE(flag);

    auto other = makeControl(false);
    other->ControlInitialize(&server, &utils, &codeTables, folder.path(), "jsmith",
                             RecordingType_PhoneMessage, RecordingQualitySamples_CD,
                             RecordingQualitySampleSize_CD, RecordingQualityChannels_Stereo, false, true,
                             false, true, false, false);
    EXPECT_EQ(other->RecordingQualitySamples(), 44100);
    EXPECT_EQ(other->RecordingQualitySampleSize(), 16);
    EXPECT_EQ(other->RecordingQualityChannels(), 2);
    EXPECT_EQ(other->RecordingType(), RecordingType_Dictation);
    EXPECT_FALSE(other->DisplayNextDictationButton());
    EXPECT_TRUE(other->DisplayDictationListButton());
    EXPECT_FALSE(other->DisplayRecordButton());
    EXPECT_FALSE(other->DisplayInsertButton());
    EXPECT_TRUE(other->DisplayEditButton());
    EXPECT_FALSE(other->DisplayTimer());
    EXPECT_FALSE(other->DisplayStatus());
    EXPECT_FALSE(shown(*other, "cmdRecording"));
    EXPECT_FALSE(shown(*other, "cmdInsert"));
    EXPECT_TRUE(shown(*other, "cmdEdit"));
    EXPECT_FALSE(shown(*other, "lblTimerText"));
}

TEST_F(ControlFixture, InitialiseFillsTheProcessWideSlots) {
    const vd::ComponentSlots& s = vd::Slots();
    EXPECT_EQ(s.relayHubServer, &server);
    EXPECT_EQ(s.utility, &utils);
    EXPECT_EQ(s.codeTables, &codeTables);
    EXPECT_NE(qobject_cast<ServerUtilsComponent*>(s.serverUtils.data()), nullptr);
    EXPECT_NE(qobject_cast<CodesEditorComponent*>(s.codesEditor.data()), nullptr);
    auto* message = qobject_cast<VantorMessage*>(s.message.data());
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->utility(), &utils);
    EXPECT_EQ(message->formBackground(), control->ColorFormBackground());
    EXPECT_EQ(vd::DictationControlPointer(), control.get());
    EXPECT_EQ(vd::UserName(), "jsmith");
    EXPECT_EQ(vd::TemporaryNamePrefix(), folder.path() + "/Dictation_");
    EXPECT_TRUE(server.requests.contains("|GET|TRAN|INIT|"));
}

TEST_F(ControlFixture, TrackingTypesLoadFromTheServerAnswer) {
    const QString answer = QString("header") + QChar(1) + "DICT  Dictation:1" + QChar(0) + QChar(0) +
                           "TRAN  Transcription:2" + QChar(0);
    server.answers.insert("|GET|TRAN|INIT|", answer);
    auto other = makeControl();
    const vd::TrackingTypeTable& table = vd::TrackingTypes();
    ASSERT_TRUE(table.loaded);
    ASSERT_EQ(table.records.size(), 2);
    EXPECT_EQ(table.records[1].code, "TRAN");
    EXPECT_EQ(table.records[1].description, "Transcription");
    EXPECT_EQ(table.records[1].value, "2");

    server.answers.insert("|GET|TRAN|INIT|", "no sections here");
    other = makeControl();
    EXPECT_FALSE(vd::TrackingTypes().loaded);
    EXPECT_TRUE(vd::TrackingTypes().records.isEmpty());
    server.answers.insert("|GET|TRAN|INIT|", QString("  error: busy") + QChar(1) + "A  B:1");
    other = makeControl();
    EXPECT_FALSE(vd::TrackingTypes().loaded);
}

TEST_F(ControlFixture, InitialiseRemovesOnlyOldTemporaryFiles) {
    const QString oldFile = folder.filePath("Dictation_old.WAV");
    const QString newFile = folder.filePath("PhoneMessage_new.WAV");
    const QString otherFile = folder.filePath("Keep_me.WAV");
    for (const QString& path : {oldFile, newFile, otherFile}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QDateTime old = QDateTime::currentDateTime().addDays(-11);
    for (const QString& path : {oldFile, otherFile}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
    }
    auto other = makeControl();
    EXPECT_FALSE(QFile::exists(oldFile));
    EXPECT_TRUE(QFile::exists(newFile));
    EXPECT_TRUE(QFile::exists(otherFile));
}

TEST_F(ControlFixture, CloseHaltsEventsAndResetsTheMode) {
    control->setRecordingMode(RecordingMode_PlaybackStandby);
    control->setVolumePlayback(55);
    events.clear();
    control->ControlClose();
    EXPECT_TRUE(control->AudioSettingHaltEvents());
    EXPECT_EQ(control->RecordingMode(), RecordingMode_None);
    EXPECT_NE(control->VolumePlayback(), 55); // the volume from creation is back
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(control->findChild<QLabel*>("lblTimerText")->text(), "");
}

TEST(ControlSurface, EventsAreDeclaredInIdentifierOrder) {
    const char* const expected[] = {"SecondsUpdated",
                                    "RecordingSavedDatabase",
                                    "RecordingReadDatabase",
                                    "RecordingLoadedFile",
                                    "ModeChanged",
                                    "RecordingInitialized",
                                    "RecordingFormDataSaved",
                                    "DictationInitialized",
                                    "PhoneMessageInitialized",
                                    "AudioSettingChanged",
                                    "DictationSelected",
                                    "DictationNext",
                                    "DblClick",
                                    "LayoutUpdated",
                                    "DialogDisplayed",
                                    "DialogCleared",
                                    "RecordingCancelled",
                                    "ButtonRewindClick",
                                    "ButtonRewindRelease",
                                    "ButtonForwardClick",
                                    "ButtonForwardRelease",
                                    "ButtonPlayClick",
                                    "ButtonPlayRelease",
                                    "ButtonEOLClick",
                                    "ButtonEOLRelease",
                                    "ButtonRecordingClick",
                                    "ButtonRecordingRelease",
                                    "ButtonInsertClick",
                                    "ButtonInsertRelease",
                                    "ButtonBeginningClick",
                                    "ButtonEndingClick",
                                    "ButtonEditClick",
                                    "ButtonNextDictationClick",
                                    "ButtonDictationListClick",
                                    "ButtonFunctionClick",
                                    "ButtonInstructionClick",
                                    "ButtonBarcodeClick",
                                    "VoiceCommandSpoken",
                                    "ExternalTextFinished",
                                    "ButtonCommandPressed",
                                    "BarcodeRead",
                                    "TranscriptionFinished",
                                    "ShowTranscription",
                                    "ShowImage",
                                    "CloseViewers",
                                    "ApplicationSwitchStart",
                                    "ApplicationSwitchEnd"};
    const QMetaObject& mo = Dictation::staticMetaObject;
    QStringList signalNames;
    for (int i = mo.methodOffset(); i < mo.methodCount(); ++i)
        if (mo.method(i).methodType() == QMetaMethod::Signal) signalNames << mo.method(i).name();
    ASSERT_EQ(signalNames.size(), 47);
    for (int i = 0; i < 47; ++i)
        EXPECT_EQ(signalNames[i], expected[i]) << "event " << i + 1;
}

TEST(ControlSurface, CancelIsAnsweredByTheHost) {
    Dictation control;
    QObject::connect(&control, &Dictation::ButtonPlayClick, [](bool& cancel) { cancel = true; });
    bool cancel = false;
    Q_EMIT control.ButtonPlayClick(cancel);
    EXPECT_TRUE(cancel);
}
