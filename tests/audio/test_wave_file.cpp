// clsWaveFile: reading, writing, cutting, appending and pause finding, byte
// by byte and with the odd behaviour the stored recordings rely on.
#include "AudioTestSupport.h"

#include "common/ProcessState.h"
#include "support/RecordingUtils.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace audiotest;
using vd::clsWaveFile;

namespace {
struct WaveFileTest : ::testing::Test {
    QTemporaryDir dir;
    RecordingUtils utils;
    void SetUp() override { vd::Slots().utility = &utils; }
    void TearDown() override { vd::Slots().utility = nullptr; }
    QString path(const QString& name) const { return dir.filePath(name); }
    clsWaveFile load(const QByteArray& bytes, const QString& name = QStringLiteral("in.wav")) {
        writeFile(path(name), bytes);
        clsWaveFile w;
        EXPECT_TRUE(w.FileRead(path(name)));
        return w;
    }
};

QByteArray bytesOf(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}
} // namespace

TEST_F(WaveFileTest, NewInstanceSavesTheDefaultHeaderToRecordingWav) {
    const QString old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    clsWaveFile w;
    EXPECT_FALSE(w.IsValid());
    EXPECT_TRUE(w.FileSave());
    QDir::setCurrent(old);
    const QByteArray expected =
        bytesOf({'R', 'I', 'F', 'F', 36, 0, 0,   0,   'W', 'A',  'V',  'E', 'f', 'm',  't',
                 ' ', 16,  0,   0,   0,  1, 0,   1,   0,   0x11, 0x2B, 0,   0,   0x22, 0x56,
                 0,   0,   2,   0,   16, 0, 'd', 'a', 't', 'a',  0,    0,   0,   0});
    EXPECT_EQ(readFile(path("Recording.wav")), expected);
    EXPECT_FALSE(w.IsValid()); // saving does not make it valid
    EXPECT_EQ(w.RecordingSampleRate(), 11025);
    EXPECT_EQ(w.TotalFileSize(), 44);
}

TEST_F(WaveFileTest, ReadsAndWritesBackByteForByte) {
    // Odd byte rate and block align must survive untouched.
    QByteArray bytes = waveBytes(22050, 2, 16, pcm16({1, -1, 300, -300, 32767, -32768}));
    bytes[28] = char(0x7B);
    bytes[32] = char(9);
    clsWaveFile w = load(bytes);
    EXPECT_EQ(w.RecordingChannels(), 2);
    EXPECT_EQ(w.RecordingSampleRate(), 22050);
    EXPECT_EQ(w.RecordingSampleSize(), 16);
    EXPECT_EQ(w.RecordingDataSize(), 12);
    EXPECT_EQ(w.BytesPerSample(), 4);
    EXPECT_EQ(w.RecordingTotalSamples(), 3);
    EXPECT_DOUBLE_EQ(w.RecordingTotalSeconds(), 3.0 / 22050);
    EXPECT_EQ(w.FileName(), path("in.wav"));
    EXPECT_TRUE(w.FileSave(path("out.wav")));
    EXPECT_EQ(readFile(path("out.wav")), bytes);
    // No name: back to the file it came from.
    writeFile(path("in.wav"), QByteArray());
    EXPECT_TRUE(w.FileSave());
    EXPECT_EQ(readFile(path("in.wav")), bytes);
}

