// Claiming the next dictation and the first list page with 100 000 stored
// dictations, SQLite and PostgreSQL: medians and p99, each against a header
// read by name (an indexed point lookup) measured in the same run.
#include "BenchSupport.h"

#include "hub/Hub.h"
#include "protocol/Protocol.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QUuid>

using namespace benchsupport;
using namespace relayhub;

namespace {

constexpr int kDictations = 100000;

// Fills a store with dictations in one transaction, straight through the
// backend: going request by request would take minutes on PostgreSQL.
void Populate(Store& store, const ConnectionFactory& factory) {
    store.migrate();
    auto c = factory();
    c->beginWrite();
    const char* authors[] = {"JONES", "SMITH", "OKAFOR", "BRANDT", "LI"};
    for (int i = 0; i < kDictations; ++i) {
        const QString name = QStringLiteral("B%1").arg(i, 8, 10, QLatin1Char('0'));
        const QString author = QString::fromLatin1(authors[i % 5]);
        const QString patient = QStringLiteral("Patient %1").arg(i);
        const QString created = QStringLiteral("2026-%1-%2 %3:00:00")
                                    .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                                    .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                                    .arg(i % 24, 2, 10, QLatin1Char('0'));
        const qint64 priority = 1 + i % 4;
        // A third transcribed, spread over the dates and priorities.
        const QString status =
            (quint64(i) * 2654435761u) % 3 == 0 ? QStringLiteral("TRANSCRIBED") : QStringLiteral("DICTATED");
        QStringList header(36);
        header[0] = status;
        header[2] = QStringLiteral("ACC%1").arg(i);
        header[3] = patient;
        header[7] = QString::number(priority);
        header[9] = author;
        c->exec(
            "INSERT INTO recordings (name, kind, visible, header, status, author, priority, created, patient,"
            " account, search, updated_at) VALUES (?, 'DICTATION', 1, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            {name, header.join(QLatin1Char('|')), status, author, priority, created, patient, header[2],
             (name + patient + author).toLower(), created});
    }
    c->commit();
    c->script(QStringLiteral("ANALYZE"));
}

struct Backend {
    std::unique_ptr<PostgresCluster> cluster;
    QTemporaryDir dir;
    std::unique_ptr<Store> store;
    std::unique_ptr<Hub> hub;
    bool ok = false;
};

Backend& backend(bool postgres) {
    static Backend backends[2];
    Backend& b = backends[postgres ? 1 : 0];
    if (b.store || b.cluster) return b;
    ConnectionFactory factory;
    if (postgres) {
        b.cluster = std::make_unique<PostgresCluster>();
        if (!b.cluster->ok()) return b;
        const QString conninfo = b.cluster->conninfo();
        factory = [conninfo] { return PostgresConnect(conninfo); };
    } else {
        factory = [path = b.dir.filePath(QStringLiteral("queue.db"))] { return SqliteConnect(path); };
    }
    b.store = std::make_unique<Store>(factory, 2);
    Populate(*b.store, factory);
    b.hub = std::make_unique<Hub>(*b.store);
    b.ok = true;
    return b;
}

const Caller kCaller{QStringLiteral("bench"), {QStringLiteral("transcriptionist")}, QString()};

// Runs op n times and the baseline n times, interleaved, and reports both.
template <class Op> void Measure(benchmark::State& state, bool postgres, Op op) {
    Backend& b = backend(postgres);
    if (!b.ok) {
        state.SkipWithError("backend unavailable");
        return;
    }
    std::vector<double> times, baseline;
    int i = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        const bool good = op(*b.hub);
        const double t = Seconds(start);
        state.SetIterationTime(t);
        times.push_back(t);
        if (!good) {
            state.SkipWithError("unexpected answer");
            return;
        }
        start = Clock::now();
        const QString name = QStringLiteral("B%1").arg((i++ * 7919) % kDictations, 8, 10, QLatin1Char('0'));
        benchmark::DoNotOptimize(
            b.hub->process(QStringLiteral("|GET|AUDIO|DICTATION|%1|0").arg(name), kCaller));
        baseline.push_back(Seconds(start));
    }
    state.counters["median_ms"] = Percentile(times, 0.5) * 1000;
    state.counters["p99_ms"] = Percentile(times, 0.99) * 1000;
    state.counters["header_read_median_ms"] = Percentile(baseline, 0.5) * 1000;
    state.counters["ratio_median_vs_header_read"] = Percentile(times, 0.5) / Percentile(baseline, 0.5);
}

void ClaimNext(benchmark::State& state) {
    Measure(state, state.range(0) == 1, [](Hub& hub) {
        const QString name =
            hub.process(QStringLiteral("|GET|AUDIO|DICTATION|NEXT|PRIORITY, DATE|*|*|N|*"), kCaller);
        return !name.isEmpty() && !AnswerIsRefusal(name);
    });
}

void FirstListPage(benchmark::State& state) {
    Measure(state, state.range(0) == 1, [](Hub& hub) {
        Caller caller = kCaller;
        caller.session = QUuid::createUuid().toString();
        const QStringList blocks =
            hub.processBlocks(QStringLiteral("|GET|AUDIO|DICTATION|*|PRIORITY, DATE|*|*|N|*|"), caller);
        return blocks.size() == 202;
    });
}

BENCHMARK(ClaimNext)
    ->ArgName("postgres")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(300)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(FirstListPage)
    ->ArgName("postgres")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(60)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
