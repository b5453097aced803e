#pragma once
// Backends for the hub tests: a SQLite file in a temporary folder, and a
// fresh database in the throw-away PostgreSQL cluster that ctest starts
// (its connection string is in the file named by RELAYHUB_TEST_PG).

#include "hub/Hub.h"
#include "store/Store.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QUuid>

#include <memory>

namespace hubtest {

inline QString PostgresConninfo() {
    const QString stateFile = qEnvironmentVariable("RELAYHUB_TEST_PG");
    if (stateFile.isEmpty()) return QString();
    QFile file(stateFile);
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("missing");
    return QString::fromUtf8(file.readAll()).trimmed();
}

// One database for one test, dropped with it.
class TestDatabase {
public:
    explicit TestDatabase(const std::string& backend) : m_postgres(backend == "postgres") {
        if (!m_postgres) {
            m_uri = m_dir.filePath(QStringLiteral("hub.db"));
            return;
        }
        m_admin = PostgresConninfo();
        m_name = QStringLiteral("t_") + QUuid::createUuid().toString(QUuid::Id128).left(20);
        relayhub::PostgresConnect(m_admin)->script(QStringLiteral("CREATE DATABASE ") + m_name);
        m_uri =
            QString(m_admin).replace(QStringLiteral("dbname=postgres"), QStringLiteral("dbname=") + m_name);
    }
    ~TestDatabase() {
        if (m_postgres) {
            try {
                relayhub::PostgresConnect(m_admin)->script(QStringLiteral("DROP DATABASE IF EXISTS ") +
                                                           m_name + QStringLiteral(" WITH (FORCE)"));
            } catch (...) {
            }
        }
    }
    relayhub::ConnectionFactory factory() const {
        const QString uri = m_uri;
        if (m_postgres) return [uri] { return relayhub::PostgresConnect(uri); };
        return [uri] { return relayhub::SqliteConnect(uri); };
    }
    // As relayhubd's --database option takes it.
    QString daemonUri() const { return m_postgres ? QStringLiteral("postgres:") + m_uri : m_uri; }

private:
    bool m_postgres;
    QTemporaryDir m_dir;
    QString m_uri, m_admin, m_name;
};

// Skips a PostgreSQL case when run outside ctest (no cluster was started).
#define HUBTEST_REQUIRE_BACKEND(backend)                                                                     \
    do {                                                                                                     \
        if ((backend) == "postgres" && hubtest::PostgresConninfo().isEmpty())                                \
            GTEST_SKIP() << "no PostgreSQL cluster (run through ctest)";                                     \
        ASSERT_NE(hubtest::PostgresConninfo(), QStringLiteral("missing"))                                    \
            << "the PostgreSQL fixture did not start";                                                       \
    } while (0)

inline relayhub::Caller Everyone(const QString& session = QStringLiteral("s1")) {
    return {QStringLiteral("tester"),
            {QStringLiteral("author"), QStringLiteral("transcriptionist"), QStringLiteral("admin")},
            session};
}

// The 36 header fields of a dictation, as the control writes them.
inline QStringList HeaderFields(const QString& patient, int priority, qint64 audioSize, qint64 textLength = 0,
                                const QString& author = QStringLiteral("JONES"),
                                const QString& created = QStringLiteral("12/01/2026 09:30:00"),
                                const QString& status = QStringLiteral("DICTATED")) {
    QStringList f(36);
    f[0] = status;
    f[1] = created;
    f[2] = QStringLiteral("ACC-") + patient.left(3);
    f[3] = patient;
    f[4] = QStringLiteral("12/01/2026");
    f[5] = QStringLiteral("CTH");
    f[6] = QStringLiteral("Head CT");
    f[7] = QString::number(priority);
    f[8] = QStringLiteral("Mic");
    f[9] = author;
    f[10] = QStringLiteral("61.5");
    f[11] = QStringLiteral("12/01/2026 10:00:00");
    f[12] = QString::number(audioSize);
    f[13] = QStringLiteral("3.0.0");
    f[14] = QStringLiteral("0");
    f[15] = QStringLiteral("12/01/2026 09:31:00");
    f[16] = QStringLiteral("11025");
    f[17] = QStringLiteral("8");
    f[18] = QStringLiteral("1");
    f[20] = QStringLiteral("call back");
    f[23] = QStringLiteral("FLAC");
    f[24] = QStringLiteral("W1001");
    f[25] = QStringLiteral("CTH");
    f[26] = QStringLiteral("CT");
    f[27] = QStringLiteral("N");
    f[28] = QStringLiteral("MAIN");
    f[29] = QStringLiteral("Main campus");
    f[30] = QStringLiteral("RP12");
    f[31] = QStringLiteral("Dr. Okafor");
    f[32] = textLength > 0 ? QStringLiteral("3") : QStringLiteral("1");
    f[33] = QString::number(textLength);
    f[34] = QStringLiteral("TR");
    f[35] = QStringLiteral("REVIEW");
    return f;
}

inline QString Req(const QStringList& fields, bool trailing = false) {
    QString r;
    for (const QString& f : fields)
        r += QLatin1Char('|') + f;
    return trailing ? r + QLatin1Char('|') : r;
}

} // namespace hubtest
