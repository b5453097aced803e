#include "ControlFixture.h"

#include "common/StringProcedures.h"
#include "control/DictationPrivate.h"

#include <QFile>
#include <QtEndian>

using namespace VantorDictation4;

namespace {
// A storage server in miniature: keeps headers and pieces by name, answers
// reads the way the dictation server does, and can refuse requests.
class MiniStore : public ServerRequestComponent {
public:
    QStringList requests;
    int refuseNext = 0; // refuse this many requests
    int nextKey = 100;
    QHash<QString, QStringList> headers;
    QHash<QString, QString> audio, text;

    bool RequestProcess(const QString& r, QString& response, const QString&, QString&) override {
        requests << r;
        if (refuseNext > 0) {
            --refuseNext;
            response = "ERROR: busy";
            return true;
        }
        const QStringList f = r.split('|'); // f[0] is empty: the request starts with "|"
        if (f.value(1) == "SET" && f.value(5) == "0") {
            QString name = f.value(4);
            if (name == "NEXTKEY") name = QString("DICT%1").arg(nextKey++);
            headers[name] = f.mid(6);
            audio[name].clear();
            text[name].clear();
            response = name;
        } else if (f.value(1) == "SET") {
            const QString piece = r.section('|', 6); // pieces may hold "|"
            (f.value(3) == "RTF" ? text : audio)[f.value(4)] += piece;
            response = "OK";
        } else if (f.value(1) == "GET") {
            response =
                headers.contains(f.value(4)) ? f.value(4) + "|" + headers[f.value(4)].join('|') : QString();
        }
        return true;
    }
    bool RequestProcessBlocks(const QString& r, QStringList& blocks, const QString&, QString&) override {
        requests << r;
        const QStringList f = r.split('|');
        const QString data = (f.value(3) == "RTF" ? text : audio).value(f.value(4));
        for (qsizetype at = 0; at < data.size() || at == 0; at += 5000)
            blocks << "|OK||" + data.mid(at, 5000);
        return true;
    }
};

QByteArray waveBytes(int samples) {
    QByteArray pcm(samples, '\0');
    for (int i = 0; i < samples; ++i)
        pcm[i] = char(128 + int(100 * std::sin(i * 0.07)));
    QByteArray w("RIFF");
    auto u32 = [&](quint32 v) { w.append(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](quint16 v) { w.append(reinterpret_cast<const char*>(&v), 2); };
    u32(36 + samples);
    w.append("WAVEfmt ");
    u32(16), u16(1), u16(1), u32(11025), u32(11025), u16(1), u16(8);
    w.append("data");
    u32(samples);
    return w + pcm;
}

struct PersistenceFixture : ControlFixture {
    MiniStore store;
    QStringList saved, read;
    void SetUp() override {
        ControlFixture::SetUp();
        vd::Slots().relayHubServer = &store;
        QObject::connect(control.get(), &Dictation::RecordingSavedDatabase,
                         [this](const QString& a, const QString& n) { saved << a + "/" + n; });
        QObject::connect(control.get(), &Dictation::RecordingReadDatabase,
                         [this](const QString& a, const QString& n, const QString&) { read << a + "/" + n; });
    }
    QString writeWave(const QByteArray& bytes) {
        const QString path = folder.filePath("Dictation_A1_test.WAV");
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }
    void prepareNewDictation(const QByteArray& bytes) {
        control->setDictationPatientAccountNumber("A1");
        control->setDictationPatientName("Doe, Jane");
        control->setDictationPriority(DictationPriority_Stat);
        control->setRecordingFileName(writeWave(bytes));
        control->internals().data.recordingChanged = true;
    }
};
} // namespace

TEST_F(PersistenceFixture, ANewDictationGetsItsNameBeforeTheAudioPieces) {
    control->setDisableCompression(true);
    QByteArray bytes = waveBytes(16001 - 44);
    ASSERT_EQ(bytes.size(), 16001);
    prepareNewDictation(bytes);
    control->RecordingSave();
    ASSERT_EQ(store.requests.size(), 4);
    EXPECT_TRUE(store.requests[0].startsWith("|SET|AUDIO|DICTATION|NEXTKEY|0|NONE|"));
    EXPECT_TRUE(store.requests[1].startsWith("|SET|AUDIO|DICTATION|DICT100|1|RIFF"));
    EXPECT_TRUE(store.requests[2].startsWith("|SET|AUDIO|DICTATION|DICT100|2|"));
    EXPECT_TRUE(store.requests[3].startsWith("|SET|AUDIO|DICTATION|DICT100|3|"));
    EXPECT_EQ(store.requests[3].size(), QString("|SET|AUDIO|DICTATION|DICT100|3|").size() + 1);
    const QStringList header = store.headers["DICT100"];
    ASSERT_EQ(header.size(), 36);
    EXPECT_EQ(header[12], "16001"); // field 13: bytes stored
    EXPECT_EQ(header[23], "WAV");   // field 24
    EXPECT_EQ(header[7], "4");      // priority
    EXPECT_EQ(header[13], "3.0.0");
    EXPECT_EQ(control->RecordingName(), "DICT100");
    EXPECT_EQ(saved, QStringList({"A1/DICT100"}));
    EXPECT_FALSE(control->RecordingChanged());
    EXPECT_FALSE(control->HeaderChanged());
    EXPECT_EQ(vd::StringUnicodeToByteArray(store.audio["DICT100"]), bytes);
}

TEST_F(PersistenceFixture, CompressedRoundTripIsLossless) {
    const QByteArray bytes = waveBytes(11025 * 3);
    prepareNewDictation(bytes);
    control->RecordingSave();
    ASSERT_EQ(saved.size(), 1);
    EXPECT_TRUE(store.audio["DICT100"].startsWith("fLaC"));
    EXPECT_EQ(store.headers["DICT100"][23], "FLAC");
    EXPECT_LT(store.audio["DICT100"].size(), bytes.size());

    auto reader = makeControl();
    vd::Slots().relayHubServer = &store;
    QStringList loaded;
    QObject::connect(reader.get(), &Dictation::RecordingLoadedFile, [&](const QString& f) { loaded << f; });
    reader->RecordingRead("DICT100");
    EXPECT_EQ(reader->RecordingMode(), RecordingMode_PlaybackStandby);
    EXPECT_EQ(reader->DictationPatientName(), "Doe, Jane");
    EXPECT_EQ(reader->DictationPriority(), DictationPriority_Stat);
    EXPECT_EQ(reader->RecordingFileExtension(), "FLAC");
    ASSERT_EQ(loaded.size(), 1);
    QFile file(loaded[0]);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray back = file.readAll();
    EXPECT_EQ(back.mid(44, bytes.size() - 44),
              bytes.mid(44)); // the samples survive exactly (odd data is padded)
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(PersistenceFixture, RefusalsAskToRetryAndANoKeepsTheChanges) {
    control->setDisableCompression(true);
    prepareNewDictation(waveBytes(100));
    store.refuseNext = 1;
    messages.answers.enqueue(vd::AnswerYes);
    control->RecordingSave();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Failed to save recording header, retry?");
    EXPECT_EQ(messages.shown[0].title, "Database save failure");
    EXPECT_EQ(messages.shown[0].buttons, 4);
    EXPECT_EQ(saved.size(), 1);

    control->internals().data.recordingChanged = true;
    store.refuseNext = 2; // the header passes after one retry, then a piece fails
    messages.answers = {};
    messages.answers.enqueue(vd::AnswerYes);
    messages.answers.enqueue(vd::AnswerNo);
    store.refuseNext = 1;
    const int before = store.requests.size();
    control->RecordingSave();
    EXPECT_EQ(saved.size(), 2);
    EXPECT_GT(store.requests.size(), before);

    control->internals().data.recordingChanged = true;
    store.refuseNext = 5;
    messages.answers = {};
    messages.answers.enqueue(vd::AnswerNo);
    control->RecordingSave();
    EXPECT_EQ(saved.size(), 2);               // no event after a declined retry
    EXPECT_TRUE(control->RecordingChanged()); // and the changes stay marked
}

TEST_F(PersistenceFixture, HeaderOnlyReadsUseDefaultsForMissingFields) {
    store.headers["OLD1"] =
        QString("DONE|01/02/2020 10:00:00|A9|Roe, Rick|01/02/2020|TPL|desc|3|src|drx|12.5|"
                "01/03/2020 08:00:00")
            .split('|');
    control->HeaderRead("OLD1");
    EXPECT_EQ(control->RecordingMode(), RecordingMode_HeaderDataOnly);
    EXPECT_EQ(control->RecordingName(), "OLD1");
    EXPECT_EQ(control->RecordingVersion(), "1.0.0");
    EXPECT_EQ(control->RecordingType(), RecordingType_Dictation);
    EXPECT_EQ(control->DictationType(), DictationType_RecordingOnly);
    EXPECT_EQ(control->RecordingFileExtension(), "WAV");
    EXPECT_EQ(control->DictationAuthor(), "DRX");
    EXPECT_EQ(control->DictationPriority(), DictationPriority_High);

    control->HeaderRead("MISSING");
    EXPECT_EQ(control->RecordingMode(), RecordingMode_None);
    EXPECT_EQ(control->RecordingName(), "");
    control->HeaderRead("");
    EXPECT_EQ(read, QStringList({"/"}));
}

TEST_F(PersistenceFixture, LengthMismatchAsksAndYesTakesTheActualLength) {
    control->setDisableCompression(true);
    prepareNewDictation(waveBytes(500));
    control->RecordingSave();
    store.headers["DICT100"][12] = "999"; // the header claims another size
    messages.answers.enqueue(vd::AnswerYes);
    auto reader = makeControl();
    vd::Slots().relayHubServer = &store;
    reader->RecordingRead("DICT100");
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Recording length mismatch, continue loading?");
    EXPECT_EQ(messages.shown[0].buttons, 308);
    EXPECT_EQ(reader->RecordingFileSize(), 544);
    EXPECT_EQ(reader->RecordingMode(), RecordingMode_PlaybackStandby);

    messages.answers.enqueue(vd::AnswerNo);
    reader->RecordingRead("DICT100");
    EXPECT_EQ(reader->RecordingMode(), RecordingMode_None);
    EXPECT_EQ(reader->RecordingName(), "");
}

TEST_F(PersistenceFixture, HeaderSaveSendsOnlyAChangedHeader) {
    control->setRecordingName("KEEP7");
    control->HeaderSave();
    EXPECT_TRUE(store.requests.isEmpty());
    EXPECT_FALSE(vd::IsZeroDate(control->RecordingEditDate()));
    EXPECT_EQ(control->RecordingCreationDate(), control->RecordingEditDate());
    control->setDictationPriority(DictationPriority_Low);
    control->HeaderSave();
    ASSERT_EQ(store.requests.size(), 1);
    EXPECT_TRUE(store.requests[0].startsWith("|SET|AUDIO|DICTATION|KEEP7|0|"));
    EXPECT_EQ(saved, QStringList({"/KEEP7"}));
    EXPECT_FALSE(control->HeaderChanged());
}
