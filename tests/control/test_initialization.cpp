#include "ControlFixture.h"

#include "common/ProcessState.h"

using namespace VantorDictation4;

namespace {
class RecordingCodesEditor : public CodesEditorComponent {
public:
    QStringList calls;
    bool TrackingEdit(const QString& type, const QString& editor, const QString& key) override {
        calls << type + "/" + editor + "/" + key;
        return true;
    }
};

struct InitFixture : ControlFixture {
    QStringList events;
    void SetUp() override {
        ControlFixture::SetUp();
        QObject::connect(control.get(), &Dictation::DictationInitialized,
                         [this] { events << "DictationInitialized"; });
        QObject::connect(control.get(), &Dictation::PhoneMessageInitialized,
                         [this] { events << "PhoneMessageInitialized"; });
        QObject::connect(control.get(), &Dictation::ModeChanged,
                         [this](bool, bool, bool, const QString& text) { events << "Mode:" + text; });
        server.answerMissing = true; // every read answers "" : no stored dictation
    }
    void initialise(const QString& name, gdenmDictationType type = DictationType_RecordingOnly,
                    const QString& trackingType = QString()) {
        control->InitializeDictation5(name, type, "12/34", "Smith, John", "CT-HEAD", "CT",
                                      QDateTime(QDate(2026, 12, 1), QTime(0, 0)), "POS", "Main", "RP1",
                                      "Dr. Ref", "TPL", true, DictationPriority_High, "note", "drsmith",
                                      "EXT9", trackingType, "EDITOR");
    }
};
} // namespace

TEST_F(InitFixture, ANewDictationIsReadyToRecord) {
    initialise("LETTER-1");
    EXPECT_EQ(control->RecordingMode(), RecordingMode_RecordingOverwriteStandby);
    EXPECT_EQ(control->RecordingName(), "LETTER-1");
    EXPECT_EQ(control->DictationPatientAccountNumber(), "12/34");
    EXPECT_EQ(control->DictationAuthor(), "DRSMITH");
    EXPECT_EQ(control->DictationPriority(), DictationPriority_High);
    EXPECT_EQ(control->ExternalKey(), "EXT9");
    EXPECT_TRUE(control->DictationStudyNormal());
    EXPECT_EQ(control->DictationTextLocation(), "1;1;0");
    EXPECT_EQ(control->RecordingQualitySamples(), 11025);
    EXPECT_TRUE(control->RecordingFileName().startsWith(folder.path() + "/Dictation_12_34_"));
    EXPECT_EQ(recorder->openFile(), control->RecordingFileName());
    EXPECT_FALSE(control->HeaderChanged());
    EXPECT_FALSE(control->RecordingChanged());
    EXPECT_EQ(events, QStringList({"DictationInitialized", "Mode:Dictating (Paused)"}));
    EXPECT_TRUE(server.requests.contains("|GET|AUDIO|DICTATION|LETTER-1|0"));
}

TEST_F(InitFixture, AnEmptyNameIsMadeFromAccountPatientAndTime) {
    initialise("");
    EXPECT_EQ(control->RecordingName(), "12_Smith_John_20261205_093015");
}

TEST_F(InitFixture, AnOpenRecordingOnlySwitchesToDictatingAndRecordingIgnoresTheCall) {
    initialise("LETTER-1");
    control->RecordingStop(); // playback standby
    events.clear();
    initialise("OTHER");
    EXPECT_EQ(control->RecordingName(), "LETTER-1");
    EXPECT_EQ(control->RecordingMode(), RecordingMode_RecordingOverwriteStandby);
    EXPECT_EQ(events, QStringList({"DictationInitialized", "Mode:Dictating (paused)"}));

    control->RecordingStart();
    events.clear();
    initialise("THIRD");
    EXPECT_EQ(control->RecordingMode(), RecordingMode_RecordingOverwrite);
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(InitFixture, TextDictationsUseTheTextModesAndSixteenBits) {
    initialise("T1", DictationType_TextAndRecording);
    EXPECT_EQ(control->RecordingMode(), RecordingMode_TextMini);
    EXPECT_EQ(control->RecordingQualitySampleSize(), RecordingQualitySampleSize_CD);
    control->RecordingClose(false);
    initialise("T2", DictationType_ExternalText);
    EXPECT_EQ(control->RecordingMode(), RecordingMode_TextTranscription);
    control->RecordingClose(false);
    control->InitializeExternalText();
    EXPECT_EQ(control->DictationType(), DictationType_ExternalText);
    EXPECT_EQ(control->RecordingMode(), RecordingMode_VoiceRecognition);
}

TEST_F(InitFixture, WorkflowTrackingOpensTheTrackingEditor) {
    RecordingCodesEditor editor;
    vd::Slots().codesEditor = &editor;
    initialise("W1", DictationType_RecordingOnly, "TT");
    EXPECT_TRUE(editor.calls.isEmpty()); // tracking is off for dictations
    control->RecordingClose(false);
    control->setWorkflowListTrackingDictation(WorkflowTrackingDictation_Workflow);
    initialise("W2", DictationType_RecordingOnly, "TT");
    EXPECT_EQ(editor.calls, QStringList({"TT/EDITOR/D:W2"}));
}

TEST_F(InitFixture, PhoneMessagesKeepTheirQualityArguments) {
    control->setRecordingType(RecordingType_PhoneMessage);
    control->InitializePhoneMessage("PM1", RecordingQualitySamples_PhoneMessage,
                                    RecordingQualitySampleSize_Default, RecordingQualityChannels_Mono,
                                    "Call back");
    EXPECT_EQ(control->RecordingMode(), RecordingMode_RecordingOverwriteStandby);
    EXPECT_EQ(control->RecordingName(), "PM1");
    EXPECT_EQ(control->RecordingDescription(), "Call back");
    EXPECT_EQ(control->RecordingQualitySampleSize(), RecordingQualitySampleSize_Default);
    EXPECT_EQ(recorder->SampleRate(), 8000);
    EXPECT_EQ(recorder->BitsPerSample(), 8);
    EXPECT_EQ(events, QStringList({"PhoneMessageInitialized", "Mode:Recording (Paused)"}));
}
