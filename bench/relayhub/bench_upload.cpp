// Storing a 10-minute dictation (11025 Hz, 8-bit mono, FLAC about 3 MB) as
// 8000-byte pieces through relayhubd on loopback with SQLite, against one
// plain HTTP POST of the same bytes to the same daemon.
#include "BenchSupport.h"
#include "HubTestSupport.h"

#include "RelayHubServer.h"
#include "hub/Hub.h"
#include "protocol/Protocol.h"

#include <benchmark/benchmark.h>
#include <httplib.h>

#include <QCoreApplication>
#include <QRandomGenerator>

using namespace benchsupport;
using namespace relayhub;

namespace {

struct Fixture {
    QTemporaryDir dir;
    hubtest::DaemonProcess daemon;
    QByteArray audio;
    bool ok = false;
    Fixture() {
        const QString db = dir.filePath(QStringLiteral("bench.db"));
        hubtest::Admin({QStringLiteral("init"), QStringLiteral("--database"), db});
        hubtest::AddUser(db, QStringLiteral("bench"), QStringLiteral("author,transcriptionist"),
                         QStringLiteral("pw"));
        ok = daemon.start(db);
        // Compressed audio looks random: every byte value, no runs.
        audio.resize(3 * 1000 * 1000);
        QRandomGenerator rng(42);
        for (char& b : audio)
            b = char(rng.bounded(256));
    }
};
Fixture& fixture() {
    static Fixture f;
    return f;
}

void StoreDictationVersusSinglePost(benchmark::State& state) {
    Fixture& f = fixture();
    if (!f.ok) {
        state.SkipWithError("relayhubd did not start");
        return;
    }
    RelayHubServer client;
    client.ConnectHttp(f.daemon.url(), QStringLiteral("bench"), QStringLiteral("pw"));
    httplib::Client raw("127.0.0.1", f.daemon.port());
    raw.set_basic_auth("bench", "pw");
    raw.set_keep_alive(true);
    raw.set_tcp_nodelay(true);
    const std::string body(f.audio.constData(), size_t(f.audio.size()));
    // The pieces carried as text, prepared outside the timing as the control does before sending.
    QStringList pieces;
    for (qsizetype at = 0; at < f.audio.size(); at += 8000)
        pieces << BytesToText(f.audio.mid(at, 8000));
    const QStringList header = hubtest::HeaderFields(QStringLiteral("Bench"), 2, f.audio.size());

    double pieceSeconds = 0, postSeconds = 0, echoSeconds = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        auto res = raw.Post("/relayhub/v1/echo", body, "application/octet-stream");
        const double post = Seconds(start);
        if (!res || res->status != 200) {
            state.SkipWithError("baseline POST failed");
            return;
        }
        // The same requests to the echo endpoint: what HTTP alone costs.
        start = Clock::now();
        for (const QString& p : pieces) {
            const QByteArray utf8 = (QStringLiteral("|SET|AUDIO|DICTATION|R00000000|1|") + p).toUtf8();
            raw.Post("/relayhub/v1/echo", utf8.constData(), size_t(utf8.size()), "text/plain");
        }
        echoSeconds += Seconds(start);
        start = Clock::now();
        QString name, info;
        client.RequestProcess(QStringLiteral("|SET|AUDIO|DICTATION|NEXTKEY|0|") +
                                  header.join(QLatin1Char('|')),
                              name, QString(), info);
        for (int n = 0; n < pieces.size(); ++n) {
            QString answer;
            client.RequestProcess(QStringLiteral("|SET|AUDIO|DICTATION|") + name + QLatin1Char('|') +
                                      QString::number(n + 1) + QLatin1Char('|') + pieces[n],
                                  answer, QString(), info);
            if (answer != QLatin1String("OK")) {
                state.SkipWithError("a piece was refused");
                return;
            }
        }
        const double stored = Seconds(start);
        state.SetIterationTime(stored);
        pieceSeconds += stored;
        postSeconds += post;
    }
    state.counters["pieces"] = double((f.audio.size() + 7999) / 8000);
    state.counters["single_post_ms"] = postSeconds / double(state.iterations()) * 1000.0;
    state.counters["echo_pieces_ms"] = echoSeconds / double(state.iterations()) * 1000.0;
    state.counters["ratio_vs_single_post"] = pieceSeconds / postSeconds;
}
BENCHMARK(StoreDictationVersusSinglePost)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The same upload straight into the hub, without HTTP: where the time goes.
void StoreDictationInProcess(benchmark::State& state) {
    QTemporaryDir dir;
    Store store([path = dir.filePath(QStringLiteral("inproc.db"))] { return SqliteConnect(path); }, 2);
    store.migrate();
    Hub hub(store);
    const Caller caller{QStringLiteral("bench"), {QStringLiteral("author")}, QStringLiteral("s")};
    const QByteArray& audio = fixture().audio;
    QStringList pieces;
    for (qsizetype at = 0; at < audio.size(); at += 8000)
        pieces << BytesToText(audio.mid(at, 8000));
    const QStringList header = hubtest::HeaderFields(QStringLiteral("Bench"), 2, audio.size());
    for (auto _ : state) {
        const QString name = hub.process(
            QStringLiteral("|SET|AUDIO|DICTATION|NEXTKEY|0|") + header.join(QLatin1Char('|')), caller);
        for (int n = 0; n < pieces.size(); ++n)
            hub.process(QStringLiteral("|SET|AUDIO|DICTATION|") + name + QLatin1Char('|') +
                            QString::number(n + 1) + QLatin1Char('|') + pieces[n],
                        caller);
    }
}
BENCHMARK(StoreDictationInProcess)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
