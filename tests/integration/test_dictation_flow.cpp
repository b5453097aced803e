// The whole path a dictation takes: an author's control records from the
// (virtual) microphone into a new dictation and saves it through the
// embedded hub; a transcriptionist's control reads it back and plays it.
#include <VantorDictation4/Dictation.h>

#include "RelayHubServer.h"
#include "audio/AudioTestSupport.h"
#include "common/ProcessState.h"
#include "services/HostServices.h"
#include "services/VantorMessage.h"
#include "support/RecordingUtils.h"

#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace VantorDictation4;

namespace {
struct Workstation {
    std::unique_ptr<Dictation> control;
    vd::VirtualAudioBackend* backend = nullptr;
    vd::AudioRecorder* recorder = nullptr;

    Workstation(RelayHubServer& hub, UtilityComponent& utils, CodeTablesComponent& codes, const QString& folder,
                const QString& user) {
        control = std::make_unique<Dictation>();
        auto b = std::make_unique<vd::VirtualAudioBackend>(vd::VirtualAudioBackend::Clock::Manual, 11025, 110, 1, 1);
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

TEST(DictationFlow, AnAuthorsDictationReachesTheTranscriptionistSampleForSample) {
    QTemporaryDir dir;
    RelayHubServer hub;
    ASSERT_TRUE(hub.OpenEmbedded(dir.filePath("hub.db"), false)) << hub.LastError().toStdString();
    RecordingUtils utils;
    VantorCodeTables codes;
    vd::ScriptedMessages messages;

    Workstation author(hub, utils, codes, dir.filePath("author"), "drsmith");
    QDir().mkpath(dir.filePath("author"));
    const auto programme = audiotest::numberedSamples(11025 * 2, 1, 8);
    author.backend->setMicrophone({programme});
    author.control->InitializeDictation3("", "A123", "Doe, Jane", "CT-HEAD", "CT",
                                         QDateTime(QDate(2026, 12, 1), QTime(0, 0)), "POS", "Main", "RP", "Dr. Ref",
                                         "TPL", false, DictationPriority_Stat, "please hurry", "drsmith");
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

    Workstation typist(hub, utils, codes, dir.filePath("typist"), "mtyler");
    QDir().mkpath(dir.filePath("typist"));
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
