#pragma once
// The server request component handed to the dictation control. Two
// transports behind the one interface: HTTP(S) to relayhubd, or the hub
// itself in-process on a SQLite file. No exception leaves a public member;
// a failure is a false result, with the reason in LastError().

#include <VantorDictation4/HostComponents.h>

#include <memory>

namespace relayhub {
class Transport;
}

class RelayHubServer : public ServerRequestComponent {
    Q_OBJECT
public:
    explicit RelayHubServer(QObject* parent = nullptr);
    ~RelayHubServer() override;

    // Embedded: opens (creating when needed) the SQLite file and, when asked
    // and the database is new, loads the demo data set.
    bool OpenEmbedded(const QString& strDatabasePath, bool blnLoadDemoData = false);
    // HTTP(S): base URL such as "http://127.0.0.1:8470" or "https://hub:8471".
    bool ConnectHttp(const QString& strBaseUrl, const QString& strUser, const QString& strPassword,
                     int lngConnectTimeoutMs = 5000, int lngRequestTimeoutMs = 30000);
    // For a self-signed daemon certificate (tests, lab set-ups).
    void TlsCaFileSet(const QString& strCaFile);

    bool RequestProcessBlocks(const QString& strRequest, QStringList& arrstrBlocks, const QString& strData,
                              QString& strInfo) override;
    bool RequestProcess(const QString& strRequest, QString& strResponse, const QString& strData,
                        QString& strInfo) override;

    QString SessionId() const { return m_session; }
    QString LastError() const { return m_lastError; }

private:
    template <class Call> bool guardedCall(QString& strInfo, Call call);

    std::unique_ptr<relayhub::Transport> m_transport;
    QString m_session;
    QString m_lastError;
    QString m_caFile;
};
