#include "Connection.h"

#include <QHash>

#include <sqlite3.h>

#include <cstring>

namespace relayhub {

namespace {
class SqliteConnection final : public Connection {
public:
    explicit SqliteConnection(const QString& path) {
        const QByteArray file = path.toUtf8();
        if (sqlite3_open_v2(file.constData(), &m_db,
                            SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                            nullptr) != SQLITE_OK) {
            const std::string reason = m_db ? sqlite3_errmsg(m_db) : "out of memory";
            sqlite3_close(m_db);
            throw StoreError("cannot open SQLite database " + path.toStdString() + ": " + reason);
        }
        sqlite3_busy_timeout(m_db, 15000);
        query("PRAGMA journal_mode=WAL", {});
        exec("PRAGMA synchronous=NORMAL", {});
        exec("PRAGMA foreign_keys=ON", {});
    }
    ~SqliteConnection() override {
        for (sqlite3_stmt* s : std::as_const(m_cache))
            sqlite3_finalize(s);
        sqlite3_close(m_db);
    }
    Dialect dialect() const override { return Dialect::Sqlite; }

    qint64 exec(const char* sql, const QVariantList& params) override {
        sqlite3_stmt* s = prepare(sql, params);
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        }
        finish(s, rc);
        return sqlite3_changes(m_db);
    }

    QList<Row> query(const char* sql, const QVariantList& params) override {
        sqlite3_stmt* s = prepare(sql, params);
        QList<Row> rows;
        int rc;
        const int columns = sqlite3_column_count(s);
        while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
            Row row;
            row.reserve(columns);
            for (int c = 0; c < columns; ++c) {
                switch (sqlite3_column_type(s, c)) {
                case SQLITE_INTEGER:
                    row.append(qint64(sqlite3_column_int64(s, c)));
                    break;
                case SQLITE_FLOAT:
                    row.append(sqlite3_column_double(s, c));
                    break;
                case SQLITE_BLOB: {
                    const void* p = sqlite3_column_blob(s, c);
                    row.append(QByteArray(static_cast<const char*>(p), sqlite3_column_bytes(s, c)));
                    break;
                }
                case SQLITE_NULL:
                    row.append(QVariant());
                    break;
                default:
                    row.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, c)),
                                                 sqlite3_column_bytes(s, c)));
                }
            }
            rows.append(std::move(row));
        }
        finish(s, rc);
        return rows;
    }

    void script(const QString& sql) override {
        char* error = nullptr;
        if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string reason = error ? error : "unknown";
            sqlite3_free(error);
            throw StoreError("SQLite: " + reason);
        }
    }
    void beginWrite() override { exec("BEGIN IMMEDIATE", {}); }
    void commit() override { exec("COMMIT", {}); }
    void rollback() noexcept override { sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr); }

private:
    sqlite3_stmt* prepare(const char* sql, const QVariantList& params) {
        const QByteArray key = QByteArray::fromRawData(sql, qsizetype(std::strlen(sql)));
        sqlite3_stmt* s = m_cache.value(key);
        if (!s) {
            if (sqlite3_prepare_v2(m_db, sql, -1, &s, nullptr) != SQLITE_OK)
                throw StoreError(std::string("SQLite: ") + sqlite3_errmsg(m_db));
            if (m_cache.size() > 256) {
                for (sqlite3_stmt* old : std::as_const(m_cache))
                    sqlite3_finalize(old);
                m_cache.clear();
            }
            m_cache.insert(QByteArray(sql), s);
        }
        sqlite3_reset(s);
        sqlite3_clear_bindings(s);
        for (int i = 0; i < params.size(); ++i) {
            const QVariant& v = params[i];
            int rc;
            if (v.isNull())
                rc = sqlite3_bind_null(s, i + 1);
            else if (v.typeId() == QMetaType::QByteArray) {
                const QByteArray b = v.toByteArray();
                rc = sqlite3_bind_blob64(s, i + 1, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT);
            } else if (v.typeId() == QMetaType::QString) {
                const QByteArray t = v.toString().toUtf8();
                rc = sqlite3_bind_text64(s, i + 1, t.constData(), sqlite3_uint64(t.size()), SQLITE_TRANSIENT,
                                         SQLITE_UTF8);
            } else if (v.typeId() == QMetaType::Double)
                rc = sqlite3_bind_double(s, i + 1, v.toDouble());
            else
                rc = sqlite3_bind_int64(s, i + 1, v.toLongLong());
            if (rc != SQLITE_OK) throw StoreError(std::string("SQLite bind: ") + sqlite3_errmsg(m_db));
        }
        return s;
    }
    void finish(sqlite3_stmt* s, int rc) {
        if (rc != SQLITE_DONE) {
            const std::string reason = sqlite3_errmsg(m_db);
            sqlite3_reset(s);
            throw StoreError("SQLite: " + reason);
        }
        sqlite3_reset(s);
    }

    sqlite3* m_db = nullptr;
    QHash<QByteArray, sqlite3_stmt*> m_cache; // prepared statements by text
};
} // namespace

std::unique_ptr<Connection> SqliteConnect(const QString& path) {
    return std::make_unique<SqliteConnection>(path);
}

} // namespace relayhub
