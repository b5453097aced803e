#pragma once
// The in-memory model of one PCM RIFF/WAVE file: read whole, asked about its
// format and length, cut, searched for pauses, appended to and written back.
// The three headers are kept byte for byte as they stand in the file, so a
// file is written back exactly as it was read (sizes are only recomputed by
// WaveSegment and WaveAppend, byte rate and block align never).

#include <QByteArray>
#include <QString>

namespace vd {

class clsWaveFile {
public:
    clsWaveFile();

    bool IsValid() const;
    qint64 TotalFileSize() const;
    qint64 FileSize() const;
    QString FileName() const;
    short RecordingChannels() const;
    qint32 RecordingSampleRate() const;
    short RecordingSampleSize() const;
    qint32 RecordingDataSize() const;

    bool FileRead(const QString& strFileName);
    bool FileSave(const QString& strFileName = QString());
    clsWaveFile WaveSegment(const QString& strFileName, qint64 lngStartSample, qint64 lngEndSample) const;
    qint64 WavePauseLocate(qint64 lngStartSample, double dblPauseMilliseconds, float sngThreshold) const;
    bool WaveAppend(clsWaveFile& objWaveFile);
    bool IsDragonValid() const;
    qint32 BytesPerSample() const;
    qint64 RecordingTotalSamples() const;
    double RecordingTotalSeconds() const;

    // Component-internal access.
    void setFileSize(qint64 value);
    void setFileName(const QString& value);
    void setRecordingDataSize(qint32 value);
    QByteArray RiffHeader() const { return m_riff; }
    void setRiffHeader(const QByteArray& value);
    QByteArray FormatChunk() const { return m_format; }
    void setFormatChunk(const QByteArray& value);
    QByteArray DataChunkHeader() const { return m_dataHeader; }
    void setDataChunkHeader(const QByteArray& value);
    const QByteArray& SampleData() const { return m_data; }
    void setSampleData(const QByteArray& value) { m_data = value; }
    bool HasSampleData() const;

    // The level WavePauseLocate compares with 2^bits × threshold: the sample's
    // magnitude on a logarithmic scale, 2^bits at full scale and 0 at or below
    // kPauseLevelFloorDb, so that the threshold 0.3 sits at -40 dBFS.
    static constexpr double kPauseLevelFloorDb = -400.0 / 7.0;
    static qint64 SampleLevel(double magnitude, short bitsPerSample);

private:
    qint32 formatChunkSize() const;

    bool m_valid = false;
    QString m_fileName;
    QByteArray m_riff;
    QByteArray m_format;
    QByteArray m_dataHeader;
    QByteArray m_data;
};

} // namespace vd
