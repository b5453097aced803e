#pragma once
// The RelayHub request dispatcher: one handler per request family, answers
// in the forms the control reads. Never throws: a storage failure or a bad
// request becomes an "ERROR:" answer.

#include "store/Store.h"

#include <QString>
#include <QStringList>

namespace relayhub {

enum class Role { Author, Transcriptionist, Admin };

// Who sends a request. An embedded hub runs with every role.
struct Caller {
    QString user;
    QStringList roles; // "author", "transcriptionist", "admin"
    QString session;   // client session for list cursors and file transfers
    bool hasRole(const char* role) const;
};

struct HubOptions {
    int listPageSize = 200;         // rows per dictation list page
    int downloadBlockChars = 64000; // characters per download block
    int cursorSeconds = 300;        // a list cursor older than this starts afresh
    int profileBlockBytes = 32000;  // bytes per speech-profile "READ" answer
};

// Request family and outcome, for logging and metrics.
struct RequestInfo {
    QString verb, family, name;
    QString outcome = QStringLiteral("ok"); // "ok", "refused", "error"
};

class Hub {
public:
    explicit Hub(Store& store, HubOptions options = {});

    QString process(const QString& request, const Caller& caller, RequestInfo* info = nullptr);
    QStringList processBlocks(const QString& request, const Caller& caller, RequestInfo* info = nullptr);

    // The colour table served when none was imported.
    static QStringList defaultColors();
    Store& store() { return m_store; }

private:
    QString dispatch(const QString& request, const Caller& caller, RequestInfo& info);
    QStringList dispatchBlocks(const QString& request, const Caller& caller, RequestInfo& info);

    QString recordingHeaderStore(const QStringList& f, const Caller& caller, RequestInfo& info);
    QString recordingPiece(const QString& request, const Caller& caller, RequestInfo& info);
    QString recordingHeaderRead(const QStringList& f, const Caller& caller, RequestInfo& info);
    QStringList recordingDownload(const QStringList& f, const Caller& caller, RequestInfo& info);
    QString nextDictation(const QStringList& f, const Caller& caller, RequestInfo& info);
    QStringList listPage(const QString& request, const QStringList& f, const Caller& caller);
    QString statusChange(const QStringList& f, const Caller& caller, RequestInfo& info);
    QString workflow(const QStringList& f);
    QString workflowHistory(const QStringList& f);
    QString trackingTypes();
    QString worklist(const QStringList& f);
    QString colors();
    QString profileFiles(const QString& request, const Caller& caller);

    Store& m_store;
    HubOptions m_options;
};

// Parses the selection fields shared by the next-dictation and list requests.
Selection SelectionParse(const QString& sort, const QString& author, const QString& priority,
                         const QString& archive, const QString& excluded, const QString& search = QString(),
                         const QString& column = QString());

} // namespace relayhub
