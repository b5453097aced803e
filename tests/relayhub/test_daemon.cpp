// relayhubd over HTTP with the RelayHubServer client: bytes, integrity under
// interruption, authentication and roles, sessions, shutdown and TLS.
#include "DaemonProcess.h"
#include "HubTestSupport.h"

#include "RelayHubServer.h"
#include "protocol/Protocol.h"

#include <httplib.h>

#include <QSet>

#include <atomic>
#include <mutex>
#include <thread>

using namespace relayhub;
using namespace hubtest;

namespace {

class Daemon : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        HUBTEST_REQUIRE_BACKEND(GetParam());
        db = std::make_unique<TestDatabase>(GetParam());
        ASSERT_EQ(Admin({QStringLiteral("init"), QStringLiteral("--database"), db->daemonUri()}), 0);
        AddUser(db->daemonUri(), QStringLiteral("ann"), QStringLiteral("author"), QStringLiteral("a-secret"));
        AddUser(db->daemonUri(), QStringLiteral("tom"), QStringLiteral("transcriptionist"),
                QStringLiteral("t-secret"));
    }
    bool startDaemon(DaemonProcess& d, const QStringList& extra = {}) {
        return d.start(db->daemonUri(), extra);
    }
    std::unique_ptr<RelayHubServer> client(const DaemonProcess& d,
                                           const QString& user = QStringLiteral("ann"),
                                           const QString& password = QStringLiteral("a-secret")) {
        auto c = std::make_unique<RelayHubServer>();
        EXPECT_TRUE(c->ConnectHttp(d.url(), user, password, 3000, 20000));
        return c;
    }
    static QString ask(RelayHubServer& c, const QString& request, bool* ok = nullptr) {
        QString answer, info;
        const bool result = c.RequestProcess(request, answer, QString(), info);
        if (ok) *ok = result;
        return answer;
    }
    static QByteArray download(RelayHubServer& c, const QString& name) {
        QStringList blocks;
        QString info;
        EXPECT_TRUE(c.RequestProcessBlocks(QStringLiteral("|GET|AUDIO|DICTATION|%1|FILE").arg(name), blocks,
                                           QString(), info));
        QString joined;
        for (const QString& b : blocks)
            if (b.startsWith(kBlockPrefix)) joined += b.mid(5);
        return TextToBytes(joined);
    }
    static QString saveHeader(RelayHubServer& c, const QString& key, const QStringList& header) {
        return ask(c, QStringLiteral("|SET|AUDIO|DICTATION|%1|0|").arg(key) + header.join(QLatin1Char('|')));
    }
    static bool sendPieces(RelayHubServer& c, const QString& name, const QByteArray& audio,
                           int firstPiece = 1, int lastPiece = 1 << 30) {
        for (int at = 0, n = 1; at < audio.size() && n <= lastPiece; at += 8000, ++n) {
            if (n < firstPiece) continue;
            if (ask(c, QStringLiteral("|SET|AUDIO|DICTATION|%1|%2|").arg(name).arg(n) +
                           BytesToText(audio.mid(at, 8000))) != QLatin1String("OK"))
                return false;
        }
        return true;
    }
    static QByteArray pattern(int size, int seed) {
        QByteArray b(size, Qt::Uninitialized);
        for (int i = 0; i < size; ++i)
            b[i] = char((i * 31 + seed) & 0xFF);
        return b;
    }

    std::unique_ptr<TestDatabase> db;
};

