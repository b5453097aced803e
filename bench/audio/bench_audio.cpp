// Audio engine benchmarks. Each reports its figure against a baseline taken
// in the same run:
//  - record start: Record → first captured frame in the file, against the
//    backend's buffer period (the soonest a new frame can exist);
//  - insert: time until capture starts and time to splice on Stop, for a 60-
//    and a 1-minute recording (capture start must not grow with length);
//  - pause search: WavePauseLocate throughput against a plain pass over the
//    same bytes.
#include "audio/AudioRecorder.h"
#include "audio/VirtualAudioBackend.h"
#include "audio/clsWaveFile.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>
#include <thread>
#include <vector>

namespace {

using clock_type = std::chrono::steady_clock;

QByteArray header(int rate, int channels, int bits, qint64 dataBytes) {
    QByteArray b(44, '\0');
    auto put32 = [&](int at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = char(v >> (8 * i));
    };
    auto put16 = [&](int at, quint16 v) {
        b[at] = char(v);
        b[at + 1] = char(v >> 8);
    };
    b.replace(0, 4, "RIFF");
    put32(4, quint32(36 + dataBytes));
    b.replace(8, 8, "WAVEfmt ");
    put32(16, 16);
    put16(20, 1);
    put16(22, quint16(channels));
    put32(24, quint32(rate));
    put32(28, quint32(rate * channels * bits / 8));
    put16(32, quint16(channels * bits / 8));
    put16(34, quint16(bits));
    b.replace(36, 4, "data");
    put32(40, quint32(dataBytes));
    return b;
}

// Speech-like loud 16-bit mono audio: a tone that never falls quiet.
QByteArray toneBytes(qint64 frames, int rate) {
    QByteArray data(int(frames * 2), '\0');
    auto* p = reinterpret_cast<uchar*>(data.data());
    for (qint64 i = 0; i < frames; ++i) {
        const auto v = qint16(
            std::lround(12000 * std::sin(2 * std::numbers::pi * 220 * double(i % rate) / rate)) | 0x0100);
        p[2 * i] = uchar(v);
        p[2 * i + 1] = uchar(quint16(v) >> 8);
    }
    return data;
}

void writeRecording(const QString& path, qint64 frames, int rate) {
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(header(rate, 1, 16, frames * 2));
    const QByteArray minute = toneBytes(qint64(rate) * 60, rate);
    for (qint64 left = frames * 2; left > 0; left -= minute.size())
        f.write(minute.constData(), std::min<qint64>(left, minute.size()));
}

// Record on a real-time virtual device with the input in standby.
void BM_RecordStartLatency(benchmark::State& state) {
    QTemporaryDir dir;
    const int rate = 48000, period = int(state.range(0));
    auto owned =
        std::make_unique<vd::VirtualAudioBackend>(vd::VirtualAudioBackend::Clock::RealTime, rate, period);
    vd::VirtualAudioBackend* backend = owned.get();
    backend->setMicrophoneTone(-12, 440);
    vd::AudioRecorder recorder(std::move(owned));
    recorder.setSampleRate(44100);
    QString file = dir.filePath("latency.wav");
    recorder.FileNew(file);
    double total = 0, worst = 0, pipeline = 0, pipelineWorst = 0;
    qint64 n = 0;
    const qint64 startFrames = backend->elapsedFrames();
    const auto startTime = clock_type::now();
    for (auto _ : state) {
        const qint32 before = recorder.PositionSamples();
        const auto t0 = clock_type::now();
        recorder.Record();
        while (recorder.PositionSamples() == before)
            std::this_thread::yield();
        const auto t1 = clock_type::now();
        const double latency = std::chrono::duration<double>(t1 - t0).count();
        // Our own part: from the buffer's arrival to its frames in the file.
        const double ours = double(t1.time_since_epoch().count() - backend->lastBufferTime()) * 1e-9;
        pipeline += ours;
        pipelineWorst = std::max(pipelineWorst, ours);
        state.SetIterationTime(latency);
        recorder.Stop();
        total += latency;
        worst = std::max(worst, latency);
        ++n;
        // Land at a random point within the next buffer.
        std::this_thread::sleep_for(std::chrono::microseconds(1000 + (n * 3700) % 9000));
    }
    const double elapsed = std::chrono::duration<double>(clock_type::now() - startTime).count();
    const double measuredPeriod = elapsed / (double(backend->elapsedFrames() - startFrames) / period);
    state.counters["period_ms"] = measuredPeriod * 1e3;
    state.counters["mean_ms"] = total / double(n) * 1e3;
    state.counters["worst_ms"] = worst * 1e3;
    state.counters["mean_over_period"] = total / double(n) / measuredPeriod;
    state.counters["worst_over_period"] = worst / measuredPeriod;
    state.counters["buffer_to_file_mean_ms"] = pipeline / double(n) * 1e3;
    state.counters["buffer_to_file_worst_ms"] = pipelineWorst * 1e3;
}
BENCHMARK(BM_RecordStartLatency)
    ->Arg(480)
    ->Arg(256)
    ->UseManualTime()
    ->Iterations(60)
    ->Unit(benchmark::kMillisecond);

// Insert in the middle: the time from Record to the first inserted frame in
// the insert file (one buffer delivered by a manual clock) and the splice on
// Stop, for recordings of range(0) minutes.
void BM_InsertMiddle(benchmark::State& state) {
    QTemporaryDir dir(QDir::currentPath() + "/bench-XXXXXX");
    const int rate = 44100, period = 441;
    const qint64 frames = qint64(rate) * 60 * state.range(0);
    QString file = dir.filePath("long.wav");
    writeRecording(file, frames, rate);
    auto owned =
        std::make_unique<vd::VirtualAudioBackend>(vd::VirtualAudioBackend::Clock::Manual, rate, period);
    vd::VirtualAudioBackend* backend = owned.get();
    backend->setMicrophoneTone(-12, 440);
    vd::AudioRecorder recorder(std::move(owned));
    recorder.FileOpen(file);
    recorder.setInsertMode(1);
    double splice = 0;
    std::vector<double> starts;
    for (auto _ : state) {
        // Earlier splices' writes are not this capture's business.
        state.PauseTiming();
        ::sync();
        state.ResumeTiming();
        recorder.setPositionSamples(qint32(frames / 2));
        const auto t0 = clock_type::now();
        recorder.Record();
        backend->advance(period);
        recorder.Synchronize();
        const auto t1 = clock_type::now();
        if (recorder.PositionSamples() != frames / 2 + period) state.SkipWithError("capture did not start");
        recorder.Stop();
        const auto t2 = clock_type::now();
        starts.push_back(std::chrono::duration<double>(t1 - t0).count());
        splice += std::chrono::duration<double>(t2 - t1).count();
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    const double n = double(state.iterations());
    // Median and worst: the file system's own hiccups after a large splice
    // are not the recorder's work.
    std::sort(starts.begin(), starts.end());
    state.counters["capture_start_median_ms"] = starts[starts.size() / 2] * 1e3;
    state.counters["capture_start_worst_ms"] = starts.back() * 1e3;
    state.counters["splice_on_stop_ms"] = splice / n * 1e3;
    state.counters["tail_MB"] = double(frames) / 2 * 2 / 1e6;
}
BENCHMARK(BM_InsertMiddle)->Arg(1)->Arg(60)->UseManualTime()->Iterations(11)->Unit(benchmark::kMillisecond);

// WavePauseLocate over 60 minutes with no pause long enough (so it searches
// to the end) against a plain pass that reads every sample once. range(0):
// 0 a tone without gaps, 1 bursts of 450 ms with 50 ms of near-silence
// between them (short gaps it must measure and reject), 2 the worst case for
// the search: quiet runs of 68 ms (shorter than the 100 ms asked for) broken
// by single loud frames, so probes keep landing in runs it must measure.
void BM_PauseLocate(benchmark::State& state) {
    const int rate = 44100;
    const qint64 frames = qint64(rate) * 60 * 60;
    vd::clsWaveFile wave;
    const QByteArray h = header(rate, 1, 16, frames * 2);
    wave.setRiffHeader(h.left(12));
    wave.setFormatChunk(h.mid(12, 24));
    wave.setDataChunkHeader(h.mid(36, 8));
    QByteArray data = toneBytes(frames, rate);
    if (state.range(0) == 1) {
        auto* p = reinterpret_cast<qint16*>(data.data());
        for (qint64 i = 0; i < frames; ++i)
            if (i % (rate / 2) >= rate * 45 / 100) p[i] = qint16((i * 7) % 9 - 4); // about -78 dBFS
    } else if (state.range(0) == 2) {
        auto* p = reinterpret_cast<qint16*>(data.data());
        for (qint64 i = 0; i < frames; ++i)
            p[i] = i % 3001 == 0 ? qint16(20000) : qint16((i * 7) % 9 - 4);
    }
    wave.setSampleData(data);
    double locate = 0, plain = 0;
    for (auto _ : state) {
        auto t0 = clock_type::now();
        const qint64 found = wave.WavePauseLocate(0, 100, 0.3f);
        auto t1 = clock_type::now();
        if (found != -1) state.SkipWithError("a pause was found where there is none");
        benchmark::DoNotOptimize(found);
        // Baseline: the loudest sample, one read of every 16-bit sample.
        const auto* p = reinterpret_cast<const qint16*>(data.constData());
        int peak = 0;
        for (qint64 i = 0; i < frames; ++i)
            peak = std::max(peak, std::abs(int(p[i])));
        benchmark::DoNotOptimize(peak);
        auto t2 = clock_type::now();
        locate += std::chrono::duration<double>(t1 - t0).count();
        plain += std::chrono::duration<double>(t2 - t1).count();
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    const double bytes = double(frames) * 2 * double(state.iterations());
    state.counters["locate_MBps"] = bytes / locate / 1e6;
    state.counters["plain_MBps"] = bytes / plain / 1e6;
    state.counters["locate_over_plain"] = plain / locate;
}
BENCHMARK(BM_PauseLocate)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
