#include "ControlFixture.h"

#include "common/StringProcedures.h"
#include "control/DictationPrivate.h"

using namespace VantorDictation4;

namespace {
const QChar kSep(0x00E8);

QString unload(Dictation& c) {
    QString setup, error;
    c.ControlUnload(setup, error);
    EXPECT_TRUE(error.isEmpty());
    return setup;
}

// Every property the setup string carries, read through the meta-object so
// that a property missed by the codec shows up by name.
const char* const kCarried[] = {"RecordingType",
                                "RecordingName",
                                "RecordingVersion",
                                "RecordingDescription",
                                "RecordingCreationDate",
                                "RecordingEditDate",
                                "RecordingFileName",
                                "RecordingFileSize",
                                "RecordingFileSource",
                                "RecordingQualitySamples",
                                "RecordingQualitySampleSize",
                                "RecordingQualityChannels",
                                "DictationStudyCode",
                                "DictationModalityCode",
                                "DictationPriority",
                                "DictationConferenceMode",
                                "RecordingChanged",
                                "HeaderChanged",
                                "PlaybackMaxTime",
                                "RecordingMode",
                                "DictationType",
                                "DictationPatientAccountNumber",
                                "DictationPatientName",
                                "DictationDateOfService",
                                "DictationPlaceOfServiceCode",
                                "DictationPlaceOfServiceName",
                                "DictationReferringPhysicianCode",
                                "DictationReferringPhysicianName",
                                "DictationFileStatus",
                                "DictationStudyTemplateCode",
                                "DictationStudyNormal",
                                "DictationTranscriptionNote",
                                "DictationAuthor",
                                "DictationTranscriptionStartDate",
                                "DisplayNextDictationButton",
                                "DisplayDictationListButton",
                                "DisplayRecordButton",
                                "DisplayInsertButton",
                                "DisplayEditButton",
                                "DisplayLevels",
                                "DisplayVoxLevelColor",
                                "DisplayTimer",
                                "DisplayStatus",
                                "DisplayVoiceRecognition",
                                "DisplayDictationName",
                                "DictationCheckSecurity",
                                "ExternalKey",
                                "TrackingTypeCode",
                                "TrackingEditorCode",
                                "TranscriptionType",
                                "WorkflowListTrackingDictation",
                                "WorkflowListTrackingVoiceRecognition",
                                "WorkflowListTrackingTranscription",
                                "WorkflowListShowHistory",
                                "WorkflowListShowImages",
                                "WorkflowListShowNotes",
                                "DictationListDisplayIncludeArchive",
                                "DictationListIncludeArchive",
                                "DictationListSelectionAuthor",
                                "DictationListSelectionExclusionAuthor",
                                "DictationListSelectionPriority",
                                "DictationListSortOrder",
                                "ColorFormBackground",
                                "ColorTextBackground",
                                "ColorTextForeground",
                                "ColorRequired",
                                "ColorButton",
                                "ColorGridSelection",
                                "Initialized",
                                "NoInitSpeechmikePro",
                                "NoInitFootpedals",
                                "DisableCompression",
                                "ExternalTextWaiting",
                                "SpeechmikeClassic",
                                "RecognitionMode"};

void setEverything(Dictation& c) {
    c.setRecordingType(RecordingType_PhoneMessage);
    c.setRecordingName("PM-0042");
    c.setRecordingVersion("2.9.1");
    c.setRecordingDescription("Call back about lab results");
    c.setRecordingCreationDate(QDateTime(QDate(2026, 11, 30), QTime(8, 15, 0)));
    c.setRecordingEditDate(QDateTime(QDate(2026, 12, 1), QTime(17, 45, 59)));
    c.setRecordingFileName("/tmp/PhoneMessage_A_1.WAV");
    c.setRecordingFileSize(123456);
    c.setRecordingFileSource("Imported");
    c.setRecordingQualitySamples(RecordingQualitySamples_High);
    c.setRecordingQualitySampleSize(RecordingQualitySampleSize_CD);
    c.setRecordingQualityChannels(RecordingQualityChannels_Stereo);
    c.setDictationStudyCode("CT-HEAD");
    c.setDictationModalityCode("CT");
    c.setDictationPriority(DictationPriority_Stat);
    c.setDictationConferenceMode(true);
    c.internals().data.recordingChanged = true;
    c.internals().data.playbackMaxTime = 12.5;
    c.setRecordingMode(RecordingMode_HeaderDataOnly);
    c.setDictationType(DictationType_TextAndRecording);
    c.setDictationPatientAccountNumber("A123/7");
    c.setDictationPatientName("Doe, Jane");
    c.setDictationDateOfService(QDateTime(QDate(2026, 11, 29), QTime(0, 0)));
    c.setDictationPlaceOfServiceCode("POS1");
    c.setDictationPlaceOfServiceName("Main Campus");
    c.setDictationReferringPhysicianCode("RP9");
    c.setDictationReferringPhysicianName("Dr. Who");
    c.setDictationFileStatus("PENDING");
    c.setDictationStudyTemplateCode("TPL");
    c.setDictationStudyNormal(true);
    c.setDictationTranscriptionNote("urgent");
    c.setDictationAuthor("drsmith");
    c.setDictationTranscriptionStartDate(QDateTime(QDate(2026, 12, 2), QTime(10, 0, 1)));
    c.setDisplayLevels(true);
    c.setDisplayVoxLevelColor(true);
    c.setDisplayVoiceRecognition(true);
    c.setDisplayEditButton(false);
    c.setDictationCheckSecurity(true);
    c.setExternalKey("EXT-1");
    c.setTrackingTypeCode("TT");
    c.setTrackingEditorCode("TE");
    c.setTranscriptionType(TranscriptionTypeTranscription);
    c.setWorkflowListTrackingDictation(WorkflowTrackingDictation_AfterDictation);
    c.setWorkflowListTrackingVoiceRecognition(WorkflowTrackingVoiceRecognition_AfterTranscription);
    c.setWorkflowListTrackingTranscription(WorkflowTrackingTranscription_BeforeTranscription);
    c.setWorkflowListShowHistory(true);
    c.setWorkflowListShowImages(true);
    c.setWorkflowListShowNotes(true);
    c.setDictationListDisplayIncludeArchive(true);
    c.setDictationListIncludeArchive(true);
    c.setDictationListSelectionAuthor("DRSMITH");
    c.setDictationListSelectionExclusionAuthor("DRJONES");
    c.setDictationListSelectionPriority(3);
    c.setDictationListSortOrder("NAME,DATE");
    c.setColorFormBackground(0x00112233);
    c.setColorTextBackground(0x00445566);
    c.setColorTextForeground(0x00778899);
    c.setColorRequired(0x0000FFFF);
    c.setColorButton(0x00ABCDEF);
    c.setColorGridSelection(0x00FEDCBA);
    c.setNoInitSpeechmikePro(true);
    c.setNoInitFootpedals(true);
    c.setDisableCompression(true);
    c.internals().externalTextWaiting = true;
    c.setRecognitionMode(RecognitionMode_Spell);
    c.ConnectionSettings("10.0.0.5", 8443, "ENT", "Entity Name", "svc", "s3cret");
    c.internals().hiddenModeTextControl = 777;
    c.setSpeechmikeClassic(true);
}
} // namespace