TEST_F(WaveFileTest, RefusesWhatIsNotAWaveWithoutCrashing) {
    clsWaveFile w;
    EXPECT_FALSE(w.FileRead(path("missing.wav")));
    EXPECT_EQ(w.FileName(), path("missing.wav"));

    QByteArray notWave = waveBytes(11025, 1, 16, pcm16({1, 2}));
    notWave[8] = 'w';
    writeFile(path("a.wav"), notWave);
    EXPECT_FALSE(w.FileRead(path("a.wav")));
    EXPECT_FALSE(w.IsValid());
    writeFile(path("b.wav"), QByteArray("RIFX....WAVE"));
    EXPECT_FALSE(w.FileRead(path("b.wav")));
    EXPECT_TRUE(utils.log.isEmpty()) << "not a wave is no error";

    // Valid first, then a truncated file: refused, logged, the old content kept.
    clsWaveFile good = load(waveBytes(8000, 1, 8, QByteArray("\x80\x81\x82", 3)));
    QByteArray truncated = waveBytes(11025, 1, 16, pcm16({1, 2, 3, 4}));
    truncated.chop(3);
    writeFile(path("t.wav"), truncated);
    EXPECT_FALSE(good.FileRead(path("t.wav")));
    EXPECT_FALSE(good.IsValid());
    EXPECT_EQ(good.RecordingSampleRate(), 8000);
    EXPECT_EQ(good.SampleData(), QByteArray("\x80\x81\x82", 3));
    ASSERT_EQ(utils.log.size(), 1);
    EXPECT_TRUE(utils.log[0].startsWith(
        QStringLiteral("VantorDictation4 - Wave File Class \u2013 FileRead \u2013 '")));

    // A format chunk size that points past the end, and a file of only the RIFF header.
    QByteArray hugeFormat = waveBytes(11025, 1, 16, QByteArray());
    hugeFormat[16] = char(0xFF);
    hugeFormat[17] = char(0xFF);
    hugeFormat[18] = char(0xFF);
    hugeFormat[19] = char(0x7F);
    writeFile(path("h.wav"), hugeFormat);
    EXPECT_FALSE(w.FileRead(path("h.wav")));
    writeFile(path("s.wav"), QByteArray("RIFF\x04\0\0\0WAVE", 12));
    EXPECT_FALSE(w.FileRead(path("s.wav")));
    EXPECT_EQ(utils.log.size(), 3);
}

TEST_F(WaveFileTest, EmptyDataAndAChunkBeforeTheDataAreReadAsTheyStand) {
    clsWaveFile empty = load(waveBytes(11025, 1, 16, QByteArray()));
    EXPECT_TRUE(empty.IsValid());
    EXPECT_FALSE(empty.HasSampleData());
    EXPECT_EQ(empty.RecordingTotalSamples(), 0);

    // A LIST chunk after the format chunk is taken for the data chunk header.
    QByteArray withList = waveBytes(11025, 1, 16, pcm16({5, 6}));
    QByteArray list("LIST");
    put32(list, 4);
    list.append("INFO");
    withList.insert(36, list);
    clsWaveFile w = load(withList);
    EXPECT_EQ(w.DataChunkHeader().left(4), QByteArray("LIST"));
    EXPECT_EQ(w.RecordingDataSize(), 4);
    EXPECT_EQ(w.SampleData(), QByteArray("INFO"));
}

TEST_F(WaveFileTest, FormatQuestions) {
    clsWaveFile mono8 = load(waveBytes(11025, 1, 8, QByteArray(5, char(0x80))));
    EXPECT_EQ(mono8.BytesPerSample(), 1);
    EXPECT_FALSE(mono8.IsDragonValid());
    clsWaveFile stereo16 = load(waveBytes(11025, 2, 16, QByteArray(8, 0)));
    EXPECT_EQ(stereo16.BytesPerSample(), 4);
    EXPECT_TRUE(stereo16.IsDragonValid());
    EXPECT_FALSE(load(waveBytes(8000, 1, 16, QByteArray(2, 0))).IsDragonValid());
    // Totals round to the nearest whole frame, ties to even.
    clsWaveFile odd = load(waveBytes(11025, 2, 16, QByteArray(10, 0)));
    EXPECT_EQ(odd.RecordingTotalSamples(), 2); // 2.5 → 2
    clsWaveFile odd2 = load(waveBytes(11025, 2, 16, QByteArray(14, 0)));
    EXPECT_EQ(odd2.RecordingTotalSamples(), 4); // 3.5 → 4
    clsWaveFile zeroChannels = load(waveBytes(11025, 0, 16, QByteArray(4, 0)));
    EXPECT_EQ(zeroChannels.RecordingTotalSamples(), 0);
    EXPECT_EQ(zeroChannels.RecordingTotalSeconds(), 0.0);
}

