#include "clsWaveFile.h"

#include "common/ErrorGuard.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace vd {

namespace {
constexpr const char* kModule = "Wave File Class";

quint32 u32(const QByteArray& b, int at) {
    if (at < 0 || at + 4 > b.size()) return 0;
    const auto* p = reinterpret_cast<const uchar*>(b.constData()) + at;
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}
quint16 u16(const QByteArray& b, int at) {
    if (at < 0 || at + 2 > b.size()) return 0;
    const auto* p = reinterpret_cast<const uchar*>(b.constData()) + at;
    return quint16(p[0] | p[1] << 8);
}
void put32(QByteArray& b, int at, quint32 v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}
void put16(QByteArray& b, int at, quint16 v) {
    b[at] = char(v & 0xFF);
    b[at + 1] = char(v >> 8);
}

// Raw magnitude of one channel sample of n bytes, as a fraction of full scale:
// 8-bit samples are unsigned around 128, wider ones signed little-endian.
inline quint32 rawMagnitude(const uchar* p, int n) {
    if (n == 1) return quint32(std::abs(int(p[0]) - 128));
    if (n == 2) return quint32(std::abs(int(qint16(quint16(p[0] | p[1] << 8)))));
    qint64 v = 0;
    for (int i = 0; i < n && i < 8; ++i)
        v |= qint64(p[i]) << (8 * i);
    const int bits = std::min(n, 8) * 8;
    if (bits < 64 && (v >> (bits - 1)) & 1) v -= qint64(1) << bits;
    return quint32(std::min<quint64>(quint64(v < 0 ? -v : v) >> std::max(0, bits - 32), 0xFFFFFFFFu));
}
} // namespace

clsWaveFile::clsWaveFile() {
    m_riff = QByteArray("RIFF\0\0\0\0WAVE", 12);
    put32(m_riff, 4, 36);
    m_format = QByteArray(24, '\0');
    std::memcpy(m_format.data(), "fmt ", 4);
    put32(m_format, 4, 16);
    put16(m_format, 8, 1);
    put16(m_format, 10, 1);
    put32(m_format, 12, 11025);
    put32(m_format, 16, 16 / 8 * 11025);
    put16(m_format, 20, 2);
    put16(m_format, 22, 16);
    m_dataHeader = QByteArray("data\0\0\0\0", 8);
}

bool clsWaveFile::IsValid() const { return m_valid; }
qint64 clsWaveFile::TotalFileSize() const { return FileSize() + 8; }
qint64 clsWaveFile::FileSize() const { return u32(m_riff, 4); }
QString clsWaveFile::FileName() const { return m_fileName; }
short clsWaveFile::RecordingChannels() const { return short(u16(m_format, 10)); }
qint32 clsWaveFile::RecordingSampleRate() const { return qint32(u32(m_format, 12)); }
short clsWaveFile::RecordingSampleSize() const { return short(u16(m_format, 22)); }
qint32 clsWaveFile::RecordingDataSize() const { return qint32(u32(m_dataHeader, 4)); }
qint32 clsWaveFile::formatChunkSize() const { return qint32(u32(m_format, 4)); }

void clsWaveFile::setFileSize(qint64 value) { put32(m_riff, 4, quint32(value)); }
void clsWaveFile::setFileName(const QString& value) { m_fileName = value; }
void clsWaveFile::setRecordingDataSize(qint32 value) { put32(m_dataHeader, 4, quint32(value)); }
void clsWaveFile::setRiffHeader(const QByteArray& value) {
    if (value.size() == 12) m_riff = value;
}
void clsWaveFile::setFormatChunk(const QByteArray& value) {
    if (value.size() == 24) m_format = value;
}
void clsWaveFile::setDataChunkHeader(const QByteArray& value) {
    if (value.size() == 8) m_dataHeader = value;
}
bool clsWaveFile::HasSampleData() const { return RecordingDataSize() >= 1; }

