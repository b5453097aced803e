#pragma once
// The RelayHub store: recordings with staged uploads, the dictation queue,
// list cursors, speech-profile files, reference data, users and the audit
// log. One implementation over two backends (SQLite, PostgreSQL); every
// statement is parameterised. Thread-safe: each call borrows a connection
// from a small pool. Failures throw StoreError.

#include "Connection.h"

#include <QJsonObject>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <vector>

namespace relayhub {

inline constexpr int kHeaderFields = 36;

// Field positions (from 0) of the stored 36-field header.
namespace header {
inline constexpr int Status = 0, Created = 1, Account = 2, Patient = 3, DateOfService = 4, Description = 6,
                     Priority = 7, Author = 9, Seconds = 10, FileSize = 12, RecordingType = 14,
                     StudyCode = 25, DictationType = 32, TextLength = 33;
}

// Which dictations a next-dictation claim or a list page considers.
struct Selection {
    QStringList sortWords; // "PRIORITY", "DATE", "NAME", in order
    QStringList authors;   // upper case; empty means every author
    int priority = 0;      // 0 means every priority
    QStringList excluded;  // upper case authors left out
    bool archive = false;  // include transcribed and cancelled dictations
    QString search;        // substring of name, patient, account, author, description
    int sortCell = 0;      // list cell to sort by (1..9), 0 for the sort words
    bool descending = false;
};

// What a list page shows of a dictation (kept beside the header, so a page
// never splits headers).
struct ListRow {
    QString name, kind, status, created, patient, account, author, description, seconds;
    int priority = 2;
};

enum class Part { Audio, Text };

struct PieceOutcome {
    QString error;          // empty when accepted
    bool completed = false; // the upload reached its announced size
};

// Who did what, written in the same transaction as the change it records.
struct AuditEntry {
    QString user, verb, family;
};

struct User {
    QString name, hash;
    QStringList roles;
};

struct TrackingType {
    QString code, description, value;
};

struct WorkflowItem {
    QString key, description, date, status;
    bool dictated = false;
};

class Store {
public:
    Store(ConnectionFactory factory, int poolSize = 4);
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // Creates or upgrades the schema; returns the schema version.
    int migrate();
    Dialect dialect();

    // Recordings -------------------------------------------------------
    // Reserves a new unique name; the recording stays invisible until its
    // first complete store.
    QString allocateName(const QString& kind);
    // Stores a header (at most 36 fields) under name, or under a newly
    // allocated name when name is empty (given back in storedName). When
    // audio or text of a size other than the stored one is announced, the
    // header waits until they are complete. Returns an error text, empty
    // when accepted.
    QString storeHeader(const QString& name, const QString& kind, QStringList fields,
                        const AuditEntry* audit = nullptr, QString* storedName = nullptr);
    // The 36 fields of a visible recording (status as currently stored).
    std::optional<QStringList> readHeader(const QString& name);
    // One numbered piece: audio bytes, or text as UTF-16 with units counted
    // in characters. Replaces the stored part only when complete.
    PieceOutcome storePiece(const QString& name, Part part, int number, const QByteArray& data, qint64 units,
                            const QString& session, const AuditEntry* audit = nullptr);
    std::optional<QByteArray> readAudio(const QString& name);
    std::optional<QString> readText(const QString& name);
    bool setStatus(const QString& name, const QString& status, const AuditEntry* audit = nullptr);
    // Claims the first waiting dictation of the selection ("BUSY", by whom,
    // when); empty when none. Two callers never get the same name.
    QString claimNext(const Selection& selection, const QString& user, const AuditEntry* audit = nullptr);
    QList<ListRow> listRows(const Selection& selection, int offset, int limit);
    qint64 uploadsInProgress();

    // Dictation list cursors, per client session and request ----------
    int cursorGet(const QString& session, const QString& request, int maxAgeSeconds);
    void cursorSet(const QString& session, const QString& request, int position);
    void cursorDrop(const QString& session, const QString& request);

    // Speech-profile storage -------------------------------------------
    QStringList profileItemNames();
    std::optional<QString> profileItemGet(const QString& name);
    void profileItemSet(const QString& name, const QString& content);
    void profileUploadOpen(const QString& session, const QString& name, const QString& folder);
    QString profileUploadWrite(const QString& session, const QString& name, const QString& folder,
                               const QByteArray& block);
    QString profileUploadClose(const QString& session, const QString& name, const QString& folder);
    bool profileReadOpen(const QString& session, const QString& name, const QString& folder);
    // The next block, empty at the end; nullopt when not open.
    std::optional<QByteArray> profileRead(const QString& session, const QString& name, const QString& folder,
                                          int maxBytes);
    void profileReadClose(const QString& session, const QString& name, const QString& folder);

    // Reference data ---------------------------------------------------
    // Replaces every section present in data (see docs/relayhub.md).
    void importReference(const QJsonObject& data);
    QList<TrackingType> trackingTypes();
    std::optional<QStringList> worklistFields(const QString& key);
    QList<WorkflowItem> workflowItems(const QString& worklistKey, bool includeDictated);
    bool workflowRelease(const QString& worklistKey);
    QList<QStringList> workflowHistory(const QString& worklistKey);
    QList<QStringList> workflowImages(const QString& worklistKey);
    QString workflowNotes(const QString& worklistKey);
    QStringList colors();

    // Users and audit --------------------------------------------------
    void userSet(const User& user);
    std::optional<User> user(const QString& name);
    bool userSetPassword(const QString& name, const QString& hash);
    void audit(const QString& user, const QString& verb, const QString& family, const QString& name);
    qint64 auditCount();

    class Lease;

private:
    Lease lease();
    void release(std::unique_ptr<Connection> c);
    template <class F> auto write(F&& body);

    ConnectionFactory m_factory;
    int m_poolSize;
    int m_open = 0;
    std::mutex m_mutex;
    std::mutex m_writeMutex;
    std::condition_variable m_available;
    std::vector<std::unique_ptr<Connection>> m_idle;
    std::atomic<int> m_dialect = -1; // a Dialect once known
};

class Store::Lease {
public:
    Lease(Store* owner, std::unique_ptr<Connection> c) : m_owner(owner), m_c(std::move(c)) {}
    Lease(Lease&& o) noexcept = default;
    ~Lease() {
        if (m_c) m_owner->release(std::move(m_c));
    }
    Connection* operator->() { return m_c.get(); }
    Connection& operator*() { return *m_c; }

private:
    Store* m_owner;
    std::unique_ptr<Connection> m_c;
};

// Current UTC time as stored ("yyyy-MM-dd HH:mm:ss").
QString StoreNow();
// The header's creation date ("mm/dd/yyyy hh:nn:ss") in stored form; the
// current time when it is not a date.
QString StoreCreated(const QString& headerDate);

} // namespace relayhub
