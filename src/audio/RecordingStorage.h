#pragma once
// Stores a recording on the server and reads it back: the 36-field header,
// the audio (FLAC-compressed where it applies) and the text, each carried in
// numbered pieces through the server request component. Every failed
// request asks the user whether to retry.

#include "common/RecordingData.h"

#include <QStringList>

namespace vd {

constexpr int kPieceSize = 8000;

// The 36 stored header fields of a recording.
QStringList HeaderFieldsBuild(const RecordingData& data, double lengthSeconds, qint32 textLength);
// Applies an answer split at "|": element 0 the name, then the 36 fields;
// missing fields take their defaults. Returns the stored text length.
qint32 HeaderFieldsApply(RecordingData& data, const QStringList& answer, const QString& userName);

// Cuts bytes into pieces of 8000, each as text with one character per byte.
QStringList AudioPieces(const QByteArray& bytes);
// Joins the payload of download blocks beginning "|OK||".
QString BlocksJoin(const QStringList& blocks);

enum class SaveMode { Full = 0, HeaderUpdate = 1 };
enum class ReadMode { All = 1, HeaderOnly = 2, AudioAndText = 3 };
enum class ReadOutcome { Succeeded, Failed, FailedResetData };

struct SaveOptions {
    double lengthSeconds = 0; // header field 11
    bool disableCompression = false;
};

// Returns the recording name, or empty when the user declined a retry or
// there is no server component.
QString DatabaseRecordingSave(SaveMode mode, RecordingData& data, const SaveOptions& options);
// Reads into data; the downloaded audio becomes a new temporary wave file.
ReadOutcome DatabaseRecordingRead(const QString& name, ReadMode mode, RecordingData& data,
                                  const QString& userName);

} // namespace vd
