// relayhubd: the RelayHub dictation server.
//   relayhubd serve [--config FILE] [--listen HOST:PORT] [--database DB] …
//   relayhubd init --database DB
//   relayhubd user-add --database DB NAME ROLE[,ROLE…]   (password on stdin)
//   relayhubd passwd --database DB NAME                   (password on stdin)
//   relayhubd import --database DB FILE.json
//   relayhubd import --database DB --section SECTION FILE.csv
//   relayhubd import-demo --database DB
// DB is a SQLite file path ("sqlite:PATH" also works) or a PostgreSQL URI
// ("postgresql://…") or "postgres:" followed by a libpq connection string.
#include "Metrics.h"
#include "hub/Auth.h"
#include "hub/Hub.h"
#include "hub/Reference.h"
#include "protocol/Protocol.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <httplib.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <thread>

using namespace relayhub;

namespace {

struct Config {
    QString listen = QStringLiteral("127.0.0.1:8470");
    QString database = QStringLiteral("relayhub.db");
    QString tlsCert, tlsKey, portFile;
    int threads = 64;
    int pool = 8;
    int listPageSize = 200;
    int keepAliveSeconds = 5;
    bool logRequests = false;
};

std::mutex g_logMutex;

// One JSON object per line on standard error.
void logLine(const char* level, const QString& message, const QJsonObject& fields = {}) {
    QJsonObject o = fields;
    o.insert(QStringLiteral("ts"), QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
    o.insert(QStringLiteral("level"), QString::fromLatin1(level));
    o.insert(QStringLiteral("msg"), message);
    const QByteArray line = QJsonDocument(o).toJson(QJsonDocument::Compact);
    std::lock_guard lock(g_logMutex);
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

ConnectionFactory factoryFor(const QString& database) {
    if (database.startsWith(QLatin1String("postgresql://")) ||
        database.startsWith(QLatin1String("postgres://")))
        return [database] { return PostgresConnect(database); };
    if (database.startsWith(QLatin1String("postgres:"))) {
        const QString conninfo = database.mid(9);
        return [conninfo] { return PostgresConnect(conninfo); };
    }
    const QString path = database.startsWith(QLatin1String("sqlite:")) ? database.mid(7) : database;
    return [path] { return SqliteConnect(path); };
}

bool readConfigFile(const QString& path, Config& c, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = QStringLiteral("cannot read config %1").arg(path);
        return false;
    }
    int lineNo = 0;
    while (!file.atEnd()) {
        ++lineNo;
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0) {
            error = QStringLiteral("%1:%2: expected key = value").arg(path).arg(lineNo);
            return false;
        }
        const QString key = line.left(eq).trimmed(), value = line.mid(eq + 1).trimmed();
        bool ok = true;
        if (key == QLatin1String("listen"))
            c.listen = value;
        else if (key == QLatin1String("database"))
            c.database = value;
        else if (key == QLatin1String("tls_cert"))
            c.tlsCert = value;
        else if (key == QLatin1String("tls_key"))
            c.tlsKey = value;
        else if (key == QLatin1String("threads"))
            c.threads = value.toInt(&ok);
        else if (key == QLatin1String("database_connections"))
            c.pool = value.toInt(&ok);
        else if (key == QLatin1String("list_page_size"))
            c.listPageSize = value.toInt(&ok);
        else if (key == QLatin1String("keep_alive_seconds"))
            c.keepAliveSeconds = value.toInt(&ok);
        else if (key == QLatin1String("log_requests"))
            c.logRequests = value == QLatin1String("true") || value == QLatin1String("yes");
        else {
            error = QStringLiteral("%1:%2: unknown key \"%3\"").arg(path).arg(lineNo).arg(key);
            return false;
        }
        if (!ok) {
            error = QStringLiteral("%1:%2: \"%3\" is not a number").arg(path).arg(lineNo).arg(value);
            return false;
        }
    }
    return true;
}

// "--name value" options after the subcommand; the rest are positional.
struct Args {
    QHash<QString, QString> options;
    QStringList positional;
};
Args parseArgs(const QStringList& args) {
    Args a;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i].startsWith(QLatin1String("--")) && i + 1 < args.size()) {
            a.options.insert(args[i].mid(2), args[i + 1]);
            ++i;
        } else
            a.positional << args[i];
    }
    return a;
}

QString readPassword() {
    std::string line;
    std::getline(std::cin, line);
    return QString::fromStdString(line).trimmed();
}

int usage() {
    std::cerr << "usage: relayhubd serve [--config FILE] [--listen HOST:PORT] [--database DB] [--tls-cert F "
                 "--tls-key F] [--threads N] [--list-page-size N] [--port-file F]\n"
                 "       relayhubd init --database DB\n"
                 "       relayhubd user-add --database DB NAME ROLES   (password on stdin)\n"
                 "       relayhubd passwd --database DB NAME           (password on stdin)\n"
                 "       relayhubd import --database DB FILE.json\n"
                 "       relayhubd import --database DB --section SECTION FILE.csv\n"
                 "       relayhubd import-demo --database DB\n";
    return 2;
}

