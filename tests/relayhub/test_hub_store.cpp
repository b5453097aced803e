// Every request family answered by the hub, against both storage backends.
#include "HubTestSupport.h"

#include "hub/Reference.h"
#include "protocol/Protocol.h"

#include <QSet>

#include <mutex>
#include <thread>

using namespace relayhub;
using namespace hubtest;

namespace {

class HubStore : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        HUBTEST_REQUIRE_BACKEND(GetParam());
        db = std::make_unique<TestDatabase>(GetParam());
        store = std::make_unique<Store>(db->factory(), 8);
        store->migrate();
        HubOptions options;
        options.listPageSize = 3;
        hub = std::make_unique<Hub>(*store, options);
    }
    QString ask(const QString& request, const Caller& caller = Everyone()) {
        return hub->process(request, caller);
    }
    QStringList blocks(const QString& request, const Caller& caller = Everyone()) {
        return hub->processBlocks(request, caller);
    }
    QString save(const QStringList& header, const QString& key = QStringLiteral("NEXTKEY")) {
        return ask(Req(QStringList{QStringLiteral("SET"), QStringLiteral("AUDIO"),
                                   QStringLiteral("DICTATION"), key, QStringLiteral("0")} +
                       header));
    }
    QString piece(const QString& name, int n, const QString& data, const char* kind = "DICTATION") {
        return ask(Req({QStringLiteral("SET"), QStringLiteral("AUDIO"), QString::fromLatin1(kind), name,
                        QString::number(n), data}));
    }
    QString readHeader(const QString& name) {
        return ask(Req({QStringLiteral("GET"), QStringLiteral("AUDIO"), QStringLiteral("DICTATION"), name,
                        QStringLiteral("0")}));
    }
    QString download(const QString& name, const char* kind = "DICTATION") {
        QString joined;
        for (const QString& b : blocks(Req({QStringLiteral("GET"), QStringLiteral("AUDIO"),
                                            QString::fromLatin1(kind), name, QStringLiteral("FILE")})))
            if (b.startsWith(QStringLiteral("|OK||"))) joined += b.mid(5);
        return joined;
    }
    // Stores a dictation with audio in pieces of 8000 characters.
    QString saveWithAudio(const QStringList& header, const QString& audio) {
        const QString name = save(header);
        for (int at = 0, n = 1; at < audio.size(); at += 8000, ++n)
            EXPECT_EQ(piece(name, n, audio.mid(at, 8000)), QStringLiteral("OK"));
        return name;
    }
    QString listRequest(const QString& search = QString(), const QString& archive = QStringLiteral("N"),
                        const QString& column = QString()) {
        QStringList f{QStringLiteral("GET"),
                      QStringLiteral("AUDIO"),
                      QStringLiteral("DICTATION"),
                      QStringLiteral("*"),
                      QStringLiteral("PRIORITY, DATE"),
                      QStringLiteral("*"),
                      QStringLiteral("*"),
                      archive,
                      QStringLiteral("*"),
                      search};
        if (!column.isEmpty()) f << column;
        return Req(f);
    }
    // Names of the GR rows of a whole list, following continuations.
    QStringList listAll(const QString& request, int* pages = nullptr, const Caller& caller = Everyone()) {
        QStringList names;
        for (int page = 1; page < 50; ++page) {
            QString key;
            for (const QString& b : blocks(request, caller)) {
                const QStringList f = b.split(QLatin1Char('|'));
                if (f.value(1) == QLatin1String("GR")) names << f.value(3).section(QLatin1Char('\t'), 0, 0);
                if (f.value(1) == QLatin1String("END")) key = f.value(2);
            }
            if (key.isEmpty()) {
                if (pages) *pages = page;
                break;
            }
        }
        return names;
    }

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<Store> store;
    std::unique_ptr<Hub> hub;
};