TEST_P(Daemon, EveryByteValueSurvivesUploadAndDownload) {
    DaemonProcess d;
    ASSERT_TRUE(startDaemon(d));
    auto c = client(d);
    QByteArray audio;
    for (int round = 0; round < 70; ++round)
        for (int b = 0; b < 256; ++b)
            audio.append(char(b));
    const QString name =
        saveHeader(*c, QStringLiteral("NEXTKEY"), HeaderFields(QStringLiteral("Bytes"), 2, audio.size()));
    ASSERT_FALSE(AnswerIsRefusal(name)) << name.toStdString();
    ASSERT_TRUE(sendPieces(*c, name, audio));
    EXPECT_EQ(download(*c, name), audio);
    // Text keeps characters beyond one byte.
    const QString text = QStringLiteral("Befund: o.B. \u2013 \u20AC 5 | \U0001F600 end");
    QStringList header = HeaderFields(QStringLiteral("Bytes"), 2, audio.size(), text.size());
    EXPECT_EQ(saveHeader(*c, name, header), name);
    EXPECT_EQ(ask(*c, QStringLiteral("|SET|AUDIO|RTF|%1|1|").arg(name) + text), QStringLiteral("OK"));
    QStringList blocks;
    QString info;
    ASSERT_TRUE(
        c->RequestProcessBlocks(QStringLiteral("|GET|AUDIO|RTF|%1|FILE").arg(name), blocks, QString(), info));
    ASSERT_EQ(blocks.size(), 1);
    EXPECT_EQ(blocks[0], kBlockPrefix + text);
}

TEST_P(Daemon, AnUploadCutOffLeavesThePreviousRecordingReadable) {
    const QByteArray v1 = pattern(40000, 1), v2 = pattern(64000, 2);
    QString name, before;
    {
        DaemonProcess d;
        ASSERT_TRUE(startDaemon(d));
        auto c = client(d);
        name = saveHeader(*c, QStringLiteral("NEXTKEY"), HeaderFields(QStringLiteral("First"), 2, v1.size()));
        ASSERT_TRUE(sendPieces(*c, name, v1));
        before = ask(*c, QStringLiteral("|GET|AUDIO|DICTATION|%1|0").arg(name));
        // The client stops sending half-way and goes away.
        {
            auto quitter = client(d);
            saveHeader(*quitter, name, HeaderFields(QStringLiteral("Second"), 2, v2.size()));
            ASSERT_TRUE(sendPieces(*quitter, name, v2, 1, 4));
        }
        EXPECT_EQ(ask(*c, QStringLiteral("|GET|AUDIO|DICTATION|%1|0").arg(name)), before);
        EXPECT_EQ(download(*c, name), v1);

        // The daemon dies by SIGKILL while pieces are arriving.
        std::atomic<bool> stop = false;
        std::thread uploader([&] {
            auto u = client(d);
            saveHeader(*u, name, HeaderFields(QStringLiteral("Third"), 2, v2.size()));
            for (int round = 0; round < 200 && !stop; ++round)
                sendPieces(*u, name, v2, 1, 7);
        });
        QThread::msleep(300);
        d.signal(SIGKILL);
        EXPECT_EQ(d.wait(), -1);
        stop = true;
        uploader.join();
    }
    DaemonProcess restarted;
    ASSERT_TRUE(startDaemon(restarted));
    auto c = client(restarted);
    EXPECT_EQ(ask(*c, QStringLiteral("|GET|AUDIO|DICTATION|%1|0").arg(name)), before);
    EXPECT_EQ(download(*c, name), v1);
}

