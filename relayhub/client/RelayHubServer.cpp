#include "RelayHubServer.h"

#include "Transport.h"
#include "hub/Hub.h"
#include "hub/Reference.h"
#include "protocol/Protocol.h"
#include "store/Store.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>
#include <QUuid>

#include <httplib.h>

namespace relayhub {
namespace {

class EmbeddedTransport final : public Transport {
public:
    EmbeddedTransport(const QString& path, const QString& session)
        : m_store([path] { return SqliteConnect(path); }, 1), m_hub(m_store) {
        m_caller.user = qEnvironmentVariable("USER", QStringLiteral("local"));
        // One workstation, one user at the keyboard: every role.
        m_caller.roles = {QStringLiteral("author"), QStringLiteral("transcriptionist"),
                          QStringLiteral("admin")};
        m_caller.session = session;
    }
    Store& store() { return m_store; }
    bool request(const QString& request, QString& answer, QString&) override {
        answer = m_hub.process(request, m_caller);
        return true;
    }
    bool blocks(const QString& request, QStringList& blocks, QString&) override {
        blocks = m_hub.processBlocks(request, m_caller);
        return true;
    }

private:
    Store m_store;
    Hub m_hub;
    Caller m_caller;
};

class HttpTransport final : public Transport {
public:
    HttpTransport(const QUrl& url, const QString& user, const QString& password, int connectMs, int requestMs,
                  const QString& caFile, const QString& session)
        : m_client(url.toString(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveUserInfo).toStdString()),
          m_prefix(url.path().endsWith(QLatin1Char('/')) ? url.path().chopped(1).toStdString()
                                                         : url.path().toStdString()) {
        m_client.set_keep_alive(true);
        m_client.set_tcp_nodelay(true);
        m_client.set_connection_timeout(std::chrono::milliseconds(connectMs));
        m_client.set_read_timeout(std::chrono::milliseconds(requestMs));
        m_client.set_write_timeout(std::chrono::milliseconds(requestMs));
        if (!user.isEmpty()) m_client.set_basic_auth(user.toStdString(), password.toStdString());
        if (!caFile.isEmpty()) m_client.set_ca_cert_path(caFile.toStdString());
        m_headers = {{"X-RelayHub-Session", session.toStdString()}};
    }
    bool request(const QString& request, QString& answer, QString& error) override {
        std::string body;
        if (!post("/relayhub/v1/request", request, body, error)) return false;
        answer = WireDecode(body.data(), qsizetype(body.size()));
        return true;
    }
    bool blocks(const QString& request, QStringList& blocks, QString& error) override {
        std::string body;
        if (!post("/relayhub/v1/blocks", request, body, error)) return false;
        QJsonParseError parseError;
        const QJsonDocument doc = QJsonDocument::fromJson(
            QByteArray::fromRawData(body.data(), qsizetype(body.size())), &parseError);
        if (!doc.isArray()) {
            error = QStringLiteral("the blocks answer is not a JSON array");
            return false;
        }
        blocks.clear();
        for (const QJsonValue& v : doc.array())
            blocks << v.toString();
        return true;
    }

private:
    bool post(const char* path, const QString& request, std::string& body, QString& error) {
        const QByteArray utf8 = WireEncode(request);
        auto result = m_client.Post((m_prefix + path).c_str(), m_headers, utf8.constData(),
                                    size_t(utf8.size()), "text/plain; charset=utf-8");
        if (!result) {
            error = QStringLiteral("no answer: %1")
                        .arg(QString::fromStdString(httplib::to_string(result.error())));
            return false;
        }
        if (result->status != 200) {
            error = QStringLiteral("HTTP status %1").arg(result->status);
            return false;
        }
        body = std::move(result->body);
        return true;
    }

    httplib::Client m_client;
    std::string m_prefix;
    httplib::Headers m_headers;
};

} // namespace
} // namespace relayhub

using namespace relayhub;

RelayHubServer::RelayHubServer(QObject* parent)
    : ServerRequestComponent(parent), m_session(QUuid::createUuid().toString(QUuid::WithoutBraces)) {}

RelayHubServer::~RelayHubServer() = default;

bool RelayHubServer::OpenEmbedded(const QString& strDatabasePath, bool blnLoadDemoData) {
    try {
        m_transport.reset();
        const bool existed = QFileInfo::exists(strDatabasePath);
        auto embedded = std::make_unique<EmbeddedTransport>(strDatabasePath, m_session);
        embedded->store().migrate();
        if (blnLoadDemoData && !existed) {
            const QString error = ReferenceImport(embedded->store(), DemoDataJson().toUtf8());
            if (!error.isEmpty()) {
                m_lastError = error;
                return false;
            }
        }
        m_transport = std::move(embedded);
        return true;
    } catch (const std::exception& e) {
        m_lastError = QString::fromUtf8(e.what());
        return false;
    }
}

bool RelayHubServer::ConnectHttp(const QString& strBaseUrl, const QString& strUser,
                                 const QString& strPassword, int lngConnectTimeoutMs,
                                 int lngRequestTimeoutMs) {
    try {
        m_transport.reset();
        const QUrl url(strBaseUrl);
        if (!url.isValid() ||
            (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
            m_lastError = QStringLiteral("not an http or https URL: %1").arg(strBaseUrl);
            return false;
        }
        m_transport = std::make_unique<HttpTransport>(url, strUser, strPassword, lngConnectTimeoutMs,
                                                      lngRequestTimeoutMs, m_caFile, m_session);
        return true;
    } catch (const std::exception& e) {
        m_lastError = QString::fromUtf8(e.what());
        return false;
    }
}

void RelayHubServer::TlsCaFileSet(const QString& strCaFile) { m_caFile = strCaFile; }

// Both operations share one path: no exception leaves, a failure is false
// with its reason in LastError().
template <class Call> bool RelayHubServer::guardedCall(QString& strInfo, Call call) {
    try {
        strInfo.clear();
        if (!m_transport) {
            m_lastError = QStringLiteral("no hub is configured");
            return false;
        }
        return call(*m_transport);
    } catch (const std::exception& e) {
        m_lastError = QString::fromUtf8(e.what());
        return false;
    } catch (...) {
        m_lastError = QStringLiteral("unknown failure");
        return false;
    }
}

bool RelayHubServer::RequestProcessBlocks(const QString& strRequest, QStringList& arrstrBlocks,
                                          const QString&, QString& strInfo) {
    return guardedCall(
        strInfo, [&](relayhub::Transport& t) { return t.blocks(strRequest, arrstrBlocks, m_lastError); });
}

bool RelayHubServer::RequestProcess(const QString& strRequest, QString& strResponse, const QString&,
                                    QString& strInfo) {
    return guardedCall(
        strInfo, [&](relayhub::Transport& t) { return t.request(strRequest, strResponse, m_lastError); });
}