TEST_P(HubStore, HeaderRoundTripKeepsAll36FieldsAndNextKeyNamesAreUnique) {
    const QStringList header = HeaderFields(QStringLiteral("Harrow, Elena"), 3, 0);
    const QString first = save(header);
    const QString second = save(header);
    ASSERT_FALSE(first.isEmpty());
    EXPECT_FALSE(AnswerIsRefusal(first));
    EXPECT_NE(first, second);
    EXPECT_EQ(readHeader(first), first + QLatin1Char('|') + header.join(QLatin1Char('|')));
    // A header update under the name replaces the fields.
    QStringList changed = header;
    changed[7] = QStringLiteral("4");
    changed[20] = QStringLiteral("urgent");
    EXPECT_EQ(save(changed, first), first);
    EXPECT_EQ(readHeader(first).split(QLatin1Char('|')).mid(1), changed);
    EXPECT_EQ(readHeader(QStringLiteral("R99999999")), QString()) << "an unknown name answers empty";
}

TEST_P(HubStore, FullSaveIsHiddenUntilAudioAndTextAreComplete) {
    QString audio;
    for (int i = 0; i < 20000; ++i)
        audio += BytesToText(QByteArray(1, char(i * 7)));
    const QString text = QString(9000, QChar(0x00E9)) + QStringLiteral("end|of|text");
    const QString name = save(HeaderFields(QStringLiteral("Mbeki, Ayo"), 2, audio.size(), text.size()));
    EXPECT_EQ(readHeader(name), QString());
    EXPECT_EQ(piece(name, 1, audio.mid(0, 8000)), QStringLiteral("OK"));
    EXPECT_EQ(piece(name, 2, audio.mid(8000, 8000)), QStringLiteral("OK"));
    EXPECT_EQ(piece(name, 3, audio.mid(16000)), QStringLiteral("OK"));
    EXPECT_EQ(readHeader(name), QString()) << "the text is still missing";
    EXPECT_EQ(piece(name, 1, text.left(8000), "RTF"), QStringLiteral("OK"));
    EXPECT_EQ(piece(name, 2, text.mid(8000), "RTF"), QStringLiteral("OK"));
    EXPECT_TRUE(readHeader(name).startsWith(name + QStringLiteral("|DICTATED|")));
    EXPECT_EQ(download(name), audio);
    EXPECT_EQ(download(name, "RTF"), text);
}

TEST_P(HubStore, PiecesOutOfOrderOrBeyondTheAnnouncedSizeAreRefused) {
    const QString name = save(HeaderFields(QStringLiteral("Lindqvist, Tomas"), 2, 10));
    EXPECT_TRUE(AnswerIsRefusal(piece(name, 2, QStringLiteral("abc"))));
    EXPECT_EQ(piece(name, 1, QStringLiteral("abcd")), QStringLiteral("OK"));
    EXPECT_TRUE(AnswerIsRefusal(piece(name, 3, QStringLiteral("ef"))));
    EXPECT_TRUE(AnswerIsRefusal(piece(name, 2, QStringLiteral("efghijklmn"))));
    EXPECT_TRUE(AnswerIsRefusal(piece(name, 2, QString(QChar(0x4E2D))))) << "not a byte";
    EXPECT_TRUE(AnswerIsRefusal(piece(QStringLiteral("R77777777"), 1, QStringLiteral("x"))));
    EXPECT_EQ(readHeader(name), QString());
    EXPECT_EQ(piece(name, 2, QStringLiteral("ef|h|jklm").left(6)), QStringLiteral("OK"));
    EXPECT_EQ(download(name), QStringLiteral("abcdef|h|j"));
}