TEST_F(WaveFileTest, SegmentsIncludeTheFirstByteOfTheEndSample) {
    QByteArray data;
    for (int i = 0; i < 40; ++i)
        data.append(char(i));
    clsWaveFile w = load(waveBytes(11025, 2, 16, data)); // 10 frames of 4 bytes
    clsWaveFile cut = w.WaveSegment(path("cut.wav"), 2, 5);
    EXPECT_FALSE(cut.IsValid());
    EXPECT_EQ(cut.FileName(), path("cut.wav"));
    EXPECT_EQ(cut.RecordingDataSize(), 4 * 3 + 1);
    EXPECT_EQ(cut.SampleData(), data.mid(8, 13)); // bytes 9 … 21
    EXPECT_EQ(cut.FileSize(), 13 + 16 + 20);
    EXPECT_TRUE(cut.FileSave());
    const QByteArray saved = readFile(path("cut.wav"));
    EXPECT_EQ(saved.left(4), QByteArray("RIFF"));
    EXPECT_EQ(saved.size(), 44 + 13);
    EXPECT_EQ(saved.mid(12, 24), readFile(path("in.wav")).mid(12, 24));
    EXPECT_EQ(saved.mid(44), data.mid(8, 13));

    // Consecutive cuts share one byte.
    clsWaveFile a = w.WaveSegment(QString(), 0, 3), b = w.WaveSegment(QString(), 3, 6);
    EXPECT_EQ(a.SampleData().right(1), b.SampleData().left(1));
    // Start 0 and 1 both start at the first byte; end -1 and beyond run to the last.
    EXPECT_EQ(w.WaveSegment(QString(), 0, -1).SampleData(), data);
    EXPECT_EQ(w.WaveSegment(QString(), 1, 99).SampleData(), data);
    // A start past the end starts at the last byte.
    EXPECT_EQ(w.WaveSegment(QString(), 50, -1).SampleData(), data.right(1));
    // An end before the start copies nothing and records the negative count.
    clsWaveFile backwards = w.WaveSegment(QString(), 6, 2);
    EXPECT_TRUE(backwards.SampleData().isEmpty());
    EXPECT_EQ(backwards.RecordingDataSize(), 9 - 25 + 1);
}

TEST_F(WaveFileTest, AppendJoinsEqualFormatsOnly) {
    clsWaveFile first = load(waveBytes(8000, 1, 8, QByteArray("abc")), "a.wav");
    clsWaveFile second = load(waveBytes(8000, 1, 8, QByteArray("defg")), "b.wav");
    QByteArray format = first.FormatChunk();
    EXPECT_TRUE(first.WaveAppend(second));
    EXPECT_EQ(first.SampleData(), QByteArray("abcdefg"));
    EXPECT_EQ(first.RecordingDataSize(), 7);
    EXPECT_EQ(first.FileSize(), 36 + 7);
    EXPECT_EQ(first.FormatChunk(), format);
    EXPECT_EQ(second.SampleData(), QByteArray("defg"));
    EXPECT_TRUE(first.FileSave(path("joined.wav")));
    EXPECT_EQ(readFile(path("joined.wav")), waveBytes(8000, 1, 8, QByteArray("abcdefg")));

    clsWaveFile wide = load(waveBytes(8000, 1, 16, QByteArray("hi")), "c.wav");
    EXPECT_FALSE(first.WaveAppend(wide));
    clsWaveFile otherRate = load(waveBytes(11025, 1, 8, QByteArray("x")), "d.wav");
    EXPECT_FALSE(first.WaveAppend(otherRate));
    clsWaveFile empty = load(waveBytes(8000, 1, 8, QByteArray()), "e.wav");
    EXPECT_FALSE(first.WaveAppend(empty));
    clsWaveFile invalid;
    EXPECT_FALSE(first.WaveAppend(invalid));
    EXPECT_EQ(first.SampleData(), QByteArray("abcdefg"));

    // Into an invalid instance: a copy of the other.
    clsWaveFile fresh;
    EXPECT_TRUE(fresh.WaveAppend(second));
    EXPECT_TRUE(fresh.IsValid());
    EXPECT_EQ(fresh.RiffHeader(), second.RiffHeader());
    EXPECT_EQ(fresh.SampleData(), QByteArray("defg"));
}

