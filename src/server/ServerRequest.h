#pragma once
// Client side of the request protocol: the request catalogue, the single
// answer exchange with its failure texts, and answer reading.

#include <QString>
#include <QStringList>

namespace vd {

// A refusal: the trimmed, upper-cased answer begins with "ERROR:".
bool ResponseIsError(const QString& response);

// The request catalogue. Fields are inserted as they stand: no escaping.
QString RequestPriorityField(qint16 priority); // "*" for 0
QString RequestNextDictation(const QString& sort, const QString& author, qint16 priority,
                             const QString& excluded);
// Ten separators; RequestDictationListSorted adds the column field.
QString RequestDictationList(const QString& sort, const QString& author, qint16 priority, bool archive,
                             const QString& excluded, const QString& search);
// Appends the column (table column k minus 2) and "d" when descending, but
// only when k - 2 is above 0 and the request holds exactly ten separators.
QString RequestDictationListSorted(const QString& request, int tableColumn, bool ascending);
QString RequestStatusChange(const QString& name, const QString& status);
QString RequestWorkflowRecords(const QString& key, bool dictated);
QString RequestWorkflowHistory(const QString& key);
QString RequestWorkflowCancel(const QString& key);
QString RequestTrackingTypes();
QString RequestWorklistData(const QString& key);
QString RequestColorTable();

// Recording storage: kind is "DICTATION" or "PHONE_MESSAGE".
QString RequestHeaderStore(const QString& kind, const QString& key, const QStringList& fields);
QString RequestAudioPiece(const QString& kind, const QString& name, int piece, const QString& data);
QString RequestTextPiece(const QString& name, int piece, const QString& data);
QString RequestHeaderRead(const QString& kind, const QString& name);
QString RequestAudioRead(const QString& kind, const QString& name);
QString RequestTextRead(const QString& name);

// Speech-profile storage.
QString RequestProfileList();
QString RequestProfileChunkRead(const QString& speaker, int chunk);
QString RequestProfileChunkWrite(const QString& speaker, int chunk, const QString& date,
                                 const QString& piece);
// verb "GET" or "SET"; operation "OPEN", "READ" or "CLOSE".
QString RequestProfileFile(const QString& verb, const QString& name, const QString& folder,
                           const QString& operation);
QString RequestProfileFileWrite(const QString& name, const QString& folder, const QString& block);

// Failure texts of the single-answer requests.
namespace failure {
inline const QString NextDictation = QStringLiteral("Error getting next dictation");
inline const QString StatusChange = QStringLiteral("Error updating status");
inline const QString WorkflowRecords = QStringLiteral("Failed to retrieve Workflow records");
inline const QString WorkflowHistory = QStringLiteral("Failed to retrieve Workflow History records");
inline const QString WorkflowCancel = QStringLiteral("Failed to cancel Workflow");
inline const QString DictationList = QStringLiteral("Failed to retrieve Dictation records");
} // namespace failure

// Sends request with RequestProcess. On no answer shows failureText, on a
// refusal failureText, " '", the server's reason and "'" (an empty failure
// text shows nothing); both return false. Otherwise payload is the answer.
bool ServerRequestSend(const QString& request, const QString& failureText, QString& payload);

// Shows a notice through the message component (button code 0, "Quillmoor").
void ServerMessageShow(const QString& text);

} // namespace vd