TEST_P(HubStore, AnInterruptedUploadLeavesTheStoredRecordingUnchanged) {
    const QString old = QString(12000, QLatin1Char('a'));
    const QStringList oldHeader = HeaderFields(QStringLiteral("Harrow, Elena"), 2, old.size());
    const QString name = saveWithAudio(oldHeader, old);
    ASSERT_EQ(download(name), old);
    const QString before = readHeader(name);

    // A full save of longer audio stops after its first piece.
    QStringList newHeader = oldHeader;
    newHeader[12] = QStringLiteral("20000");
    newHeader[3] = QStringLiteral("Harrow, Elena M");
    EXPECT_EQ(save(newHeader, name), name);
    EXPECT_EQ(piece(name, 1, QString(8000, QLatin1Char('b'))), QStringLiteral("OK"));
    EXPECT_EQ(readHeader(name), before);
    EXPECT_EQ(download(name), old);
    EXPECT_EQ(store->uploadsInProgress(), 1);

    // Starting again from piece 1 completes it and replaces both at once.
    const QString fresh = QString(20000, QLatin1Char('c'));
    for (int at = 0, n = 1; at < fresh.size(); at += 8000, ++n)
        EXPECT_EQ(piece(name, n, fresh.mid(at, 8000)), QStringLiteral("OK"));
    EXPECT_EQ(download(name), fresh);
    EXPECT_EQ(readHeader(name).split(QLatin1Char('|')).value(4), QStringLiteral("Harrow, Elena M"));
    EXPECT_EQ(store->uploadsInProgress(), 0);

    // An upload abandoned for more than a day is swept when another starts.
    EXPECT_EQ(save(newHeader, name), name);
    EXPECT_EQ(piece(name, 1, QString(8000, QLatin1Char('d'))), QStringLiteral("OK"));
    db->factory()()->exec("UPDATE uploads SET updated_at = '2000-01-01 00:00:00'", {});
    const QString other = save(HeaderFields(QStringLiteral("Other"), 2, 10));
    EXPECT_EQ(piece(other, 1, QStringLiteral("12345")), QStringLiteral("OK"));
    EXPECT_EQ(store->uploadsInProgress(), 1);
    EXPECT_TRUE(AnswerIsRefusal(piece(name, 2, QString(8000, QLatin1Char('d')))));
    EXPECT_EQ(download(name), fresh);
}

TEST_P(HubStore, ListComesInPagesWithTheSessionCursor) {
    QStringList expected;
    for (int i = 0; i < 5; ++i) {
        const QString created = QStringLiteral("12/0%1/2026 08:00:00").arg(i + 1);
        expected << save(HeaderFields(QStringLiteral("Patient %1").arg(i), i == 3 ? 4 : 2, 0, 0,
                                      QStringLiteral("JONES"), created));
    }
    // Priority first (the STAT one), then by date.
    expected.move(3, 0);
    const QStringList first = blocks(listRequest());
    ASSERT_EQ(first.size(), 5);
    EXPECT_TRUE(first[0].startsWith(QStringLiteral("|GC||")));
    EXPECT_EQ(first[4], QStringLiteral("|END|3"));
    const QStringList cells = first[1].split(QLatin1Char('|')).value(3).split(QLatin1Char('\t'));
    ASSERT_EQ(cells.size(), 10);
    EXPECT_EQ(cells[0], expected[0]);
    EXPECT_EQ(cells[2], QStringLiteral("20261204_080000") + QStringLiteral("0000QZ0"));
    EXPECT_EQ(cells[9].left(4), QStringLiteral("STAT"));
    EXPECT_EQ(cells[9].size(), 4 + 7);

    const QStringList second = blocks(listRequest());
    ASSERT_EQ(second.size(), 3) << second.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(second[0].startsWith(QStringLiteral("|GR||")));
    EXPECT_EQ(second[2], QStringLiteral("|END|"));

    int pages = 0;
    EXPECT_EQ(listAll(listRequest(), &pages), expected) << "a finished list starts again";
    EXPECT_EQ(pages, 2);
    // Another session reads its own pages.
    EXPECT_EQ(listAll(listRequest(), nullptr, Everyone(QStringLiteral("other"))), expected);
    // Sorted by the patient cell, descending.
    const QStringList byPatient = listAll(listRequest(QString(), QStringLiteral("N"), QStringLiteral("1d")));
    ASSERT_EQ(byPatient.size(), 5);
    EXPECT_EQ(byPatient.first(), expected[4]);
    EXPECT_EQ(listAll(listRequest(QStringLiteral("patient 2"))), QStringList{expected[3]});
}

