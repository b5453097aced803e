// The whole path a dictation takes: an author's control records from the
// (virtual) microphone into a new dictation and saves it through the
// embedded hub; a transcriptionist's control reads it back and plays it.
#include <VantorDictation4/Dictation.h>

#include "RelayHubServer.h"
#include "audio/AudioTestSupport.h"
#include "common/ProcessState.h"
#include "control/DictationPrivate.h"
#include "server/DictationList.h"
#include "services/HostServices.h"
#include "services/VantorMessage.h"
#include "speech/CommandMenu.h"
#include "support/RecordingUtils.h"

#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace VantorDictation4;

namespace {
struct Workstation {
    std::unique_ptr<Dictation> control;
    vd::VirtualAudioBackend* backend = nullptr;
    vd::AudioRecorder* recorder = nullptr;

    Workstation(RelayHubServer& hub, UtilityComponent& utils, CodeTablesComponent& codes,
                const QString& folder, const QString& user) {
        control = std::make_unique<Dictation>();
        auto b = std::make_unique<vd::VirtualAudioBackend>(vd::VirtualAudioBackend::Clock::Manual, 11025, 110,
                                                           1, 1);
        backend = b.get();
        auto r = std::make_unique<vd::AudioRecorder>(std::move(b));
        recorder = r.get();
        control->setAudioRecordingControl(std::move(r));
        control->ControlInitialize(&hub, &utils, &codes, folder, user, RecordingType_Dictation);
    }
    void run(qint64 frames) {
        for (qint64 done = 0; done < frames; done += backend->framesPerBuffer()) {
            recorder->Synchronize();
            backend->advance(backend->framesPerBuffer());
        }
        recorder->Synchronize();
    }
    QToolButton* button(const char* name) { return control->findChild<QToolButton*>(name); }
};
} // namespace

// One embedded hub and the host components that every workstation shares.
struct DictationFlow : ::testing::Test {
    QTemporaryDir dir;
    RelayHubServer hub;
    RecordingUtils utils;
    VantorCodeTables codes;
    vd::ScriptedMessages messages;

    void SetUp() override {
        ASSERT_TRUE(hub.OpenEmbedded(dir.filePath("hub.db"), false)) << hub.LastError().toStdString();
        QDir().mkpath(dir.filePath("w"));
    }
    std::unique_ptr<Workstation> workstation(const QString& user) {
        return std::make_unique<Workstation>(hub, utils, codes, dir.filePath("w"), user);
    }
};

TEST_F(DictationFlow, AnAuthorsDictationReachesTheTranscriptionistSampleForSample) {
    auto authorStation = workstation("drsmith");
    Workstation& author = *authorStation;
    const auto programme = audiotest::numberedSamples(11025 * 2, 1, 8);
    author.backend->setMicrophone({programme});
    author.control->InitializeDictation3(
        "", "A123", "Doe, Jane", "CT-HEAD", "CT", QDateTime(QDate(2026, 12, 1), QTime(0, 0)), "POS", "Main",
        "RP", "Dr. Ref", "TPL", false, DictationPriority_Stat, "please hurry", "drsmith");
    ASSERT_EQ(author.control->RecordingMode(), RecordingMode_RecordingOverwriteStandby);
    const QString name = author.control->RecordingName();
    EXPECT_TRUE(name.startsWith("A123_Doe_Jane_"));

    // Dictation mode: hold record for one second of device time.
    Q_EMIT author.button("cmdRecording")->pressed();
    ASSERT_EQ(author.control->RecordingMode(), RecordingMode_RecordingOverwrite);
    author.run(11025);
    Q_EMIT author.button("cmdRecording")->released();
    EXPECT_EQ(author.control->RecordingMode(), RecordingMode_RecordingOverwriteStandby);
    const qint32 recorded = author.control->RecordingTotalSamples();
    EXPECT_GE(recorded, 11025 - 110);
    EXPECT_LE(recorded, 11025 + 2 * 110);

    QStringList saved;
    QObject::connect(author.control.get(), &Dictation::RecordingSavedDatabase,
                     [&](const QString& account, const QString& n) { saved << account + "/" + n; });
    author.control->RecordingSave();
    ASSERT_EQ(saved, QStringList({"A123/" + name}));
    EXPECT_TRUE(messages.shown.isEmpty());

    auto typistStation = workstation("mtyler");
    Workstation& typist = *typistStation;
    QStringList read;
    QObject::connect(typist.control.get(), &Dictation::RecordingReadDatabase,
                     [&](const QString&, const QString& n, const QString& file) { read << n << file; });
    typist.control->RecordingRead(name);
    ASSERT_EQ(read.size(), 2);
    EXPECT_EQ(typist.control->RecordingMode(), RecordingMode_PlaybackStandby);
    EXPECT_EQ(typist.control->DictationPatientName(), "Doe, Jane");
    EXPECT_EQ(typist.control->DictationPriority(), DictationPriority_Stat);
    EXPECT_EQ(typist.control->DictationAuthor(), "DRSMITH");
    EXPECT_EQ(typist.control->RecordingFileExtension(), "FLAC");
    EXPECT_EQ(typist.control->RecordingTotalSamples(), recorded);

    // The downloaded audio is what the microphone delivered, from its first frame.
    vd::clsWaveFile wave;
    ASSERT_TRUE(wave.FileRead(read[1]));
    const QByteArray expected = audiotest::numberedBytes(programme, 0, recorded, 1, 8);
    EXPECT_EQ(wave.SampleData().left(expected.size()), expected);
}