bool clsWaveFile::FileRead(const QString& strFileName) {
    bool result = false;
    ErrorGuard({kModule, "FileRead"}, [&] {
        m_valid = false;
        m_fileName = strFileName;
        QFile file(strFileName);
        if (strFileName.isEmpty() || !file.exists()) return;
        if (!file.open(QIODevice::ReadOnly))
            throw Failure(QStringLiteral("Permission denied: ") + file.errorString());
        const QByteArray bytes = file.readAll();
        if (bytes.size() < 12 || std::memcmp(bytes.constData(), "RIFF", 4) != 0 ||
            std::memcmp(bytes.constData() + 8, "WAVE", 4) != 0)
            return;
        if (bytes.size() < 36) throw Failure(QStringLiteral("Input past end of file"));
        const QByteArray format = bytes.mid(12, 24);
        const qint64 dataHeaderAt = 20 + qint64(u32(format, 4));
        if (dataHeaderAt + 8 > bytes.size()) throw Failure(QStringLiteral("Input past end of file"));
        const QByteArray dataHeader = bytes.mid(int(dataHeaderAt), 8);
        const qint32 dataSize = qint32(u32(dataHeader, 4));
        QByteArray data;
        if (dataSize >= 1) {
            if (dataHeaderAt + 8 + dataSize > bytes.size())
                throw Failure(QStringLiteral("Input past end of file"));
            data = bytes.mid(int(dataHeaderAt + 8), dataSize);
        }
        m_riff = bytes.left(12);
        m_format = format;
        m_dataHeader = dataHeader;
        m_data = data;
        m_valid = true;
        result = true;
    });
    return result;
}

bool clsWaveFile::FileSave(const QString& strFileName) {
    bool result = false;
    ErrorGuard({kModule, "FileSave"}, [&] {
        const qint64 total = TotalFileSize();
        const qint64 dataHeaderAt = 20 + qint64(formatChunkSize());
        const qint64 dataSize = std::max<qint64>(0, RecordingDataSize());
        const qint64 copied = std::min<qint64>(dataSize, m_data.size());
        if (total > std::numeric_limits<int>::max()) throw Failure(QStringLiteral("Out of memory"));
        if (dataHeaderAt + 8 + copied > total || dataHeaderAt < 36)
            throw Failure(QStringLiteral("Subscript out of range"));
        QByteArray buffer(int(total), '\0');
        std::memcpy(buffer.data(), m_riff.constData(), 12);
        std::memcpy(buffer.data() + 12, m_format.constData(), 24);
        std::memcpy(buffer.data() + dataHeaderAt, m_dataHeader.constData(), 8);
        if (copied > 0) std::memcpy(buffer.data() + dataHeaderAt + 8, m_data.constData(), size_t(copied));
        QString target = strFileName;
        if (target.isEmpty()) target = m_fileName;
        if (target.isEmpty()) target = QStringLiteral("Recording.wav");
        QFile file(target);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw Failure(QStringLiteral("Path/File access error: ") + file.errorString());
        if (file.write(buffer) != buffer.size())
            throw Failure(QStringLiteral("Device I/O error: ") + file.errorString());
        result = true;
    });
    return result;
}

clsWaveFile clsWaveFile::WaveSegment(const QString& strFileName, qint64 lngStartSample,
                                     qint64 lngEndSample) const {
    clsWaveFile segment;
    ErrorGuard({kModule, "WaveSegment"}, [&] {
        segment.m_fileName = strFileName;
        segment.m_riff = m_riff;
        segment.m_format = m_format;
        segment.m_dataHeader = m_dataHeader;
        const qint64 bps = BytesPerSample();
        if (bps <= 0) throw Failure(QStringLiteral("Division by zero"));
        const qint64 dataSize = RecordingDataSize();
        const qint64 frames = dataSize / bps;
        qint64 startByte = 1;
        if (lngStartSample > 1) startByte = lngStartSample < frames ? bps * lngStartSample + 1 : dataSize;
        const qint64 endByte =
            (lngEndSample == -1 || lngEndSample >= frames) ? dataSize : bps * lngEndSample + 1;
        const qint64 count = endByte - startByte + 1;
        if (count >= 1) {
            if (startByte < 1 || endByte > m_data.size())
                throw Failure(QStringLiteral("Subscript out of range"));
            segment.m_data = m_data.mid(int(startByte - 1), int(count));
        }
        segment.setRecordingDataSize(qint32(count));
        segment.setFileSize(count + formatChunkSize() + 20);
    });
    return segment;
}