TEST_P(HubStore, StatusChangeMovesADictationIntoTheArchive) {
    const QString name = save(HeaderFields(QStringLiteral("Harrow, Elena"), 2, 0));
    const QString status = Req({QStringLiteral("SET"), QStringLiteral("AUDIO"), QStringLiteral("DICTATION"),
                                name, QStringLiteral("STATUS"), QStringLiteral("transcribed")});
    EXPECT_EQ(ask(status), QStringLiteral("OK"));
    EXPECT_EQ(readHeader(name).split(QLatin1Char('|')).value(1), QStringLiteral("TRANSCRIBED"));
    EXPECT_EQ(listAll(listRequest()), QStringList{QStringLiteral("0")})
        << "an empty list shows the row named 0";
    EXPECT_EQ(listAll(listRequest(QString(), QStringLiteral("Y"))), QStringList{name});
    EXPECT_TRUE(
        AnswerIsRefusal(ask(QString(status).replace(QStringLiteral("transcribed"), QStringLiteral("DONE")))));
    EXPECT_TRUE(AnswerIsRefusal(ask(QString(status).replace(name, QStringLiteral("R55555555")))));
}

TEST_P(HubStore, NextDictationHonoursTheSelectionAndClaimsOnce) {
    const QString low = save(HeaderFields(QStringLiteral("A"), 1, 0, 0, QStringLiteral("JONES")));
    const QString stat = save(HeaderFields(QStringLiteral("B"), 4, 0, 0, QStringLiteral("SMITH")));
    const QString normal = save(HeaderFields(QStringLiteral("C"), 2, 0, 0, QStringLiteral("JONES")));
    save(HeaderFields(QStringLiteral("D"), 3, 0, 0, QStringLiteral("JONES"),
                      QStringLiteral("12/01/2026 09:30:00"), QStringLiteral("TRANSCRIBED")));
    auto next = [&](const QString& author, const QString& priority, const QString& excluded) {
        return ask(Req({QStringLiteral("GET"), QStringLiteral("AUDIO"), QStringLiteral("DICTATION"),
                        QStringLiteral("NEXT"), QStringLiteral("PRIORITY, DATE"), author, priority,
                        QStringLiteral("N"), excluded}));
    };
    EXPECT_EQ(next(QStringLiteral("*"), QStringLiteral("2"), QStringLiteral("*")), normal);
    EXPECT_EQ(next(QStringLiteral("*"), QStringLiteral("*"), QStringLiteral("SMITH")), low);
    EXPECT_EQ(next(QStringLiteral("smith"), QStringLiteral("*"), QStringLiteral("*")), stat);
    EXPECT_EQ(next(QStringLiteral("*"), QStringLiteral("*"), QStringLiteral("*")), QString())
        << "all claimed";
    EXPECT_EQ(readHeader(stat).split(QLatin1Char('|')).value(1), QStringLiteral("BUSY"));
}

TEST_P(HubStore, ConcurrentClaimsNeverShareADictation) {
    const int count = 240;
    for (int i = 0; i < count; ++i)
        save(HeaderFields(QStringLiteral("P%1").arg(i), 1 + i % 4, 0));
    std::mutex mutex;
    QStringList claimed;
    int refused = 0;
    std::vector<std::thread> workers;
    for (int t = 0; t < 8; ++t)
        workers.emplace_back([&, t] {
            const Caller caller = Everyone(QStringLiteral("w%1").arg(t));
            while (true) {
                const QString name =
                    hub->process(QStringLiteral("|GET|AUDIO|DICTATION|NEXT|PRIORITY|*|*|N|*"), caller);
                std::lock_guard lock(mutex);
                if (AnswerIsRefusal(name)) {
                    ++refused;
                    continue;
                }
                if (name.isEmpty()) return;
                claimed << name;
            }
        });
    for (auto& w : workers)
        w.join();
    EXPECT_EQ(refused, 0);
    EXPECT_EQ(claimed.size(), count);
    EXPECT_EQ(QSet<QString>(claimed.begin(), claimed.end()).size(), count);
}