TEST_P(Daemon, CredentialsAndRolesAreEnforced) {
    DaemonProcess d;
    ASSERT_TRUE(startDaemon(d));
    auto author = client(d);
    const QString name =
        saveHeader(*author, QStringLiteral("NEXTKEY"), HeaderFields(QStringLiteral("Secret Patient"), 2, 0));
    ASSERT_FALSE(AnswerIsRefusal(name));

    for (const auto& [user, password] :
         {std::pair{"ann", "wrong"}, std::pair{"mallory", "a-secret"}, std::pair{"", ""}}) {
        httplib::Client raw("127.0.0.1", d.port());
        if (*user) raw.set_basic_auth(user, password);
        auto res =
            raw.Post("/relayhub/v1/request",
                     QStringLiteral("|GET|AUDIO|DICTATION|%1|0").arg(name).toStdString(), "text/plain");
        ASSERT_TRUE(res);
        EXPECT_EQ(res->status, 401) << user;
        EXPECT_EQ(res->body.find("Secret"), std::string::npos);
        bool ok = true;
        auto intruder = client(d, QString::fromLatin1(user), QString::fromLatin1(password));
        EXPECT_EQ(ask(*intruder, QStringLiteral("|GET|COLOR|"), &ok), QString());
        EXPECT_FALSE(ok);
    }
    // Only transcriptionists claim dictations.
    const QString next = QStringLiteral("|GET|AUDIO|DICTATION|NEXT|PRIORITY|*|*|N|*");
    EXPECT_TRUE(AnswerIsRefusal(ask(*author, next)));
    auto transcriptionist = client(d, QStringLiteral("tom"), QStringLiteral("t-secret"));
    EXPECT_EQ(ask(*transcriptionist, next), name);

    httplib::Client raw("127.0.0.1", d.port());
    auto health = raw.Get("/healthz");
    ASSERT_TRUE(health);
    EXPECT_EQ(health->status, 200);
    auto metrics = raw.Get("/metrics");
    ASSERT_TRUE(metrics);
    EXPECT_NE(metrics->body.find("relayhub_requests_total{family=\"AUDIO\",outcome=\"refused\"} 1"),
              std::string::npos)
        << metrics->body;
    EXPECT_NE(metrics->body.find("relayhub_uploads_in_progress 0"), std::string::npos);
    // Every request that touched a recording left an audit row.
    d.signal(SIGTERM);
    EXPECT_EQ(d.wait(), 0);
    Store store(db->factory(), 1);
    EXPECT_EQ(store.auditCount(), 2);
}

TEST_P(Daemon, ListPagesFollowTheClientSessionAcrossConnections) {
    // The page size comes from the config file.
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("relayhubd.conf"));
    QFile file(config);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("# test set-up\nlist_page_size = 2\nthreads = 8\n");
    file.close();
    DaemonProcess d;
    ASSERT_TRUE(startDaemon(d, {QStringLiteral("--config"), config}));
    auto c = client(d);
    QStringList names;
    for (int i = 0; i < 5; ++i)
        names << saveHeader(*c, QStringLiteral("NEXTKEY"), HeaderFields(QStringLiteral("P%1").arg(i), 2, 0));
    const QString request = QStringLiteral("|GET|AUDIO|DICTATION|*|DATE|*|*|N|*|");
    QStringList seen;
    int pages = 0;
    for (QString key = QStringLiteral("start"); !key.isEmpty() && pages < 10; ++pages) {
        QStringList blocks;
        QString info;
        ASSERT_TRUE(c->RequestProcessBlocks(request, blocks, QString(), info));
        key.clear();
        for (const QString& b : blocks) {
            if (b.startsWith(QStringLiteral("|GR||"))) seen << b.mid(5).section(QLatin1Char('\t'), 0, 0);
            if (b.startsWith(QStringLiteral("|END|"))) key = b.mid(5);
        }
    }
    EXPECT_EQ(pages, 3);
    EXPECT_EQ(seen, names);
}

TEST_P(Daemon, TwoDaemonsOnOneDatabaseNeverHandOutTheSameDictation) {
    DaemonProcess a, b;
    ASSERT_TRUE(startDaemon(a));
    ASSERT_TRUE(startDaemon(b));
    {
        auto c = client(a);
        for (int i = 0; i < 200; ++i)
            saveHeader(*c, QStringLiteral("NEXTKEY"),
                       HeaderFields(QStringLiteral("Q%1").arg(i), 1 + i % 4, 0));
    }
    std::mutex mutex;
    QStringList claimed;
    int failures = 0;
    std::vector<std::thread> workers;
    for (int t = 0; t < 12; ++t)
        workers.emplace_back([&, t] {
            RelayHubServer c;
            c.ConnectHttp((t % 2 ? a : b).url(), QStringLiteral("tom"), QStringLiteral("t-secret"), 3000,
                          20000);
            while (true) {
                bool ok = false;
                const QString name =
                    ask(c, QStringLiteral("|GET|AUDIO|DICTATION|NEXT|PRIORITY, DATE|*|*|N|*"), &ok);
                std::lock_guard lock(mutex);
                if (!ok || AnswerIsRefusal(name)) {
                    if (++failures > 20) return;
                    continue;
                }
                if (name.isEmpty()) return;
                claimed << name;
            }
        });
    for (auto& w : workers)
        w.join();
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(claimed.size(), 200);
    EXPECT_EQ(QSet<QString>(claimed.begin(), claimed.end()).size(), 200);
}