TEST_F(ControlFixture, UnloadThenLoadRestoresEveryCarriedField) {
    setEverything(*control);
    const QString setup = unload(*control);
    EXPECT_EQ(setup.split(kSep).size(), 89);
    QVariantMap expected;
    for (const char* name : kCarried)
        expected.insert(name, control->property(name));

    vd::Colors() = vd::ColorScheme{}; // process-wide: must come back from the string
    auto restored = makeControl();
    QString error;
    restored->ControlLoad(setup, error);
    EXPECT_TRUE(error.isEmpty());
    for (const char* name : kCarried)
        EXPECT_EQ(restored->property(name), expected.value(name)) << name;
    const vd::DictationPrivate& d = restored->internals();
    EXPECT_EQ(d.connection.address, "10.0.0.5");
    EXPECT_EQ(d.connection.port, 8443);
    EXPECT_EQ(d.connection.entityName, "Entity Name");
    EXPECT_EQ(d.connection.password, "s3cret");
    EXPECT_EQ(d.hiddenModeTextControl, 777);
    // Unload empties the text and sets its location before writing.
    EXPECT_EQ(restored->DictationTextData(), "");
    EXPECT_EQ(restored->DictationTextLocation(), "1;1;0");
    // Round trip is stable.
    EXPECT_EQ(unload(*restored), setup);
}