namespace {
// 16-bit mono: tone, quiet, tone … with the given lengths in frames.
QByteArray toneAndQuiet(const std::vector<std::pair<int, double>>& parts, int rate) {
    std::vector<qint16> s;
    for (auto [frames, amplitude] : parts)
        for (int i = 0; i < frames; ++i)
            s.push_back(
                qint16(std::lround(amplitude * 32767 * std::sin(2 * std::numbers::pi * 440 * i / rate))));
    return pcm16(s);
}
} // namespace

TEST_F(WaveFileTest, PauseLocateFindsTheEndOfTheFirstLongEnoughQuiet) {
    const int rate = 8000;
    // Tone 1000, quiet 400 (50 ms), tone 1000, quiet 1600 (200 ms), tone 1000.
    clsWaveFile w = load(waveBytes(
        rate, 1, 16, toneAndQuiet({{1000, 0.5}, {400, 0.0}, {1000, 0.5}, {1600, 0.003}, {1000, 0.5}}, rate)));
    // The quiet run found is the 200 ms one; its last quiet frame is at most
    // one frame before the tone resumes (the sine starts at zero).
    const qint64 end = w.WavePauseLocate(0, 100, 0.3f);
    EXPECT_GE(end, 1000 + 400 + 1000 + 1600 - 2);
    EXPECT_LE(end, 1000 + 400 + 1000 + 1600 + 1);
    EXPECT_GE(w.WavePauseLocate(0, 40, 0.3f), 1000 + 400 - 2);
    EXPECT_LE(w.WavePauseLocate(0, 40, 0.3f), 1000 + 400 + 1);
    // From after that pause nothing long enough is left.
    EXPECT_EQ(w.WavePauseLocate(end + 2, 100, 0.3f), -1);
    EXPECT_EQ(w.WavePauseLocate(w.RecordingTotalSamples(), 10, 0.3f), -1);
    // Threshold 1 makes everything quiet: the data ends inside the run.
    EXPECT_EQ(w.WavePauseLocate(0, 10, 5.0f), w.RecordingTotalSamples() - 1);
    // Nonsense is refused, not crashed on.
    EXPECT_EQ(w.WavePauseLocate(0, std::nan(""), 0.3f), -1);
    EXPECT_EQ(w.WavePauseLocate(-5, 100, 0.3f), -1);
    // Threshold 0 makes nothing but digital silence quiet.
    EXPECT_EQ(w.WavePauseLocate(0, 100, -1.0f), -1);
}

TEST_F(WaveFileTest, PauseLocateAtTheEndAndInEightBitStereo) {
    const int rate = 8000;
    // Data that ends inside a quiet run shorter than the minimum.
    clsWaveFile shortEnd = load(waveBytes(rate, 1, 16, toneAndQuiet({{800, 0.5}, {400, 0.0}}, rate)));
    EXPECT_EQ(shortEnd.WavePauseLocate(0, 100, 0.3f), -1);
    EXPECT_GE(shortEnd.WavePauseLocate(0, 40, 0.3f), 1199 - 1);

    // 8-bit stereo: quiet only when both channels are; the second channel
    // carries a tone in the middle stretch.
    QByteArray data;
    for (int i = 0; i < 3000; ++i) {
        const bool leftLoud = i < 1000;
        const bool rightLoud = i >= 1000 && i < 2000;
        const double t = std::sin(2 * std::numbers::pi * 440 * i / rate);
        data.append(char(uchar(128 + (leftLoud ? std::lround(100 * t) : 0))));
        data.append(char(uchar(128 + (rightLoud ? std::lround(100 * t) : 0))));
    }
    clsWaveFile w = load(waveBytes(rate, 2, 8, data));
    const qint64 end = w.WavePauseLocate(0, 50, 0.3f);
    EXPECT_GE(end, 2990);
    EXPECT_LE(end, 2999);
}

