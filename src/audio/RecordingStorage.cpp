#include "RecordingStorage.h"

#include "FlacProgram.h"
#include "common/ErrorGuard.h"
#include "common/ProcessState.h"
#include "common/StringProcedures.h"
#include "server/ServerRequest.h"
#include "services/VantorMessage.h"

#include <VantorDictation4/HostComponents.h>

#include <QFile>
#include <QFileInfo>

using namespace VantorDictation4;

namespace vd {

namespace {
constexpr const char* kTitle = "Database save failure";

QString kindOf(const RecordingData& data) {
    return data.type == RecordingType_PhoneMessage ? QStringLiteral("PHONE_MESSAGE")
                                                   : QStringLiteral("DICTATION");
}

ServerRequestComponent& server() {
    auto* s = qobject_cast<ServerRequestComponent*>(Slots().relayHubServer.data());
    if (!s) throw Failure(QStringLiteral("No server request component"));
    return *s;
}

// Asks "question" after every failed attempt; true once the server accepted.
bool sendWithRetry(const QString& text, QString& answer, const char* question) {
    for (;;) {
        QString info;
        answer.clear();
        if (server().RequestProcess(text, answer, QString(), info) && !ResponseIsError(answer)) return true;
        if (MessageShow(QString::fromUtf8(question), 4, QString::fromUtf8(kTitle)) != AnswerYes) return false;
    }
}

bool downloadWithRetry(const QString& text, QString& joined, const char* question) {
    for (;;) {
        QStringList blocks;
        QString info;
        if (server().RequestProcessBlocks(text, blocks, QString(), info) &&
            !(blocks.size() == 1 && ResponseIsError(blocks.first()))) {
            joined = BlocksJoin(blocks);
            return true;
        }
        if (MessageShow(QString::fromUtf8(question), 4, QString::fromUtf8(kTitle)) != AnswerYes) return false;
    }
}

QString withExtension(const QString& path, const QString& extension) {
    const QFileInfo info(path);
    return info.absolutePath() + u'/' + info.completeBaseName() + u'.' + extension;
}

QString field(const QStringList& answer, int number) {
    return number < answer.size() ? answer[number] : QString();
}
bool has(const QStringList& answer, int number) { return number < answer.size(); }

bool textCarried(const RecordingData& data) {
    return data.type == RecordingType_Dictation && (data.dictationType == DictationType_TextOnly ||
                                                    data.dictationType == DictationType_TextAndRecording);
}
} // namespace

QStringList HeaderFieldsBuild(const RecordingData& d, double lengthSeconds, qint32 textLength) {
    return {d.fileStatus,
            FormatDateTime(d.creationDate),
            d.patientAccountNumber,
            d.patientName,
            FormatDate(d.dateOfService),
            d.studyTemplateCode,
            d.description,
            QString::number(int(d.priority)),
            d.fileSource,
            d.author.toUpper(),
            FormatFraction(lengthSeconds),
            FormatDateTime(d.transcriptionStartDate),
            QString::number(d.fileSize),
            QStringLiteral("3.0.0"),
            QString::number(int(d.type)),
            FormatDateTime(d.editDate),
            QString::number(d.ownSamples),
            QString::number(d.ownSampleSize),
            QString::number(d.ownChannels),
            QString(),
            d.transcriptionNote,
            QString(),
            QString(),
            d.fileExtension,
            d.externalKey,
            d.studyCode,
            d.modalityCode,
            BooleanToString(d.studyNormal),
            d.placeOfServiceCode,
            d.placeOfServiceName,
            d.referringPhysicianCode,
            d.referringPhysicianName,
            QString::number(int(d.dictationType)),
            QString::number(textLength),
            d.trackingTypeCode,
            d.trackingEditorCode};
}

qint32 HeaderFieldsApply(RecordingData& d, const QStringList& a, const QString&) {
    d.name = field(a, 0);
    d.fileStatus = has(a, 1) ? field(a, 1) : QStringLiteral("NONE");
    d.creationDate = StringToDate(field(a, 2));
    d.patientAccountNumber = field(a, 3);
    d.patientName = field(a, 4);
    d.dateOfService = StringToDate(field(a, 5));
    d.studyTemplateCode = field(a, 6);
    d.description = field(a, 7);
    d.priority =
        has(a, 8) ? gdenmDictationPriority(StringToLongwordInteger(field(a, 8))) : DictationPriority_Normal;
    d.fileSource = field(a, 9);
    d.author = field(a, 10).toUpper();
    d.lengthSeconds = StringToDoublewordFloat(field(a, 11));
    d.transcriptionStartDate = StringToDate(field(a, 12));
    d.fileSize = StringToLongwordInteger(field(a, 13));
    d.version = has(a, 14) ? field(a, 14) : QStringLiteral("1.0.0");
    d.type = gdenmRecordingType(StringToLongwordInteger(field(a, 15)));
    d.editDate = StringToDate(field(a, 16));
    if (has(a, 17)) d.ownSamples = StringToLongwordInteger(field(a, 17));
    if (has(a, 18)) d.ownSampleSize = StringToInteger(field(a, 18));
    if (has(a, 19)) d.ownChannels = StringToInteger(field(a, 19));
    d.transcriptionNote = field(a, 21);
    d.fileExtension = has(a, 24) ? field(a, 24) : QStringLiteral("WAV");
    d.externalKey = field(a, 25);
    d.studyCode = field(a, 26);
    d.modalityCode = field(a, 27);
    d.studyNormal = StringToBoolean(field(a, 28));
    d.placeOfServiceCode = field(a, 29);
    d.placeOfServiceName = field(a, 30);
    d.referringPhysicianCode = field(a, 31);
    d.referringPhysicianName = field(a, 32);
    d.dictationType =
        has(a, 33) ? gdenmDictationType(StringToLongwordInteger(field(a, 33))) : DictationType_RecordingOnly;
    d.trackingTypeCode = field(a, 35);
    d.trackingEditorCode = field(a, 36);
    d.fileName.clear();
    return StringToLongwordInteger(field(a, 34));
}

QStringList AudioPieces(const QByteArray& bytes) {
    QStringList pieces;
    for (qsizetype at = 0; at < bytes.size(); at += kPieceSize)
        pieces << StringByteArrayToUnicode(bytes.mid(at, kPieceSize));
    return pieces;
}

QString BlocksJoin(const QStringList& blocks) {
    QString joined;
    for (const QString& block : blocks)
        if (block.startsWith(QStringLiteral("|OK||"))) joined += block.mid(5);
    return joined;
}

QString DatabaseRecordingSave(SaveMode mode, RecordingData& d, const SaveOptions& options) {
    QString result;
    ErrorGuard({"Dictation Class", "DatabaseRecordingSave"}, [&] {
        const bool compress =
            d.type == RecordingType_PhoneMessage ||
            (d.type == RecordingType_Dictation && !d.fileName.isEmpty() &&
             (d.dictationType == DictationType_None || d.dictationType == DictationType_RecordingOnly ||
              d.dictationType == DictationType_TextAndRecording) &&
             mode == SaveMode::Full && !options.disableCompression);
        QString audioFile = d.fileName;
        if (compress && QFileInfo::exists(audioFile)) {
            const QString target = withExtension(audioFile, QStringLiteral("FLAC"));
            if (FlacCompress(audioFile, target)) {
                d.fileExtension = QStringLiteral("FLAC");
                audioFile = target;
            }
        } else if (!compress && d.fileExtension.isEmpty()) {
            d.fileExtension = QStringLiteral("WAV");
        }

        QStringList audioPieces;
        if (mode == SaveMode::Full && !audioFile.isEmpty()) {
            QFile file(audioFile);
            if (file.open(QIODevice::ReadOnly)) {
                const QByteArray bytes = file.readAll();
                d.fileSize = qint32(bytes.size());
                audioPieces = AudioPieces(bytes);
            }
        }
        QStringList textPieces;
        qint32 textLength = 0;
        if (textCarried(d)) {
            textLength = qint32(d.textData.size());
            for (qsizetype at = 0; at < d.textData.size(); at += kPieceSize)
                textPieces << d.textData.mid(at, kPieceSize);
        }

        const QString kind = kindOf(d);
        const bool newRecording = d.name.isEmpty();
        const QString key = mode == SaveMode::Full && newRecording ? QStringLiteral("NEXTKEY") : d.name;
        QString answer;
        if (!sendWithRetry(
                RequestHeaderStore(kind, key, HeaderFieldsBuild(d, options.lengthSeconds, textLength)),
                answer, "Failed to save recording header, retry?"))
            return;
        if (key == QStringLiteral("NEXTKEY") && d.name.isEmpty()) d.name = answer;
        for (int i = 0; i < audioPieces.size(); ++i)
            if (!sendWithRetry(RequestAudioPiece(kind, d.name, i + 1, audioPieces[i]), answer,
                               "Failed to save recording data, retry?"))
                return;
        for (int i = 0; i < textPieces.size(); ++i)
            if (!sendWithRetry(RequestTextPiece(d.name, i + 1, textPieces[i]), answer,
                               "Failed to save text data, retry?"))
                return;
        result = d.name;
    });
    return result;
}

ReadOutcome DatabaseRecordingRead(const QString& name, ReadMode mode, RecordingData& d,
                                  const QString& userName) {
    ReadOutcome outcome = ReadOutcome::Failed;
    ErrorGuard({"Dictation Class", "DatabaseRecordingRead"}, [&] {
        qint32 textLength = 0;
        QString kind = kindOf(d);
        if (mode != ReadMode::AudioAndText) {
            QString answer;
            if (!sendWithRetry(RequestHeaderRead(kind, name), answer,
                               "Failed to read recording header, retry?") ||
                answer.isEmpty())
                return;
            textLength = HeaderFieldsApply(d, answer.split(u'|'), userName);
            kind = kindOf(d);
            if (mode == ReadMode::HeaderOnly) {
                outcome = ReadOutcome::Succeeded;
                return;
            }
        }
        QString audio;
        if (!downloadWithRetry(RequestAudioRead(kind, d.name), audio,
                               "Failed to read recording data, retry?"))
            return;
        if (audio.size() != d.fileSize) {
            if (MessageShow(QStringLiteral("Recording length mismatch, continue loading?"), 308,
                            QStringLiteral("Length Mismatch")) != AnswerYes) {
                outcome = ReadOutcome::FailedResetData;
                return;
            }
            d.fileSize = qint32(audio.size());
        }
        if (audio.startsWith(QStringLiteral("RIFF")) && audio.mid(8, 4) == QStringLiteral("WAVE"))
            d.fileExtension = QStringLiteral("WAV");
        else if (audio.startsWith(QStringLiteral("fLaC")))
            d.fileExtension = QStringLiteral("FLAC");
        d.fileName = RecordingTemporaryFileName(d.patientAccountNumber);
        const QString extension = d.fileExtension.isEmpty() ? QStringLiteral("WAV") : d.fileExtension;
        const QString written = withExtension(d.fileName, extension);
        if (!audio.isEmpty()) {
            QFile file(written);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw Failure(file.errorString());
            file.write(StringUnicodeToByteArray(audio));
        }
        if (extension.compare(QStringLiteral("FLAC"), Qt::CaseInsensitive) == 0 &&
            !FlacDecompress(written, d.fileName)) {
            d.name.clear();
            return;
        }
        if (textCarried(d)) {
            QString text;
            if (!downloadWithRetry(RequestTextRead(d.name), text, "Failed to read text data, retry?")) return;
            if (text.size() != textLength &&
                MessageShow(QStringLiteral("Text file length mismatch, continue loading?"), 308,
                            QStringLiteral("Length Mismatch")) != AnswerYes) {
                outcome = ReadOutcome::FailedResetData;
                return;
            }
            d.textData = text;
        }
        d.recordingChanged = false;
        d.headerChanged = false;
        outcome = ReadOutcome::Succeeded;
    });
    return outcome;
}

} // namespace vd