namespace {
// Answers the next modal dialog: picks the list row whose text is choice and saves.
void answerNextDialog(const QString& choice) {
    QTimer::singleShot(0, [choice] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* list = dialog->findChild<QListWidget*>();
        const auto items = list->findItems(choice, Qt::MatchFixedString);
        ASSERT_EQ(items.size(), 1);
        list->setCurrentItem(items.first());
        dialog->findChild<QPushButton*>("cmdSave")->click();
    });
}
} // namespace

TEST_F(DictationFlow, TheQueueHandsOutEachDictationOnceAndChangesStatusAndPriority) {
    auto authorStation = workstation("drsmith");
    Workstation& author = *authorStation;
    author.backend->setMicrophoneTone(-12, 440);
    QStringList names;
    for (const char* account : {"A1", "A2"}) {
        author.control->InitializeDictation3(
            "", account, "Doe, Jane", "", "", QDateTime(QDate(2026, 12, 1), QTime()), "", "", "", "", "",
            false, QString(account) == "A2" ? DictationPriority_Stat : DictationPriority_Low, "", "drsmith");
        Q_EMIT author.button("cmdRecording")->pressed();
        author.run(2205);
        Q_EMIT author.button("cmdRecording")->released();
        author.control->RecordingSave();
        names << author.control->RecordingName();
        author.control->RecordingClose(false);
    }

    auto typistStation = workstation("mtyler");
    Workstation& typist = *typistStation;
    QStringList announced;
    QObject::connect(typist.control.get(), qOverload<const QString&, bool&>(&Dictation::DictationNext),
                     [&](const QString& n, bool&) { announced << n; });
    // The list shows both; the one picked opens for playback.
    int listed = 0;
    QTimer::singleShot(0, [&] {
        auto* list = qobject_cast<vd::frmDictationList*>(QApplication::activeModalWidget());
        ASSERT_NE(list, nullptr);
        listed = list->table().rowCount();
        for (int row = 1; row <= listed; ++row)
            if (list->table().cell(row, 0) == names[0]) list->setCurrentRow(row);
        list->choose(false);
    });
    EXPECT_EQ(typist.control->DictationList(), names[0]);
    EXPECT_EQ(listed, 2);
    EXPECT_EQ(typist.control->RecordingName(), names[0]);
    EXPECT_EQ(typist.control->RecordingMode(), RecordingMode_PlaybackStandby);
    typist.control->RecordingClose(false);

    // Priority first: the STAT dictation comes out before the low one.
    EXPECT_EQ(typist.control->DictationNext(), names[1]);
    EXPECT_EQ(typist.control->RecordingMode(), RecordingMode_PlaybackStandby);
    EXPECT_EQ(typist.control->RecordingName(), names[1]);
    typist.control->RecordingClose(false);
    EXPECT_EQ(typist.control->DictationNext(), names[0]);
    typist.control->RecordingClose(false);
    EXPECT_EQ(typist.control->DictationNext(), "");
    EXPECT_EQ(announced, QStringList({names[1], names[0]}));

    // Back in the queue with a new status, then a new priority.
    answerNextDialog("DICTATED");
    EXPECT_TRUE(typist.control->DictationStatusChange(names[0]));
    EXPECT_EQ(typist.control->RecordingMode(), RecordingMode_None); // the typist's own state is back
    answerNextDialog("DICTATED");
    EXPECT_FALSE(typist.control->DictationStatusChange(names[0])); // unchanged: nothing sent
    answerNextDialog("Stat");
    EXPECT_TRUE(typist.control->DictationPriorityChange(names[0]));
    typist.control->HeaderRead(names[0]);
    EXPECT_EQ(typist.control->DictationPriority(), DictationPriority_Stat);
    EXPECT_EQ(typist.control->DictationFileStatus(), "DICTATED");
    typist.control->RecordingClose(false);
    EXPECT_EQ(typist.control->DictationNext(), names[0]);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(DictationFlow, EndOfLetterSavesThroughTheCommandMenu) {
    auto authorStation = workstation("drsmith");
    Workstation& author = *authorStation;
    author.backend->setMicrophoneTone(-12, 440);
    author.control->InitializeDictation("", "B7", "Poe, Ed", "", "", QDateTime(QDate(2026, 12, 2), QTime()),
                                        "", "", DictationPriority_Normal, "", "drsmith");
    const QString name = author.control->RecordingName();
    Q_EMIT author.button("cmdRecording")->pressed();
    author.run(5512);
    Q_EMIT author.button("cmdRecording")->released();

    QStringList saved;
    QObject::connect(author.control.get(), &Dictation::RecordingSavedDatabase,
                     [&](const QString&, const QString& n) { saved << n; });
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<vd::frmCommandOptions*>(QApplication::activeModalWidget());
        ASSERT_NE(menu, nullptr);
        menu->ProcessSelection(1); // save dictation
    });
    Q_EMIT author.button("cmdEOL")->pressed();
    Q_EMIT author.button("cmdEOL")->released();
    EXPECT_EQ(saved, QStringList({name}));
    EXPECT_EQ(author.control->RecordingMode(), RecordingMode_None);
    EXPECT_EQ(author.control->DictationPatientAccountNumber(), "");

    author.control->HeaderRead(name);
    EXPECT_EQ(author.control->DictationPatientName(), "Poe, Ed");
    EXPECT_NEAR(author.control->internals().data.lengthSeconds, 0.5, 0.03);
}
