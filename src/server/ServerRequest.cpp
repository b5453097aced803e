#include "ServerRequest.h"

#include "common/ErrorGuard.h"
#include "common/ProcessState.h"
#include "common/StringProcedures.h"
#include "services/VantorMessage.h"

#include "protocol/Protocol.h"

#include <VantorDictation4/HostComponents.h>

namespace vd {

namespace {
const QString kGet = QStringLiteral("GET"), kSet = QStringLiteral("SET"), kAudio = QStringLiteral("AUDIO"),
              kDictation = QStringLiteral("DICTATION"), kFile = QStringLiteral("FILE");
} // namespace

bool ResponseIsError(const QString& response) { return relayhub::AnswerIsRefusal(response); }

QString RequestPriorityField(qint16 priority) {
    return priority == 0 ? QStringLiteral("*") : QString::number(priority);
}

QString RequestNextDictation(const QString& sort, const QString& author, qint16 priority,
                             const QString& excluded) {
    return relayhub::RequestBuild({kGet, kAudio, kDictation, QStringLiteral("NEXT"), sort, author,
                                   RequestPriorityField(priority), QStringLiteral("N"), excluded});
}

QString RequestDictationList(const QString& sort, const QString& author, qint16 priority, bool archive,
                             const QString& excluded, const QString& search) {
    return relayhub::RequestBuild({kGet, kAudio, kDictation, QStringLiteral("*"), sort, author,
                                   RequestPriorityField(priority), BooleanToString(archive), excluded,
                                   search});
}

QString RequestDictationListSorted(const QString& request, int tableColumn, bool ascending) {
    const int column = tableColumn - 2;
    if (column <= 0 || StringDelimiterCount(request, QStringLiteral("|")) != 10) return request;
    return request + QLatin1Char('|') + QString::number(column) +
           (ascending ? QString() : QStringLiteral("d"));
}

QString RequestStatusChange(const QString& name, const QString& status) {
    return relayhub::RequestBuild({kSet, kAudio, kDictation, name, QStringLiteral("STATUS"), status});
}

QString RequestWorkflowRecords(const QString& key, bool dictated) {
    return relayhub::RequestBuild(
        {kGet, kAudio, kDictation, QStringLiteral("WORKFLOW"), key, BooleanToString(dictated)});
}

QString RequestWorkflowHistory(const QString& key) {
    return relayhub::RequestBuild({kGet, kAudio, kDictation, QStringLiteral("WORKHIST"), key});
}

QString RequestWorkflowCancel(const QString& key) {
    return relayhub::RequestBuild(
        {kGet, kAudio, kDictation, QStringLiteral("WORKFLOW"), key, QStringLiteral("CANCEL")});
}

QString RequestTrackingTypes() {
    return relayhub::RequestBuild({kGet, QStringLiteral("TRAN"), QStringLiteral("INIT")}, true);
}

QString RequestWorklistData(const QString& key) {
    return relayhub::RequestBuild({kGet, QStringLiteral("WORKLIST"), key, QStringLiteral("DATA")});
}

QString RequestColorTable() { return relayhub::RequestBuild({kGet, QStringLiteral("COLOR")}, true); }

QString RequestHeaderStore(const QString& kind, const QString& key, const QStringList& fields) {
    return relayhub::RequestBuild(QStringList{kSet, kAudio, kind, key, QStringLiteral("0")} + fields);
}

QString RequestAudioPiece(const QString& kind, const QString& name, int piece, const QString& data) {
    return relayhub::RequestBuild({kSet, kAudio, kind, name, QString::number(piece), data});
}

QString RequestTextPiece(const QString& name, int piece, const QString& data) {
    return relayhub::RequestBuild({kSet, kAudio, QStringLiteral("RTF"), name, QString::number(piece), data});
}

QString RequestHeaderRead(const QString& kind, const QString& name) {
    return relayhub::RequestBuild({kGet, kAudio, kind, name, QStringLiteral("0")});
}

QString RequestAudioRead(const QString& kind, const QString& name) {
    return relayhub::RequestBuild({kGet, kAudio, kind, name, QStringLiteral("FILE")});
}

QString RequestTextRead(const QString& name) {
    return relayhub::RequestBuild({kGet, kAudio, QStringLiteral("RTF"), name, QStringLiteral("FILE")});
}

QString RequestProfileList() {
    return relayhub::RequestBuild({kGet, kFile, QStringLiteral("*"), QString(), QStringLiteral("DATA")},
                                  true);
}

QString RequestProfileChunkRead(const QString& speaker, int chunk) {
    return relayhub::RequestBuild(
        {kGet, kFile, speaker + QLatin1Char('.') + QString::number(chunk), QString(), QStringLiteral("DATA")},
        true);
}

QString RequestProfileChunkWrite(const QString& speaker, int chunk, const QString& date,
                                 const QString& piece) {
    return relayhub::RequestBuild({kSet, kFile, speaker + QLatin1Char('.') + QString::number(chunk),
                                   QString(), QStringLiteral("DATA")},
                                  true) +
           speaker + QChar(0xE7) + date + QChar(0xE7) + piece;
}

QString RequestProfileFile(const QString& verb, const QString& name, const QString& folder,
                           const QString& operation) {
    return relayhub::RequestBuild({verb, kFile, name, QStringLiteral("Roaming\\") + folder, operation}, true);
}

QString RequestProfileFileWrite(const QString& name, const QString& folder, const QString& block) {
    return relayhub::RequestBuild(
               {kSet, kFile, name, QStringLiteral("Roaming\\") + folder, QStringLiteral("WRITE")}, true) +
           block;
}

void ServerMessageShow(const QString& text) {
    // Server tables load before the control creates its message component:
    // then a message component of its own shows the text.
    if (Slots().message) {
        MessageShow(text);
        return;
    }
    VantorMessage fallback;
    fallback.MessageShow(text, 0, QStringLiteral("Quillmoor"));
}

bool ServerRequestSend(const QString& request, const QString& failureText, QString& payload) {
    bool answered = false;
    payload.clear();
    ErrorGuard({"Global Procedures Module", "ServerRequestSend"}, [&] {
        auto* server = qobject_cast<ServerRequestComponent*>(Slots().relayHubServer.data());
        if (!server) throw Failure(QStringLiteral("Object variable or With block variable not set"));
        QString response, info;
        if (!server->RequestProcess(request, response, QString(), info)) {
            if (!failureText.isEmpty()) ServerMessageShow(failureText);
            return;
        }
        if (ResponseIsError(response)) {
            if (!failureText.isEmpty())
                ServerMessageShow(failureText + QStringLiteral(" '") + StringMid(response, 7, 0) +
                                  QStringLiteral("'"));
            return;
        }
        payload = response;
        answered = true;
    });
    return answered;
}

} // namespace vd