TEST_F(WaveFileTest, PauseLevelIsLogarithmicWithThresholdPointThreeNearMinus40Db) {
    auto quiet = [](double dbfs) {
        return vd::clsWaveFile::SampleLevel(std::pow(10.0, dbfs / 20), 16) <= std::llround(65536 * 0.3);
    };
    EXPECT_TRUE(quiet(-60));
    EXPECT_TRUE(quiet(-41));
    EXPECT_FALSE(quiet(-39));
    EXPECT_FALSE(quiet(-20));
    EXPECT_EQ(vd::clsWaveFile::SampleLevel(1.0, 16), 65536);
    EXPECT_EQ(vd::clsWaveFile::SampleLevel(0.0, 8), 0);
    EXPECT_LT(vd::clsWaveFile::SampleLevel(0.01, 16), vd::clsWaveFile::SampleLevel(0.1, 16));
}

// Sentences spoken by a speech synthesiser, joined with pauses and a little
// background hiss: every pause is found between the sentences, none inside.
TEST_F(WaveFileTest, PauseLocateSplitsRealSpeechBetweenSentencesOnly) {
    const QStringList sentences = {
        QStringLiteral("The patient was seen today for a follow up visit."),
        QStringLiteral("Blood pressure is one hundred twenty over eighty."),
        QStringLiteral("She reports no chest pain and no shortness of breath."),
        QStringLiteral("Continue the current medication and return in three months.")};
    std::vector<qint16> joined;
    std::vector<std::pair<qint64, qint64>> speech; // first and last loud frame of each sentence
    int rate = 0;
    const int gapMs = 700;
    quint32 noise = 12345;
    auto hiss = [&] {
        noise = noise * 1664525u + 1013904223u;
        return qint16(int(noise >> 24) % 7 - 3); // about -80 dBFS
    };
    for (int i = 0; i < sentences.size(); ++i) {
        const QString file = path(QStringLiteral("s%1.wav").arg(i));
        QProcess espeak;
        espeak.start(QStringLiteral("espeak-ng"), {QStringLiteral("-w"), file, sentences[i]});
        ASSERT_TRUE(espeak.waitForFinished(60000)) << "espeak-ng is needed (scripts/packages/audio.list)";
        ASSERT_EQ(espeak.exitCode(), 0);
        clsWaveFile w;
        ASSERT_TRUE(w.FileRead(file));
        ASSERT_EQ(w.RecordingSampleSize(), 16);
        rate = w.RecordingSampleRate();
        const std::vector<qint16> s = samples16(w.SampleData());
        qint64 first = -1, last = -1;
        for (std::size_t k = 0; k < s.size(); ++k)
            if (std::abs(s[k]) > 1000) {
                if (first < 0) first = qint64(k);
                last = qint64(k);
            }
        ASSERT_GE(first, 0);
        speech.push_back({qint64(joined.size()) + first, qint64(joined.size()) + last});
        for (qint16 v : s)
            joined.push_back(qint16(std::clamp(v + hiss(), -32768, 32767)));
        if (i + 1 < sentences.size())
            for (int k = 0; k < rate * gapMs / 1000; ++k)
                joined.push_back(hiss());
    }
    clsWaveFile all = load(waveBytes(rate, 1, 16, pcm16(joined)), "speech.wav");
    std::vector<qint64> cuts;
    for (qint64 at = 0;;) {
        const qint64 cut = all.WavePauseLocate(at, 300, 0.3f);
        if (cut < 0) break;
        cuts.push_back(cut);
        at = cut + 1;
    }
    // The synthesiser's own trailing silence ends the data inside a pause: the
    // last frame is then the last cut.
    ASSERT_FALSE(cuts.empty());
    if (cuts.back() > speech.back().second) {
        EXPECT_EQ(cuts.back(), all.RecordingTotalSamples() - 1);
        cuts.pop_back();
    }
    ASSERT_EQ(cuts.size(), std::size_t(sentences.size() - 1));
    for (std::size_t i = 0; i < cuts.size(); ++i) {
        EXPECT_GT(cuts[i], speech[i].second) << "cut " << i << " inside sentence " << i;
        EXPECT_LT(cuts[i], speech[i + 1].first) << "cut " << i << " inside sentence " << i + 1;
    }
}