TEST_F(ControlFixture, WrongFieldCountsChangeNoSetting) {
    control->setDictationListSelectionAuthor("KEEP");
    control->setDictationCheckSecurity(true);
    control->setColorButton(0x00010203);
    control->setDisplayLevels(true);
    const QString good = unload(*control);
    QStringList fields = good.split(kSep);
    fields[63] = "CHANGED";
    fields[50] = "N";
    fields[71] = "99";

    for (int count : {88, 90}) {
        QStringList wrong = fields;
        if (count == 88)
            wrong.removeLast();
        else
            wrong << "extra";
        QString error;
        control->ControlLoad(wrong.join(kSep), error);
        EXPECT_EQ(error,
                  "Invalid number of dictation control setup parameters, working with default parameters");
        EXPECT_EQ(control->DictationListSelectionAuthor(), "KEEP");
        EXPECT_TRUE(control->DictationCheckSecurity());
        EXPECT_EQ(control->ColorButton(), 0x00010203);
    }
    // The recording data is reset with both flags even so.
    EXPECT_FALSE(control->DisplayLevels());
    EXPECT_EQ(control->DictationAuthor(), "JSMITH");

    QString error;
    control->ControlLoad(QString(), error);
    EXPECT_TRUE(error.isEmpty());
}

TEST_F(ControlFixture, ConferenceModeIsAppliedBeforeTheClassicMicrophoneFlag) {
    QStringList fields = unload(*control).split(kSep);
    fields[15] = "Y";
    fields[84] = "Y";
    control->setSpeechmikeClassic(false);
    QString error;
    control->ControlLoad(fields.join(kSep), error);
    EXPECT_TRUE(control->DictationConferenceMode());
    EXPECT_TRUE(control->SpeechmikeClassic());
    // Once the classic flag holds, the setter refuses conference mode.
    control->setDictationConferenceMode(false);
    control->setDictationConferenceMode(true);
    EXPECT_FALSE(control->DictationConferenceMode());
}

TEST_F(ControlFixture, BadFieldsConvertToZeroFalseOrTheZeroDate) {
    QStringList fields = unload(*control).split(kSep);
    fields[4] = "yesterday";
    fields[7] = "lots";
    fields[14] = "high";
    fields[30] = "maybe";
    fields[36] = "1";
    fields[65] = "x";
    fields[67] = "red";
    fields[78] = "port";
    QString error;
    control->ControlLoad(fields.join(kSep), error);
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(control->RecordingCreationDate(), vd::ZeroDate());
    EXPECT_EQ(control->RecordingFileSize(), 0);
    EXPECT_EQ(int(control->DictationPriority()), 0);
    EXPECT_FALSE(control->DictationStudyNormal());
    EXPECT_TRUE(control->DisplayNextDictationButton());
    EXPECT_EQ(control->DictationListSelectionPriority(), 0);
    EXPECT_EQ(control->ColorFormBackground(), 0);
    EXPECT_EQ(control->internals().connection.port, 0);
}

TEST_F(ControlFixture, UnloadNamesARecordingThatHasNoFile) {
    control->setDictationPatientAccountNumber(" 12/34 ");
    const QStringList fields = unload(*control).split(kSep);
    const QString name = fields[6];
    const QString prefix = folder.path() + "/Dictation_12_34_";
    EXPECT_TRUE(name.startsWith(prefix)) << name.toStdString();
    EXPECT_TRUE(name.endsWith(".WAV"));
    EXPECT_GT(name.size(), prefix.size() + 4);
    EXPECT_EQ(control->RecordingFileName(), name);
}

TEST_F(ControlFixture, TextFieldsAreTrimmedOrKeptAsTheTableSays) {
    control->setRecordingName("  padded  ");
    control->setDictationPlaceOfServiceCode("  kept  ");
    control->setDictationAuthor(" lower ");
    const QStringList fields = unload(*control).split(kSep);
    EXPECT_EQ(fields[1], "padded");
    EXPECT_EQ(fields[24], "  kept  ");
    EXPECT_EQ(fields[32], "LOWER");
    EXPECT_EQ(fields[15], "N");
    EXPECT_EQ(fields[4], "12/30/1899 00:00:00");
    EXPECT_EQ(fields[23], "12/30/1899");
}