TEST_P(HubStore, ReferenceDataAnswersWorkflowTrackingWorklistAndColours) {
    ASSERT_EQ(ReferenceImport(*store, DemoDataJson().toUtf8()), QString());
    const QString tracking = ask(QStringLiteral("|GET|TRAN|INIT|"));
    const QStringList items = tracking.section(QChar(1), 1).split(QChar(0));
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0], QStringLiteral("TR  Transcription review:REVIEW"));

    const QString open = ask(QStringLiteral("|GET|AUDIO|DICTATION|WORKFLOW|W1001|N"));
    const QString all = ask(QStringLiteral("|GET|AUDIO|DICTATION|WORKFLOW|W1001|Y"));
    EXPECT_EQ(open.split(QChar(0)).size(), 2);
    ASSERT_EQ(all.split(QChar(0)).size(), 3);
    const QStringList row = all.split(QChar(0))[1].split(QLatin1Char('\t'));
    EXPECT_EQ(row[0], QStringLiteral("WF100QZ0"));
    EXPECT_EQ(row[1], QStringLiteral("002QZ0"));
    EXPECT_EQ(ask(QStringLiteral("|GET|AUDIO|DICTATION|WORKFLOW|NOPE|N")).split(QChar(0)).size(), 1);
    EXPECT_EQ(ask(QStringLiteral("|GET|AUDIO|DICTATION|WORKFLOW|W1001|CANCEL")), QStringLiteral("OK"));

    const QStringList history = ask(QStringLiteral("|GET|AUDIO|DICTATION|WORKHIST|W1001")).split(QChar(3));
    ASSERT_EQ(history.size(), 3);
    EXPECT_EQ(history[0].split(QChar(0)).size(), 3);
    EXPECT_TRUE(history[1].split(QChar(0)).value(1).startsWith(QStringLiteral("IMG-1`CT`axialQZ0")));
    EXPECT_EQ(history[2], QStringLiteral("Patient reports headache for three days."));

    const QStringList worklist = ask(QStringLiteral("|GET|WORKLIST|W1002|DATA")).split(QChar(0xE6));
    ASSERT_EQ(worklist.size(), 26);
    EXPECT_EQ(worklist[1], QStringLiteral("12/02/2026"));
    EXPECT_EQ(worklist[6], QStringLiteral("MRK  MR knee"));
    EXPECT_EQ(worklist[22], QStringLiteral("Y"));
    EXPECT_EQ(ask(QStringLiteral("|GET|WORKLIST|NOPE|DATA")), QString());

    const QString colors = ask(QStringLiteral("|GET|COLOR|"));
    EXPECT_TRUE(colors.startsWith(QStringLiteral("|OK||")));
    EXPECT_EQ(colors.mid(5).section(QChar(1), 0, 0).split(QLatin1Char('\t')).value(17),
              QStringLiteral("16777215"));
    ASSERT_EQ(ReferenceImport(*store, R"({"colors": ["", "123", -1]})"), QString());
    EXPECT_EQ(ask(QStringLiteral("|GET|COLOR|")), QStringLiteral("|OK||\t123\t-1") + QChar(1));
    EXPECT_FALSE(ReferenceImport(*store, "{not json").isEmpty());
}

