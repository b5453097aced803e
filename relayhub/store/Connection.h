#pragma once
// One database connection of a storage backend. Statements are written once
// with "?" placeholders and always take their values as parameters; the
// PostgreSQL backend renumbers the placeholders.

#include <QList>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <stdexcept>

namespace relayhub {

class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class Dialect { Sqlite, Postgres };

using Row = QVariantList;

// Parameter values: QString (text), integers (qint64), QByteArray (blob),
// a null QVariant (NULL). Results come back the same way.
class Connection {
public:
    virtual ~Connection() = default;
    virtual Dialect dialect() const = 0;
    // Runs one statement; returns the number of rows it changed.
    virtual qint64 exec(const char* sql, const QVariantList& params = {}) = 0;
    virtual QList<Row> query(const char* sql, const QVariantList& params = {}) = 0;
    // Runs statements without parameters (schema changes only).
    virtual void script(const QString& sql) = 0;
    // A transaction that writes: SQLite takes the write lock up front so two
    // writers never deadlock on a lock upgrade.
    virtual void beginWrite() = 0;
    virtual void commit() = 0;
    virtual void rollback() noexcept = 0;
};

using ConnectionFactory = std::function<std::unique_ptr<Connection>()>;

// SQLite file (WAL, foreign keys, busy time-out).
std::unique_ptr<Connection> SqliteConnect(const QString& path);
// libpq connection string ("host=… port=… dbname=… user=…" or a URI).
std::unique_ptr<Connection> PostgresConnect(const QString& conninfo);

} // namespace relayhub