TEST_P(Daemon, TermFinishesTheRequestInFlightAndExitsCleanly) {
    DaemonProcess d;
    ASSERT_TRUE(startDaemon(d));
    auto c = client(d);
    const QByteArray big = pattern(8000, 3);
    const QString name =
        saveHeader(*c, QStringLiteral("NEXTKEY"), HeaderFields(QStringLiteral("Term"), 2, 8000 * 40));
    std::atomic<int> sent = 0;
    std::thread uploader([&] {
        for (int n = 1; n <= 40; ++n) {
            if (ask(*c, QStringLiteral("|SET|AUDIO|DICTATION|%1|%2|").arg(name).arg(n) + BytesToText(big)) !=
                QLatin1String("OK"))
                return;
            ++sent;
        }
    });
    while (sent < 3)
        QThread::msleep(5);
    d.signal(SIGTERM);
    EXPECT_EQ(d.wait(), 0);
    uploader.join();
    // Whatever the client was told was stored is stored.
    Store store(db->factory(), 1);
    const auto rows = sent.load();
    EXPECT_GE(rows, 3);
    EXPECT_EQ(store.uploadsInProgress(), rows < 40 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, Daemon, ::testing::Values("sqlite", "postgres"),
                         [](const auto& info) { return info.param; });

TEST(DaemonConfig, ABadConfigFileStopsTheStart) {
    TestDatabase db("sqlite");
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("bad.conf"));
    QFile file(config);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("list_page_size = many\n");
    file.close();
    DaemonProcess d;
    EXPECT_FALSE(d.start(db.daemonUri(), {QStringLiteral("--config"), config}));
    EXPECT_EQ(d.wait(), 2);
    EXPECT_EQ(Admin({QStringLiteral("user-add"), QStringLiteral("--database"), db.daemonUri(),
                     QStringLiteral("x"), QStringLiteral("boss")},
                    "pw\n"),
              1)
        << "unknown role";
}

TEST(DaemonTls, HttpsWithTheDaemonCertificate) {
    TestDatabase db("sqlite");
    ASSERT_EQ(Admin({QStringLiteral("init"), QStringLiteral("--database"), db.daemonUri()}), 0);
    AddUser(db.daemonUri(), QStringLiteral("ann"), QStringLiteral("author"), QStringLiteral("pw"));
    QTemporaryDir dir;
    const QString cert = dir.filePath(QStringLiteral("cert.pem")),
                  key = dir.filePath(QStringLiteral("key.pem"));
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-days"),
                   QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                   QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1"),
                   QStringLiteral("-keyout"), key, QStringLiteral("-out"), cert});
    ASSERT_TRUE(openssl.waitForFinished(60000));
    ASSERT_EQ(openssl.exitCode(), 0);
    DaemonProcess d;
    ASSERT_TRUE(
        d.start(db.daemonUri(), {QStringLiteral("--tls-cert"), cert, QStringLiteral("--tls-key"), key}));
    RelayHubServer c;
    c.TlsCaFileSet(cert);
    ASSERT_TRUE(c.ConnectHttp(d.url("https"), QStringLiteral("ann"), QStringLiteral("pw")));
    QString answer, info;
    ASSERT_TRUE(c.RequestProcess(QStringLiteral("|GET|COLOR|"), answer, QString(), info))
        << c.LastError().toStdString();
    EXPECT_TRUE(answer.startsWith(kBlockPrefix));
    // Without trusting the certificate there is no answer.
    RelayHubServer untrusting;
    untrusting.ConnectHttp(d.url("https"), QStringLiteral("ann"), QStringLiteral("pw"));
    EXPECT_FALSE(untrusting.RequestProcess(QStringLiteral("|GET|COLOR|"), answer, QString(), info));
}

} // namespace