namespace {
// The search written frame by frame, straight from its definition.
qint64 referencePauseLocate(const clsWaveFile& w, qint64 start, double pauseMs, float threshold) {
    threshold = std::clamp(threshold, 0.0f, 1.0f);
    const int bits = w.RecordingSampleSize(), n = bits / 8, bps = w.BytesPerSample();
    const qint64 limit = std::llround(std::ldexp(1.0, bits) * threshold);
    const qint64 minimum = qint64(std::nearbyint(pauseMs * w.RecordingSampleRate())) / 1000;
    const QByteArray& d = w.SampleData();
    if (start >= w.RecordingDataSize() / bps) return -1;
    auto level = [&](qint64 at) {
        const double m =
            n == 1 ? std::abs(int(uchar(d[int(at)])) - 128) / 128.0
                   : std::abs(int(qint16(quint16(uchar(d[int(at)]) | uchar(d[int(at + 1)]) << 8)))) / 32768.0;
        return clsWaveFile::SampleLevel(m, short(bits));
    };
    qint64 quiet = 0, result = -1;
    for (qint64 p = qint64(bps) * start + 1; p <= d.size(); p += bps) {
        qint64 l = level(p - 1);
        if (w.RecordingChannels() >= 2) l = std::max(l, level(p - 1 + n));
        if (l <= limit) {
            result = p / bps;
            ++quiet;
        } else if (quiet != 0) {
            if (quiet >= minimum) return result;
            quiet = 0;
            result = -1;
        }
    }
    return quiet < minimum ? -1 : result;
}
} // namespace

// The run-by-run search gives what the frame-by-frame definition gives, in
// every format, for random quiet and loud stretches, starts and settings.
TEST_F(WaveFileTest, PauseLocateAgreesWithTheFrameByFrameDefinition) {
    quint32 seed = 2024;
    auto next = [&](quint32 range) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % range;
    };
    for (int bits : {8, 16})
        for (int channels : {1, 2}) {
            QByteArray data;
            const int frames = 20000;
            bool loud = false;
            for (int f = 0; f < frames;) {
                const int run = 1 + int(next(loud ? 300 : 900));
                for (int k = 0; k < run && f < frames; ++k, ++f)
                    for (int c = 0; c < channels; ++c) {
                        const int magnitude = loud && (c == 0 || next(2)) ? int(next(bits == 8 ? 120 : 30000))
                                                                          : int(next(bits == 8 ? 2 : 200));
                        const int v = next(2) ? magnitude : -magnitude;
                        if (bits == 8)
                            data.append(char(uchar(128 + std::clamp(v, -128, 127))));
                        else
                            put16(data, quint16(qint16(v)));
                    }
                loud = !loud;
            }
            clsWaveFile w = load(waveBytes(8000, channels, bits, data));
            for (int trial = 0; trial < 60; ++trial) {
                const qint64 start = next(frames + 10);
                const double pause = next(120);
                const float threshold = float(next(1000)) / 1000.0f;
                ASSERT_EQ(w.WavePauseLocate(start, pause, threshold),
                          referencePauseLocate(w, start, pause, threshold))
                    << bits << " bits, " << channels << " channels, start " << start << ", pause " << pause
                    << ", threshold " << threshold;
            }
        }
}

TEST_F(WaveFileTest, SaveWritesTheHeadersAsTheyStand) {
    // An 18-byte format chunk: the data header follows it, and the two extra
    // body bytes (not modelled) are written as zero.
    QByteArray bytes = waveBytes(8000, 1, 8, QByteArray("xyz"));
    bytes[16] = char(18);
    bytes.insert(36, QByteArray("\x07\x07", 2));
    bytes[4] = char(bytes[4] + 2);
    clsWaveFile w = load(bytes);
    EXPECT_EQ(w.SampleData(), QByteArray("xyz"));
    EXPECT_TRUE(w.FileSave(path("out.wav")));
    QByteArray expected = bytes;
    expected[36] = 0;
    expected[37] = 0;
    EXPECT_EQ(readFile(path("out.wav")), expected);

    // A RIFF size too small for the chunks is refused and logged.
    w.setFileSize(20);
    EXPECT_FALSE(w.FileSave(path("small.wav")));
    ASSERT_EQ(utils.log.size(), 1);
    EXPECT_TRUE(utils.log[0].startsWith(
        QStringLiteral("VantorDictation4 - Wave File Class \u2013 FileSave \u2013 '")));
    EXPECT_FALSE(QFile::exists(path("small.wav")));
}