TEST_P(HubStore, CsvImportFillsOneSectionAndBadFilesChangeNothing) {
    ASSERT_EQ(
        ReferenceImportCsv(*store, QStringLiteral("trackingTypes"),
                           "code,description,value\r\nTR,\"Review, final\",REV\nQA,\"Says \"\"ok\"\"\",Q1\n"),
        QString());
    EXPECT_EQ(ask(QStringLiteral("|GET|TRAN|INIT|")).section(QChar(1), 1),
              QStringLiteral("TR  Review, final:REV") + QChar(0) + QStringLiteral("QA  Says \"ok\":Q1"));
    ASSERT_EQ(ReferenceImportCsv(*store, QStringLiteral("worklist"),
                                 "key,dateOfService,study,stat\nW9,12/24/2026,XR  X-ray,Y\n"),
              QString());
    const QStringList fields = ask(QStringLiteral("|GET|WORKLIST|W9|DATA")).split(QChar(0xE6));
    EXPECT_EQ(fields.value(1), QStringLiteral("12/24/2026"));
    EXPECT_EQ(fields.value(6), QStringLiteral("XR  X-ray"));
    EXPECT_EQ(fields.value(22), QStringLiteral("Y"));
    ASSERT_EQ(ReferenceImportCsv(*store, QStringLiteral("users"),
                                 "name,password,roles\nkim,pw,author;transcriptionist\n"),
              QString());
    EXPECT_EQ(store->user(QStringLiteral("kim"))->roles,
              (QStringList{QStringLiteral("author"), QStringLiteral("transcriptionist")}));

    const QString before = ask(QStringLiteral("|GET|TRAN|INIT|"));
    EXPECT_FALSE(ReferenceImportCsv(*store, QStringLiteral("trackingTypes"), "code,description,value\nX,Y\n")
                     .isEmpty());
    EXPECT_FALSE(
        ReferenceImportCsv(*store, QStringLiteral("trackingTypes"), "code,description,value\nX,\"Y,Z\n")
            .isEmpty());
    EXPECT_FALSE(ReferenceImportCsv(*store, QStringLiteral("workflow"), "key\nA\n").isEmpty());
    EXPECT_EQ(ask(QStringLiteral("|GET|TRAN|INIT|")), before);
}

TEST_P(HubStore, SpeechProfileIndexAndFilesRoundTrip) {
    // A 70000-character index goes in three chunks of 32000, 32000 and 6000.
    const QString date = QStringLiteral("12/05/2026 10:00:00");
    QString profile = QStringLiteral("jones.pm") + QChar(0xE7) + date + QChar(0xE7);
    while (profile.size() < 70000)
        profile +=
            QStringLiteral("\tfile.dat\nvoice-file.dat\n") + date + QStringLiteral("\njones.pm\\voice");
    profile.truncate(70000);
    for (int k = 0; k < 3; ++k) {
        const QString chunk =
            QStringLiteral("jones.pm") + QChar(0xE7) + date + QChar(0xE7) + profile.mid(k * 32000, 32000);
        EXPECT_EQ(ask(QStringLiteral("|SET|FILE|jones.pm.%1||DATA|").arg(k) + chunk), QStringLiteral("OK"));
    }
    ask(QStringLiteral("|SET|FILE|jonesy.office.0||DATA|x"));
    const QStringList names = ask(QStringLiteral("|GET|FILE|*||DATA|")).split(QLatin1Char('\t'));
    EXPECT_EQ(names, (QStringList{QStringLiteral("jones.pm.0"), QStringLiteral("jones.pm.1"),
                                  QStringLiteral("jones.pm.2"), QStringLiteral("jonesy.office.0")}));
    QString rebuilt = ask(QStringLiteral("|GET|FILE|jones.pm.0||DATA"));
    for (int k = 1; k < 3; ++k)
        rebuilt += ask(QStringLiteral("|GET|FILE|jones.pm.%1||DATA").arg(k)).section(QChar(0xE7), 2);
    EXPECT_EQ(rebuilt.section(QChar(0xE7), 2), profile);
    EXPECT_TRUE(AnswerIsRefusal(ask(QStringLiteral("|GET|FILE|nobody.pm.0||DATA"))));

    // A binary file with every byte value, in blocks; replaced only on CLOSE.
    QByteArray bytes;
    for (int i = 0; i < 70000; ++i)
        bytes.append(char(i % 256));
    const QString file = QStringLiteral("|SET|FILE|voice.dat|Roaming\\jones.pm\\current|");
    EXPECT_EQ(ask(file + QStringLiteral("OPEN")), QStringLiteral("OK"));
    for (int at = 0; at < bytes.size(); at += 32000)
        EXPECT_EQ(ask(file + QStringLiteral("WRITE|") + BytesToText(bytes.mid(at, 32000))),
                  QStringLiteral("OK"));
    EXPECT_EQ(ask(file + QStringLiteral("CLOSE")), QStringLiteral("OK"));
    // An upload that never closes leaves the stored file alone.
    ask(file + QStringLiteral("OPEN"));
    ask(file + QStringLiteral("WRITE|") + QStringLiteral("partial"));

    const QString get = QStringLiteral("|GET|FILE|voice.dat|Roaming\\jones.pm\\current|");
    EXPECT_EQ(ask(get + QStringLiteral("OPEN")), QStringLiteral("OK"));
    QByteArray read;
    int reads = 0;
    for (QString block; !(block = ask(get + QStringLiteral("READ"))).isEmpty() && reads < 10; ++reads)
        read += TextToBytes(block);
    EXPECT_EQ(ask(get + QStringLiteral("CLOSE")), QStringLiteral("OK"));
    EXPECT_EQ(reads, 3);
    EXPECT_EQ(read, bytes);
    EXPECT_TRUE(AnswerIsRefusal(ask(QStringLiteral("|GET|FILE|none.dat|Roaming\\x|OPEN"))));
    EXPECT_TRUE(AnswerIsRefusal(ask(QStringLiteral("|SET|FILE|none.dat|Roaming\\x|WRITE|abc"))));
}