qint64 clsWaveFile::SampleLevel(double magnitude, short bitsPerSample) {
    const double full = std::ldexp(1.0, bitsPerSample);
    if (!(magnitude > 0)) return 0;
    const double db = 20.0 * std::log10(std::min(magnitude, 1.0));
    return qint64(std::llround(full * std::clamp(1.0 - db / kPauseLevelFloorDb, 0.0, 1.0)));
}

qint64 clsWaveFile::WavePauseLocate(qint64 lngStartSample, double dblPauseMilliseconds,
                                    float sngThreshold) const {
    qint64 result = -1;
    ErrorGuard({kModule, "WavePauseLocate"}, [&] {
        const float threshold = std::clamp(sngThreshold, 0.0f, 1.0f);
        const short bits = RecordingSampleSize();
        if (bits <= 0 || bits > 32) throw Failure(QStringLiteral("Invalid procedure call or argument"));
        const qint64 limit = std::llround(std::ldexp(1.0, bits) * double(threshold));
        const double quietProduct = std::nearbyint(dblPauseMilliseconds * RecordingSampleRate());
        if (!std::isfinite(quietProduct) || std::fabs(quietProduct) > 9e18)
            throw Failure(QStringLiteral("Overflow"));
        const qint64 minimumQuiet = qint64(quietProduct) / 1000;
        const int n = bits / 8;
        const qint64 bps = BytesPerSample();
        if (bps <= 0 || n <= 0) throw Failure(QStringLiteral("Division by zero"));
        const qint64 dataSize = std::min<qint64>(RecordingDataSize(), m_data.size());
        if (lngStartSample >= RecordingDataSize() / bps) return;
        if (lngStartSample < 0) throw Failure(QStringLiteral("Subscript out of range"));
        const int fullScaleBits = std::min(n, 4) * 8;
        // The level only grows with the magnitude, so "quiet" is a bound on the
        // raw magnitude, found once instead of a logarithm per sample.
        quint32 lo = 0, hi = fullScaleBits >= 32 ? 0x80000000u : (1u << (fullScaleBits - 1));
        const double scale = std::ldexp(1.0, fullScaleBits - 1);
        if (SampleLevel(0, bits) > limit) {
            hi = 0; // nothing is quiet
        } else {
            while (lo < hi) {
                const quint32 mid = lo + (hi - lo + 1) / 2;
                if (SampleLevel(mid / scale, bits) <= limit)
                    lo = mid;
                else
                    hi = mid - 1;
            }
        }
        const bool anyQuiet = SampleLevel(0, bits) <= limit;
        const quint32 quietMax = lo;
        const bool stereo = RecordingChannels() >= 2 && 2 * n <= bps;
        const qint64 need = stereo ? 2 * n : n; // bytes of a frame that are looked at
        const qint64 end = dataSize >= need ? (dataSize - need) / bps + 1 : 0;
        const auto* data = reinterpret_cast<const uchar*>(m_data.constData());
        auto resultOf = [bps](qint64 frame) { return (bps * frame + 1) / bps; };
        // Any quiet run long enough to count holds one of every minimum-th
        // frame, so only those are probed; the runs around quiet probes are
        // measured exactly. Same answer as visiting every frame, in a
        // fraction of the reads.
        auto locate = [&](auto quietOf) -> qint64 {
            const qint64 stride = std::max<qint64>(minimumQuiet, 1);
            for (qint64 p = lngStartSample; p < end;) {
                if (!quietOf(p)) {
                    p += stride;
                    continue;
                }
                qint64 a = p, b = p + 1;
                while (a > lngStartSample && quietOf(a - 1))
                    --a;
                while (b < end && quietOf(b))
                    ++b;
                if (b - a >= minimumQuiet) return resultOf(b - 1);
                p = b;
            }
            return -1;
        };
        if (!anyQuiet) {
            result = -1;
        } else if (n == 2 && !stereo) {
            result = locate([&](qint64 f) {
                qint16 v;
                std::memcpy(&v, data + bps * f, 2);
                return quint32(std::abs(int(v))) <= quietMax;
            });
        } else if (n == 2) {
            result = locate([&](qint64 f) {
                qint16 v[2];
                std::memcpy(v, data + bps * f, 4);
                return quint32(std::max(std::abs(int(v[0])), std::abs(int(v[1])))) <= quietMax;
            });
        } else if (n == 1) {
            bool quietByte[256];
            for (int b = 0; b < 256; ++b)
                quietByte[b] = quint32(std::abs(b - 128)) <= quietMax;
            if (stereo)
                result = locate(
                    [&](qint64 f) { return quietByte[data[bps * f]] && quietByte[data[bps * f + 1]]; });
            else
                result = locate([&](qint64 f) { return quietByte[data[bps * f]]; });
        } else {
            result = locate([&](qint64 f) {
                const uchar* s = data + bps * f;
                return rawMagnitude(s, n) <= quietMax && (!stereo || rawMagnitude(s + n, n) <= quietMax);
            });
        }
    });
    return result;
}