bool authorize(const httplib::Request& req, Authenticator& auth, Caller& caller) {
    const std::string header = req.get_header_value("Authorization");
    if (header.rfind("Basic ", 0) != 0) return false;
    const QByteArray decoded = QByteArray::fromBase64(QByteArray::fromStdString(header.substr(6)));
    const qsizetype colon = decoded.indexOf(':');
    if (colon < 0) return false;
    const QString user = QString::fromUtf8(decoded.left(colon));
    const auto found = auth.check(user, QString::fromUtf8(decoded.mid(colon + 1)));
    if (!found) return false;
    caller.user = found->name;
    caller.roles = found->roles;
    caller.session = QString::fromStdString(req.get_header_value("X-RelayHub-Session")).left(100);
    return true;
}

void unauthorized(httplib::Response& res) {
    res.status = 401;
    res.set_header("WWW-Authenticate", "Basic realm=\"RelayHub\"");
    res.set_content("authentication required\n", "text/plain");
}

int serve(const Args& args) {
    Config config;
    QString error;
    if (args.options.contains(QStringLiteral("config")) &&
        !readConfigFile(args.options.value(QStringLiteral("config")), config, error)) {
        logLine("error", error);
        return 2;
    }
    config.listen = args.options.value(QStringLiteral("listen"), config.listen);
    config.database = args.options.value(QStringLiteral("database"), config.database);
    config.tlsCert = args.options.value(QStringLiteral("tls-cert"), config.tlsCert);
    config.tlsKey = args.options.value(QStringLiteral("tls-key"), config.tlsKey);
    config.portFile = args.options.value(QStringLiteral("port-file"), config.portFile);
    config.threads = args.options.value(QStringLiteral("threads"), QString::number(config.threads)).toInt();
    config.listPageSize =
        args.options.value(QStringLiteral("list-page-size"), QString::number(config.listPageSize)).toInt();
    const qsizetype colon = config.listen.lastIndexOf(QLatin1Char(':'));
    const std::string host = config.listen.left(colon).toStdString();
    const int port = config.listen.mid(colon + 1).toInt();
    if (colon < 0 || config.threads < 1 || config.listPageSize < 1) {
        logLine("error", QStringLiteral("bad listen address, thread count or page size"));
        return 2;
    }

    // Signals go to the watcher thread only: handlers stay out of the workers.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    Store store(factoryFor(config.database), config.pool);
    try {
        store.migrate();
    } catch (const std::exception& e) {
        logLine("error", QStringLiteral("database unavailable: ") + QString::fromUtf8(e.what()));
        return 1;
    }
    HubOptions hubOptions;
    hubOptions.listPageSize = config.listPageSize;
    Hub hub(store, hubOptions);
    Authenticator auth(store);
    Metrics metrics;

    std::unique_ptr<httplib::Server> server;
    if (!config.tlsCert.isEmpty())
        server = std::make_unique<httplib::SSLServer>(config.tlsCert.toLocal8Bit().constData(),
                                                      config.tlsKey.toLocal8Bit().constData());
    else
        server = std::make_unique<httplib::Server>();
    if (!server->is_valid()) {
        logLine("error", QStringLiteral("the TLS certificate or key could not be loaded"));
        return 1;
    }
    const int threads = config.threads;
    server->new_task_queue = [threads] { return new httplib::ThreadPool(size_t(threads)); };
    server->set_payload_max_length(64 * 1024 * 1024);
    server->set_tcp_nodelay(true);
    server->set_keep_alive_max_count(100000);
    // An idle keep-alive connection holds a worker; closing it after a few
    // seconds also bounds how long a stop waits. Clients reconnect.
    server->set_keep_alive_timeout(config.keepAliveSeconds);
    // A loaded machine may take a while to hand a request its turn.
    server->set_read_timeout(30, 0);
    server->set_write_timeout(30, 0);

    auto handle = [&](bool blocks) {
        return [&, blocks](const httplib::Request& req, httplib::Response& res) {
            const auto started = std::chrono::steady_clock::now();
            Caller caller;
            if (!authorize(req, auth, caller)) {
                metrics.record(QStringLiteral("AUTH"), QStringLiteral("unauthorized"), 0);
                logLine("warning", QStringLiteral("authentication failed"),
                        {{QStringLiteral("remote"), QString::fromStdString(req.remote_addr)}});
                return unauthorized(res);
            }
            const QString request = WireDecode(req.body.data(), qsizetype(req.body.size()));
            RequestInfo info;
            QByteArray body;
            if (blocks) {
                QJsonArray array;
                for (const QString& b : hub.processBlocks(request, caller, &info))
                    array.append(b);
                body = QJsonDocument(array).toJson(QJsonDocument::Compact);
                res.set_content(body.constData(), size_t(body.size()), "application/json");
            } else {
                body = WireEncode(hub.process(request, caller, &info));
                res.set_content(body.constData(), size_t(body.size()), "text/plain; charset=utf-8");
            }
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
            metrics.record(info.family, info.outcome, seconds);
            if (config.logRequests || info.outcome != QLatin1String("ok"))
                logLine(info.outcome == QLatin1String("error") ? "error" : "info", QStringLiteral("request"),
                        {{QStringLiteral("user"), caller.user},
                         {QStringLiteral("verb"), info.verb},
                         {QStringLiteral("family"), info.family},
                         {QStringLiteral("name"), info.name},
                         {QStringLiteral("outcome"), info.outcome},
                         {QStringLiteral("ms"), seconds * 1000.0}});
        };
    };
    server->Post("/relayhub/v1/request", handle(false));
    server->Post("/relayhub/v1/blocks", handle(true));
    // Same authentication and framing as a request, no hub work: the
    // baseline the benchmarks compare against.
    server->Post("/relayhub/v1/echo", [&](const httplib::Request& req, httplib::Response& res) {
        Caller caller;
        if (!authorize(req, auth, caller)) return unauthorized(res);
        res.set_content(req.body.size() > 4096 ? std::to_string(req.body.size()) : req.body, "text/plain");
    });
    server->Get("/healthz", [&](const httplib::Request&, httplib::Response& res) {
        try {
            store.uploadsInProgress();
            res.set_content("ok\n", "text/plain");
        } catch (const std::exception& e) {
            res.status = 503;
            res.set_content(std::string("database unavailable: ") + e.what() + "\n", "text/plain");
        }
    });
    server->Get("/metrics", [&](const httplib::Request&, httplib::Response& res) {
        long long uploads = -1;
        try {
            uploads = store.uploadsInProgress();
        } catch (const std::exception&) {
        }
        res.set_content(metrics.render(uploads), "text/plain; version=0.0.4");
    });
    server->set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
        res.status = 500;
        res.set_content("internal error\n", "text/plain");
    });

    int bound = port;
    if (port == 0)
        bound = server->bind_to_any_port(host.c_str());
    else if (!server->bind_to_port(host.c_str(), port))
        bound = -1;
    if (bound <= 0) {
        logLine("error", QStringLiteral("cannot listen on %1").arg(config.listen));
        return 1;
    }
    if (!config.portFile.isEmpty()) {
        QFile file(config.portFile + QStringLiteral(".tmp"));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(QByteArray::number(bound));
            file.close();
            QFile::remove(config.portFile);
            file.rename(config.portFile);
        }
    }
    std::atomic<bool> signalled = false;
    std::thread watcher([&] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        signalled = true;
        logLine("info", QStringLiteral("stopping"), {{QStringLiteral("signal"), signal}});
        server->stop();
    });
    logLine("info", QStringLiteral("listening"),
            {{QStringLiteral("host"), QString::fromStdString(host)},
             {QStringLiteral("port"), bound},
             {QStringLiteral("tls"), !config.tlsCert.isEmpty()}});
    server->listen_after_bind();
    // listen_after_bind returns once stopped and every in-flight request has finished.
    if (!signalled) pthread_kill(watcher.native_handle(), SIGTERM);
    watcher.join();
    logLine("info", QStringLiteral("stopped"));
    return 0;
}

