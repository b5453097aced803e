// 50 concurrent clients saving, listing and claiming against one relayhubd
// (SQLite) for 30 s, against the same clients calling the daemon's trivial
// echo endpoint for as long. RELAYHUB_BENCH_SECONDS and
// RELAYHUB_BENCH_CLIENTS change the duration and the client count.
#include "BenchSupport.h"
#include "HubTestSupport.h"

#include "RelayHubServer.h"
#include "protocol/Protocol.h"

#include <benchmark/benchmark.h>
#include <httplib.h>

#include <QCoreApplication>

#include <atomic>
#include <mutex>
#include <thread>

using namespace benchsupport;
using namespace relayhub;

namespace {

int setting(const char* name, int fallback) {
    bool ok = false;
    const int v = qEnvironmentVariable(name).toInt(&ok);
    return ok && v > 0 ? v : fallback;
}

std::mutex g_errorMutex;
QString g_firstError;
bool failed(const QString& what) {
    std::lock_guard lock(g_errorMutex);
    if (g_firstError.isEmpty()) g_firstError = what;
    return false;
}

struct Result {
    std::vector<double> latencies;
    long long operations = 0, errors = 0;
    double seconds = 0;
};

// Every client makes its state with init, then repeats work on it until the
// time is up; work returns false on an error.
template <class Init, class Work> Result RunClients(int clients, int seconds, Init init, Work work) {
    std::mutex mutex;
    Result result;
    std::vector<std::thread> threads;
    // Clients connect one after another, as workstations do; the daemon's
    // listen queue is short.
    std::vector<decltype(init(0))> states;
    for (int c = 0; c < clients; ++c)
        states.push_back(init(c));
    const auto start = Clock::now();
    const auto until = start + std::chrono::seconds(seconds);
    for (int c = 0; c < clients; ++c)
        threads.emplace_back([&, c] {
            std::vector<double> mine;
            long long errors = 0;
            auto& state = states[size_t(c)];
            while (Clock::now() < until) {
                const auto t = Clock::now();
                if (!work(state)) ++errors;
                mine.push_back(Seconds(t));
            }
            std::lock_guard lock(mutex);
            result.latencies.insert(result.latencies.end(), mine.begin(), mine.end());
            result.operations += qsizetype(mine.size());
            result.errors += errors;
        });
    for (auto& t : threads)
        t.join();
    result.seconds = Seconds(start);
    return result;
}

void ConcurrentClients(benchmark::State& state) {
    const int clients = setting("RELAYHUB_BENCH_CLIENTS", 50);
    const int seconds = setting("RELAYHUB_BENCH_SECONDS", 30);
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("load.db"));
    hubtest::Admin({QStringLiteral("init"), QStringLiteral("--database"), db});
    hubtest::AddUser(db, QStringLiteral("bench"), QStringLiteral("author,transcriptionist"),
                     QStringLiteral("pw"));
    hubtest::DaemonProcess daemon;
    if (!daemon.start(db)) {
        state.SkipWithError("relayhubd did not start");
        return;
    }
    QByteArray audio(16000, Qt::Uninitialized);
    for (int i = 0; i < audio.size(); ++i)
        audio[i] = char((i * 131) & 0xFF);
    const QString piece1 = BytesToText(audio.left(8000)), piece2 = BytesToText(audio.mid(8000));
    const QString header =
        hubtest::HeaderFields(QStringLiteral("Load"), 2, audio.size()).join(QLatin1Char('|'));

    for (auto _ : state) {
        // Each client cycles through save, list page and claim.
        struct Client {
            std::shared_ptr<RelayHubServer> server;
            int step = 0;
        };
        const Result hub = RunClients(
            clients, seconds,
            [&](int) {
                Client fresh{std::make_shared<RelayHubServer>()};
                fresh.server->ConnectHttp(daemon.url(), QStringLiteral("bench"), QStringLiteral("pw"), 5000,
                                          60000);
                QString answer, info;
                fresh.server->RequestProcess(QStringLiteral("|GET|COLOR|"), answer, QString(), info);
                return fresh;
            },
            [&](Client& c) {
                QString answer, info;
                const int step = c.step++ % 3;
                if (step == 0) {
                    QString name;
                    if (!c.server->RequestProcess(QStringLiteral("|SET|AUDIO|DICTATION|NEXTKEY|0|") + header,
                                                  name, QString(), info) ||
                        AnswerIsRefusal(name))
                        return failed(QStringLiteral("header: ") + name + c.server->LastError());
                    for (const auto& [n, p] : {std::pair{1, &piece1}, std::pair{2, &piece2}})
                        if (!c.server->RequestProcess(
                                QStringLiteral("|SET|AUDIO|DICTATION|%1|%2|").arg(name).arg(n) + *p, answer,
                                QString(), info) ||
                            answer != QLatin1String("OK"))
                            return failed(QStringLiteral("piece: ") + answer + c.server->LastError());
                    return true;
                }
                if (step == 1) {
                    QStringList blocks;
                    if (!c.server->RequestProcessBlocks(
                            QStringLiteral("|GET|AUDIO|DICTATION|*|PRIORITY, DATE|*|*|N|*|"), blocks,
                            QString(), info) ||
                        blocks.isEmpty() || AnswerIsRefusal(blocks[0]))
                        return failed(QStringLiteral("list: ") + blocks.value(0) + c.server->LastError());
                    return true;
                }
                if (!c.server->RequestProcess(
                        QStringLiteral("|GET|AUDIO|DICTATION|NEXT|PRIORITY, DATE|*|*|N|*"), answer, QString(),
                        info) ||
                    AnswerIsRefusal(answer))
                    return failed(QStringLiteral("claim: ") + answer + c.server->LastError());
                return true;
            });
        const Result echo = RunClients(
            clients, seconds,
            [&](int) {
                auto client = std::make_shared<httplib::Client>("127.0.0.1", daemon.port());
                client->set_basic_auth("bench", "pw");
                client->set_keep_alive(true);
                client->set_tcp_nodelay(true);
                client->Post("/relayhub/v1/echo", "|GET|COLOR|", "text/plain");
                return client;
            },
            [&](std::shared_ptr<httplib::Client>& c) {
                auto res = c->Post("/relayhub/v1/echo", "|GET|COLOR|", "text/plain");
                if (res && res->status == 200) return true;
                return failed(QStringLiteral("echo: ") +
                              (res ? QString::number(res->status)
                                   : QString::fromStdString(httplib::to_string(res.error()))));
            });
        state.SetIterationTime(hub.seconds);
        if (!g_firstError.isEmpty())
            std::fprintf(stderr, "first error: %s\n", qPrintable(g_firstError.left(300)));
        state.counters["clients"] = clients;
        state.counters["ops_per_s"] = double(hub.operations) / hub.seconds;
        state.counters["p99_ms"] = Percentile(hub.latencies, 0.99) * 1000;
        state.counters["errors"] = double(hub.errors);
        state.counters["echo_ops_per_s"] = double(echo.operations) / echo.seconds;
        state.counters["echo_p99_ms"] = Percentile(echo.latencies, 0.99) * 1000;
        state.counters["echo_errors"] = double(echo.errors);
        state.counters["throughput_ratio_vs_echo"] =
            (double(hub.operations) / hub.seconds) / (double(echo.operations) / echo.seconds);
    }
}
BENCHMARK(ConcurrentClients)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