bool clsWaveFile::WaveAppend(clsWaveFile& objWaveFile) {
    bool result = false;
    ErrorGuard({kModule, "WaveAppend"}, [&] {
        if (!objWaveFile.IsValid()) return;
        if (!m_valid) {
            m_riff = objWaveFile.m_riff;
            m_format = objWaveFile.m_format;
            m_dataHeader = objWaveFile.m_dataHeader;
            m_data = objWaveFile.HasSampleData() ? objWaveFile.m_data : QByteArray();
            m_valid = true;
            result = true;
            return;
        }
        if (RecordingChannels() != objWaveFile.RecordingChannels() ||
            RecordingSampleRate() != objWaveFile.RecordingSampleRate() ||
            RecordingSampleSize() != objWaveFile.RecordingSampleSize() || !objWaveFile.HasSampleData())
            return;
        const qint64 otherSize = objWaveFile.RecordingDataSize();
        if (qint64(m_data.size()) + objWaveFile.m_data.size() > std::numeric_limits<int>::max())
            throw Failure(QStringLiteral("Out of memory"));
        QByteArray joined = m_data.left(std::max(0, RecordingDataSize()));
        joined += objWaveFile.m_data;
        setFileSize(FileSize() + otherSize);
        setRecordingDataSize(qint32(RecordingDataSize() + otherSize));
        m_data = joined;
        m_valid = true;
        result = true;
    });
    return result;
}

bool clsWaveFile::IsDragonValid() const {
    return m_valid && RecordingSampleRate() >= 11025 && RecordingSampleSize() >= 16;
}

qint32 clsWaveFile::BytesPerSample() const { return qint32(RecordingChannels()) * RecordingSampleSize() / 8; }

qint64 clsWaveFile::RecordingTotalSamples() const {
    qint64 result = 0;
    ErrorGuard({kModule, "RecordingTotalSamples"}, [&] {
        const qint32 bps = BytesPerSample();
        if (bps != 0) result = qint64(std::nearbyint(double(RecordingDataSize()) / bps));
    });
    return result;
}

double clsWaveFile::RecordingTotalSeconds() const {
    double result = 0;
    ErrorGuard({kModule, "RecordingTotalSeconds"}, [&] {
        if (RecordingSampleRate() != 0) result = double(RecordingTotalSamples()) / RecordingSampleRate();
    });
    return result;
}

} // namespace vd