int admin(const QString& command, const Args& args) {
    const QString database = args.options.value(QStringLiteral("database"));
    if (database.isEmpty()) return usage();
    Store store(factoryFor(database), 1);
    try {
        const int version = store.migrate();
        if (command == QLatin1String("init")) {
            std::cout << "database ready, schema version " << version << "\n";
            return 0;
        }
        if (command == QLatin1String("user-add") && args.positional.size() == 2) {
            const QString password = readPassword();
            if (password.isEmpty()) {
                std::cerr << "empty password\n";
                return 1;
            }
            const QStringList roles = args.positional[1].split(QLatin1Char(','), Qt::SkipEmptyParts);
            for (const QString& r : roles)
                if (r != QLatin1String("author") && r != QLatin1String("transcriptionist") &&
                    r != QLatin1String("admin")) {
                    std::cerr << "unknown role " << r.toStdString() << " (author, transcriptionist, admin)\n";
                    return 1;
                }
            store.userSet({args.positional[0], PasswordHash(password), roles});
            return 0;
        }
        if (command == QLatin1String("passwd") && args.positional.size() == 1) {
            const QString password = readPassword();
            if (password.isEmpty() || !store.userSetPassword(args.positional[0], PasswordHash(password))) {
                std::cerr << "no such user, or empty password\n";
                return 1;
            }
            return 0;
        }
        if (command == QLatin1String("import") && args.positional.size() == 1) {
            const QString error =
                ReferenceImportFile(store, args.positional[0], args.options.value(QStringLiteral("section")));
            if (!error.isEmpty()) {
                std::cerr << error.toStdString() << "\n";
                return 1;
            }
            return 0;
        }
        if (command == QLatin1String("import-demo")) {
            const QString error = ReferenceImport(store, DemoDataJson().toUtf8());
            if (!error.isEmpty()) {
                std::cerr << error.toStdString() << "\n";
                return 1;
            }
            return 0;
        }
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return usage();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) return usage();
    const QString command = args.takeFirst();
    const Args parsed = parseArgs(args);
    if (command == QLatin1String("serve")) return serve(parsed);
    return admin(command, parsed);
}