TEST_P(HubStore, PipesInValuesStayInsideTheirOwnRecord) {
    const QStringList goodHeader = HeaderFields(QStringLiteral("Harrow, Elena"), 2, 0);
    const QString good = save(goodHeader);
    // A "|" inside a value shifts the fields of that request only.
    QStringList shifted = HeaderFields(QStringLiteral("Evil|Name"), 2, 0);
    EXPECT_TRUE(AnswerIsRefusal(save(shifted))) << "37 fields";
    shifted.removeAt(5); // the fields after it are back in place
    const QString bad = save(shifted);
    EXPECT_FALSE(AnswerIsRefusal(bad));
    EXPECT_EQ(readHeader(good), good + QLatin1Char('|') + goodHeader.join(QLatin1Char('|')));
    const QStringList badFields = readHeader(bad).split(QLatin1Char('|'));
    ASSERT_EQ(badFields.size(), 37);
    EXPECT_EQ(badFields.mid(4, 2), (QStringList{QStringLiteral("Evil"), QStringLiteral("Name")}));
    // Search text and selections are values, never SQL.
    EXPECT_EQ(listAll(listRequest(QStringLiteral("x' OR '1'='1"))), QStringList{QStringLiteral("0")});
    EXPECT_EQ(listAll(listRequest(QStringLiteral("100%"))), QStringList{QStringLiteral("0")});
    EXPECT_EQ(listAll(listRequest(QStringLiteral("harrow"))), QStringList{good});
}

TEST_P(HubStore, MalformedRequestsGetAClearRefusal) {
    for (const char* r :
         {"", "GET|COLOR|", "|", "|PUT|AUDIO|DICTATION|X|0", "|GET|NOPE|", "|GET|AUDIO|VIDEO|X|0",
          "|SET|AUDIO|DICTATION|X|abc|data", "|SET|AUDIO|RTF|X|0|a", "|GET|AUDIO|DICTATION||0"})
        EXPECT_TRUE(AnswerIsRefusal(ask(QString::fromLatin1(r)))) << r;
    EXPECT_TRUE(AnswerIsRefusal(blocks(QStringLiteral("|GET|AUDIO|DICTATION|*|PRIORITY")).value(0)));
}

INSTANTIATE_TEST_SUITE_P(Backends, HubStore, ::testing::Values("sqlite", "postgres"),
                         [](const auto& info) { return info.param; });

} // namespace
