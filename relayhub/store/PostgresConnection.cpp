#include "Connection.h"

#include <libpq-fe.h>

#include <vector>

namespace relayhub {

namespace {
constexpr Oid kByteaOid = 17, kInt8Oid = 20, kInt2Oid = 21, kInt4Oid = 23;

// "?" placeholders become "$1", "$2", …; statements hold no "?" literals.
std::string renumber(const char* sql) {
    std::string out;
    int n = 0;
    for (const char* p = sql; *p; ++p) {
        if (*p == '?')
            out += "$" + std::to_string(++n);
        else
            out += *p;
    }
    return out;
}

class PostgresConnection final : public Connection {
public:
    explicit PostgresConnection(const QString& conninfo) {
        m_conn = PQconnectdb(conninfo.toUtf8().constData());
        if (PQstatus(m_conn) != CONNECTION_OK) {
            const std::string reason = PQerrorMessage(m_conn);
            PQfinish(m_conn);
            throw StoreError("cannot connect to PostgreSQL: " + reason);
        }
        PQsetClientEncoding(m_conn, "UTF8");
        exec("SET client_min_messages TO warning", {});
    }
    ~PostgresConnection() override { PQfinish(m_conn); }
    Dialect dialect() const override { return Dialect::Postgres; }

    qint64 exec(const char* sql, const QVariantList& params) override {
        PGresult* r = run(sql, params);
        const char* n = PQcmdTuples(r);
        const qint64 changed = (n && *n) ? std::atoll(n) : 0;
        PQclear(r);
        return changed;
    }

    QList<Row> query(const char* sql, const QVariantList& params) override {
        PGresult* r = run(sql, params);
        QList<Row> rows;
        const int count = PQntuples(r), columns = PQnfields(r);
        rows.reserve(count);
        for (int i = 0; i < count; ++i) {
            Row row;
            row.reserve(columns);
            for (int c = 0; c < columns; ++c) {
                if (PQgetisnull(r, i, c)) {
                    row.append(QVariant());
                    continue;
                }
                const char* v = PQgetvalue(r, i, c);
                switch (PQftype(r, c)) {
                case kByteaOid: {
                    size_t length = 0;
                    unsigned char* raw = PQunescapeBytea(reinterpret_cast<const unsigned char*>(v), &length);
                    row.append(QByteArray(reinterpret_cast<const char*>(raw), qsizetype(length)));
                    PQfreemem(raw);
                    break;
                }
                case kInt8Oid:
                case kInt2Oid:
                case kInt4Oid:
                    row.append(qint64(std::atoll(v)));
                    break;
                default:
                    row.append(QString::fromUtf8(v, PQgetlength(r, i, c)));
                }
            }
            rows.append(std::move(row));
        }
        PQclear(r);
        return rows;
    }

    void script(const QString& sql) override {
        PGresult* r = PQexec(m_conn, sql.toUtf8().constData());
        const auto status = PQresultStatus(r);
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
            const std::string reason = PQresultErrorMessage(r);
            PQclear(r);
            throw StoreError("PostgreSQL: " + reason);
        }
        PQclear(r);
    }
    void beginWrite() override { exec("BEGIN", {}); }
    void commit() override { exec("COMMIT", {}); }
    void rollback() noexcept override { PQclear(PQexec(m_conn, "ROLLBACK")); }

private:
    PGresult* run(const char* sql, const QVariantList& params) {
        std::vector<QByteArray> storage(size_t(params.size()));
        std::vector<const char*> values(size_t(params.size()));
        std::vector<int> lengths(size_t(params.size())), formats(size_t(params.size()));
        for (qsizetype i = 0; i < params.size(); ++i) {
            const QVariant& v = params[i];
            const auto k = size_t(i);
            if (v.isNull()) {
                values[k] = nullptr;
                continue;
            }
            if (v.typeId() == QMetaType::QByteArray) {
                storage[k] = v.toByteArray();
                formats[k] = 1;
            } else if (v.typeId() == QMetaType::QString) {
                storage[k] = v.toString().toUtf8();
            } else {
                storage[k] = QByteArray::number(v.toLongLong());
            }
            values[k] = storage[k].constData();
            lengths[k] = int(storage[k].size());
        }
        const std::string text = renumber(sql);
        PGresult* r = PQexecParams(m_conn, text.c_str(), int(params.size()), nullptr, values.data(),
                                   lengths.data(), formats.data(), 0);
        const auto status = PQresultStatus(r);
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
            const std::string reason = PQresultErrorMessage(r);
            PQclear(r);
            throw StoreError("PostgreSQL: " + reason);
        }
        return r;
    }

    PGconn* m_conn = nullptr;
};
} // namespace

std::unique_ptr<Connection> PostgresConnect(const QString& conninfo) {
    return std::make_unique<PostgresConnection>(conninfo);
}

} // namespace relayhub
