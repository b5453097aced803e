#include "Store.h"

#include "Schema.h"

#include <QDateTime>
#include <QJsonArray>

namespace relayhub {

namespace {
QString str(const QVariant& v) { return v.toString(); }
qint64 num(const QVariant& v) { return v.toLongLong(); }

qint64 fieldNumber(const QStringList& fields, int index) {
    bool ok = false;
    const qint64 v = fields.value(index).trimmed().toLongLong(&ok);
    return ok && v > 0 ? v : 0;
}

QString joinFields(const QStringList& fields) { return fields.join(QLatin1Char('|')); }
QStringList splitFields(const QString& text) {
    QStringList f = text.split(QLatin1Char('|'));
    while (f.size() < kHeaderFields)
        f.append(QString());
    return f;
}

QString partCode(Part p) { return p == Part::Audio ? QStringLiteral("A") : QStringLiteral("T"); }

// Derived columns kept beside the header so that queue and list queries use indexes.
struct Derived {
    QString status, author, created, patient, account, description, seconds, search;
    qint64 priority;
};
Derived derive(const QString& name, const QStringList& f) {
    Derived d;
    d.status = f.value(header::Status).trimmed().toUpper();
    if (d.status.isEmpty()) d.status = QStringLiteral("NONE");
    d.author = f.value(header::Author).trimmed().toUpper();
    d.created = StoreCreated(f.value(header::Created));
    d.patient = f.value(header::Patient);
    d.account = f.value(header::Account);
    d.description = f.value(header::Description);
    d.seconds = f.value(header::Seconds);
    bool ok = false;
    d.priority = f.value(header::Priority).trimmed().toLongLong(&ok);
    if (!ok) d.priority = 2;
    d.search = QStringList{name, d.patient, d.account, d.author, d.description, f.value(header::StudyCode)}
                   .join(QChar(0x1F))
                   .toLower();
    return d;
}

QString likePattern(const QString& text) {
    QString escaped;
    for (const QChar c : text.toLower()) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

// WHERE conditions and ORDER BY of a selection; values go to params.
QString selectionWhere(const Selection& s, bool waitingOnly, QVariantList& params) {
    QString where = QStringLiteral("visible = 1");
    if (waitingOnly)
        where += QStringLiteral(" AND kind = 'DICTATION' AND status IN ('NONE', 'DICTATED')");
    else if (!s.archive)
        where += QStringLiteral(" AND status NOT IN ('TRANSCRIBED', 'CANCELLED')");
    if (!s.authors.isEmpty()) {
        where += QStringLiteral(" AND author IN (");
        for (int i = 0; i < s.authors.size(); ++i) {
            where += i ? QStringLiteral(", ?") : QStringLiteral("?");
            params << s.authors[i];
        }
        where += QLatin1Char(')');
    }
    for (const QString& a : s.excluded) {
        where += QStringLiteral(" AND author <> ?");
        params << a;
    }
    if (s.priority > 0) {
        where += QStringLiteral(" AND priority = ?");
        params << qint64(s.priority);
    }
    if (!s.search.isEmpty()) {
        where += QStringLiteral(" AND search LIKE ? ESCAPE '\\'");
        params << likePattern(s.search);
    }
    return where;
}

QString selectionOrder(const Selection& s) {
    static const char* const kCellColumns[] = {nullptr,       "patient", "created", "account", "author",
                                               "description", "status",  "kind",    "seconds", "priority"};
    QStringList order;
    if (s.sortCell >= 1 && s.sortCell <= 9)
        order << QString::fromLatin1(kCellColumns[s.sortCell]) +
                     (s.descending ? QStringLiteral(" DESC") : QString());
    for (const QString& w : s.sortWords) {
        if (w == QLatin1String("PRIORITY"))
            order << QStringLiteral("priority DESC");
        else if (w == QLatin1String("DATE"))
            order << QStringLiteral("created");
        else if (w == QLatin1String("NAME"))
            order << QStringLiteral("patient");
    }
    order << QStringLiteral("created") << QStringLiteral("name");
    // A column named twice would keep the database from reading an index in order.
    QStringList unique;
    QStringList seen;
    for (const QString& term : order) {
        const QString column = term.section(QLatin1Char(' '), 0, 0);
        if (!seen.contains(column)) {
            seen << column;
            unique << term;
        }
    }
    return unique.join(QStringLiteral(", "));
}
} // namespace

QString StoreNow() { return QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); }

QString StoreCreated(const QString& headerDate) {
    const QDateTime d = QDateTime::fromString(headerDate.trimmed(), QStringLiteral("MM/dd/yyyy HH:mm:ss"));
    return d.isValid() ? d.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : StoreNow();
}

Store::Store(ConnectionFactory factory, int poolSize) : m_factory(std::move(factory)), m_poolSize(poolSize) {}
Store::~Store() = default;

Store::Lease Store::lease() {
    std::unique_lock lock(m_mutex);
    while (true) {
        if (!m_idle.empty()) {
            auto c = std::move(m_idle.back());
            m_idle.pop_back();
            return Lease(this, std::move(c));
        }
        if (m_open < m_poolSize) {
            ++m_open;
            lock.unlock();
            try {
                return Lease(this, m_factory());
            } catch (...) {
                std::lock_guard again(m_mutex);
                --m_open;
                throw;
            }
        }
        m_available.wait(lock);
    }
}

void Store::release(std::unique_ptr<Connection> c) {
    std::lock_guard lock(m_mutex);
    m_idle.push_back(std::move(c));
    m_available.notify_one();
}

template <class F> auto Store::write(F&& body) {
    // SQLite takes one writer at a time; queueing here is far cheaper than
    // its busy handler's sleeps. Other processes still meet the busy time-out.
    std::unique_lock<std::mutex> serial;
    if (dialect() == Dialect::Sqlite) serial = std::unique_lock(m_writeMutex);
    Lease c = lease();
    c->beginWrite();
    try {
        if constexpr (std::is_void_v<decltype(body(*c))>) {
            body(*c);
            c->commit();
        } else {
            auto result = body(*c);
            c->commit();
            return result;
        }
    } catch (...) {
        c->rollback();
        throw;
    }
}

Dialect Store::dialect() {
    if (m_dialect < 0) m_dialect = int(lease()->dialect());
    return Dialect(m_dialect.load());
}

int Store::migrate() {
    Lease c = lease();
    c->script(QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)"));
    const QList<QStringList> steps = SchemaMigrations(c->dialect());
    while (true) {
        c->beginWrite();
        try {
            const auto rows = c->query("SELECT version FROM schema_version");
            const int version = rows.isEmpty() ? 0 : int(num(rows[0][0]));
            if (version >= steps.size()) {
                c->commit();
                return version;
            }
            for (const QString& sql : steps[version])
                c->script(sql);
            if (rows.isEmpty())
                c->exec("INSERT INTO schema_version (version) VALUES (?)", {qint64(version + 1)});
            else
                c->exec("UPDATE schema_version SET version = ?", {qint64(version + 1)});
            c->commit();
        } catch (...) {
            c->rollback();
            throw;
        }
    }
}

// Recordings -----------------------------------------------------------

namespace {
QString allocate(Connection& c, const QString& kind) {
    const auto rows =
        c.query("UPDATE counters SET value = value + 1 WHERE name = 'recording' RETURNING value");
    if (rows.isEmpty()) throw StoreError("recording counter missing");
    const QString name = QStringLiteral("R%1").arg(num(rows[0][0]), 8, 10, QLatin1Char('0'));
    c.exec("INSERT INTO recordings (name, kind, visible, updated_at) VALUES (?, ?, 0, ?)",
           {name, kind, StoreNow()});
    return name;
}
} // namespace

QString Store::allocateName(const QString& kind) {
    return write([&](Connection& c) { return allocate(c, kind); });
}

namespace {
void auditRow(Connection& c, const AuditEntry* audit, const QString& name) {
    if (audit)
        c.exec("INSERT INTO audit (at, username, verb, family, name) VALUES (?, ?, ?, ?, ?)",
               {StoreNow(), audit->user, audit->verb, audit->family, name});
}

void dropPieces(Connection& c, const QVariant& uploadId) {
    if (!uploadId.isNull()) c.exec("DELETE FROM upload_pieces WHERE upload_id = ?", {uploadId});
}

// Makes the finished upload of one part the recording's own.
void applyPart(Connection& c, const QString& name, Part part) {
    const auto up =
        c.query("SELECT upload_id, received FROM uploads WHERE name = ? AND part = ? AND complete = 1",
                {name, partCode(part)});
    if (up.isEmpty()) return;
    const qint64 uploadId = num(up[0][0]);
    if (part == Part::Audio) {
        const auto old = c.query("SELECT audio_upload FROM recordings WHERE name = ?", {name});
        c.exec("UPDATE recordings SET audio_upload = ?, audio_size = ?, updated_at = ? WHERE name = ?",
               {uploadId, num(up[0][1]), StoreNow(), name});
        if (!old.isEmpty()) dropPieces(c, old[0][0]);
    } else {
        QByteArray data;
        for (const Row& r :
             c.query("SELECT data FROM upload_pieces WHERE upload_id = ? ORDER BY piece", {uploadId}))
            data += r[0].toByteArray();
        const QString text =
            QString::fromUtf16(reinterpret_cast<const char16_t*>(data.constData()), data.size() / 2);
        c.exec("UPDATE recordings SET text = ?, text_length = ?, updated_at = ? WHERE name = ?",
               {text, qint64(text.size()), StoreNow(), name});
        dropPieces(c, uploadId);
    }
    c.exec("DELETE FROM uploads WHERE name = ? AND part = ?", {name, partCode(part)});
}

// Exposes a header together with every finished part.
void applyHeader(Connection& c, const QString& name, const QString& headerText) {
    applyPart(c, name, Part::Audio);
    applyPart(c, name, Part::Text);
    const QStringList fields = splitFields(headerText);
    const Derived d = derive(name, fields);
    c.exec(
        "UPDATE recordings SET visible = 1, header = ?, status = ?, author = ?, priority = ?, created = ?,"
        " patient = ?, account = ?, description = ?, seconds = ?, search = ?, updated_at = ? WHERE name = ?",
        {headerText, d.status, d.author, d.priority, d.created, d.patient, d.account, d.description,
         d.seconds, d.search, StoreNow(), name});
    c.exec("DELETE FROM staged_headers WHERE name = ?", {name});
}

void dropUploads(Connection& c, const QString& name, const QString& part = QString()) {
    const auto ups = part.isNull()
                         ? c.query("SELECT upload_id FROM uploads WHERE name = ?", {name})
                         : c.query("SELECT upload_id FROM uploads WHERE name = ? AND part = ?", {name, part});
    for (const Row& r : ups)
        dropPieces(c, r[0]);
    if (part.isNull())
        c.exec("DELETE FROM uploads WHERE name = ?", {name});
    else
        c.exec("DELETE FROM uploads WHERE name = ? AND part = ?", {name, part});
}
} // namespace

QString Store::storeHeader(const QString& givenName, const QString& kind, QStringList fields,
                           const AuditEntry* audit, QString* storedName) {
    if (fields.size() > kHeaderFields)
        return QStringLiteral("the header has %1 fields, at most %2 are stored")
            .arg(fields.size())
            .arg(kHeaderFields);
    while (fields.size() < kHeaderFields)
        fields.append(QString());
    const QString text = joinFields(fields);
    const qint64 audioSize = fieldNumber(fields, header::FileSize);
    const qint64 textLength = fieldNumber(fields, header::TextLength);
    return write([&](Connection& c) -> QString {
        // A new name and its header in one transaction.
        const QString name = givenName.isEmpty() ? allocate(c, kind) : givenName;
        if (storedName) *storedName = name;
        auto rows =
            c.query("SELECT visible, audio_size, text_length, kind FROM recordings WHERE name = ?", {name});
        if (rows.isEmpty()) {
            c.exec("INSERT INTO recordings (name, kind, visible, updated_at) VALUES (?, ?, 0, ?)",
                   {name, kind, StoreNow()});
            rows = {Row{qint64(0), qint64(0), qint64(0), kind}};
        } else if (str(rows[0][3]) != kind) {
            c.exec("UPDATE recordings SET kind = ? WHERE name = ?", {kind, name});
        }
        auditRow(c, audit, name);
        const bool visible = num(rows[0][0]) == 1;
        const bool needAudio = audioSize > 0 && (!visible || audioSize != num(rows[0][1]));
        const bool needText = textLength > 0 && (!visible || textLength != num(rows[0][2]));
        // A new save starts its uploads afresh.
        dropUploads(c, name);
        c.exec("DELETE FROM staged_headers WHERE name = ?", {name});
        if (!needAudio && !needText) {
            applyHeader(c, name, text);
            return QString();
        }
        c.exec("INSERT INTO staged_headers (name, header, need_audio, need_text, updated_at) VALUES (?, ?, "
               "?, ?, ?)",
               {name, text, qint64(needAudio), qint64(needText), StoreNow()});
        return QString();
    });
}

std::optional<QStringList> Store::readHeader(const QString& name) {
    const auto rows =
        lease()->query("SELECT header, status FROM recordings WHERE name = ? AND visible = 1", {name});
    if (rows.isEmpty()) return std::nullopt;
    QStringList fields = splitFields(str(rows[0][0]));
    fields[header::Status] = str(rows[0][1]);
    return fields;
}

PieceOutcome Store::storePiece(const QString& name, Part part, int number, const QByteArray& data,
                               qint64 units, const QString& session, const AuditEntry* audit) {
    const QString code = partCode(part);
    return write([&](Connection& c) -> PieceOutcome {
        auditRow(c, audit, name);
        qint64 uploadId = 0, announced = 0, received = 0;
        if (number == 1) {
            // The size to reach is the waiting header's, else the stored one's.
            const int sizeField = part == Part::Audio ? header::FileSize : header::TextLength;
            auto rows = c.query("SELECT header FROM staged_headers WHERE name = ?", {name});
            if (rows.isEmpty())
                rows = c.query("SELECT header FROM recordings WHERE name = ? AND visible = 1", {name});
            if (rows.isEmpty()) return {QStringLiteral("no recording named %1").arg(name), false};
            announced = fieldNumber(splitFields(str(rows[0][0])), sizeField);
            dropUploads(c, name, code);
            // Uploads abandoned for a day are swept when another one starts.
            const QString dayAgo =
                QDateTime::currentDateTimeUtc().addDays(-1).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            for (const Row& r :
                 c.query("SELECT upload_id FROM uploads WHERE complete = 0 AND updated_at < ?", {dayAgo}))
                dropPieces(c, r[0]);
            c.exec("DELETE FROM uploads WHERE complete = 0 AND updated_at < ?", {dayAgo});
            const auto id =
                c.query("UPDATE counters SET value = value + 1 WHERE name = 'upload' RETURNING value");
            uploadId = num(id[0][0]);
        } else {
            const auto up = c.query("SELECT upload_id, announced, received, next_piece, complete FROM uploads"
                                    " WHERE name = ? AND part = ?",
                                    {name, code});
            const qint64 expected = up.isEmpty() ? 1 : num(up[0][3]);
            if (up.isEmpty() || number != expected || num(up[0][4]) == 1)
                return {
                    QStringLiteral("piece %1 is out of order, expected piece %2").arg(number).arg(expected),
                    false};
            uploadId = num(up[0][0]);
            announced = num(up[0][1]);
            received = num(up[0][2]);
        }
        if (received + units > announced)
            return {
                QStringLiteral("piece %1 goes beyond the announced size of %2").arg(number).arg(announced),
                false};
        received += units;
        const bool complete = received == announced;
        c.exec("INSERT INTO upload_pieces (upload_id, piece, data) VALUES (?, ?, ?)",
               {uploadId, qint64(number), data});
        if (number == 1)
            c.exec("INSERT INTO uploads (name, part, upload_id, announced, received, next_piece, complete, "
                   "session,"
                   " updated_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                   {name, code, uploadId, announced, received, qint64(number + 1), qint64(complete), session,
                    StoreNow()});
        else
            c.exec(
                "UPDATE uploads SET received = ?, next_piece = ?, complete = ?, session = ?, updated_at = ?"
                " WHERE name = ? AND part = ?",
                {received, qint64(number + 1), qint64(complete), session, StoreNow(), name, code});
        if (!complete) return {QString(), false};
        const auto staged =
            c.query("SELECT header, need_audio, need_text FROM staged_headers WHERE name = ?", {name});
        if (staged.isEmpty()) {
            applyPart(c, name, part);
            return {QString(), true};
        }
        // A waiting header is exposed only together with everything it announced.
        auto partDone = [&](const char* p) {
            const auto r = c.query("SELECT complete FROM uploads WHERE name = ? AND part = ?",
                                   {name, QString::fromLatin1(p)});
            return !r.isEmpty() && num(r[0][0]) == 1;
        };
        if ((num(staged[0][1]) == 0 || partDone("A")) && (num(staged[0][2]) == 0 || partDone("T")))
            applyHeader(c, name, str(staged[0][0]));
        return {QString(), true};
    });
}

std::optional<QByteArray> Store::readAudio(const QString& name) {
    Lease c = lease();
    const auto rows = c->query("SELECT audio_upload FROM recordings WHERE name = ? AND visible = 1", {name});
    if (rows.isEmpty()) return std::nullopt;
    QByteArray data;
    if (!rows[0][0].isNull())
        for (const Row& r :
             c->query("SELECT data FROM upload_pieces WHERE upload_id = ? ORDER BY piece", {rows[0][0]}))
            data += r[0].toByteArray();
    return data;
}

std::optional<QString> Store::readText(const QString& name) {
    const auto rows = lease()->query("SELECT text FROM recordings WHERE name = ? AND visible = 1", {name});
    if (rows.isEmpty()) return std::nullopt;
    return str(rows[0][0]);
}

bool Store::setStatus(const QString& name, const QString& status, const AuditEntry* audit) {
    return write([&](Connection& c) {
        auditRow(c, audit, name);
        // Leaving "BUSY" ends the claim.
        if (status == QLatin1String("BUSY"))
            return c.exec("UPDATE recordings SET status = ?, updated_at = ? WHERE name = ? AND visible = 1",
                          {status, StoreNow(), name}) == 1;
        return c.exec("UPDATE recordings SET status = ?, claimed_by = NULL, claimed_at = NULL, updated_at = ?"
                      " WHERE name = ? AND visible = 1",
                      {status, StoreNow(), name}) == 1;
    });
}

QString Store::claimNext(const Selection& selection, const QString& user, const AuditEntry* audit) {
    QVariantList params;
    QString sql = QStringLiteral("SELECT name FROM recordings WHERE ") +
                  selectionWhere(selection, true, params) + QStringLiteral(" ORDER BY ") +
                  selectionOrder(selection) + QStringLiteral(" LIMIT 1");
    if (dialect() == Dialect::Postgres) sql += QStringLiteral(" FOR UPDATE SKIP LOCKED");
    const QByteArray select = sql.toUtf8();
    return write([&](Connection& c) -> QString {
        const auto rows = c.query(select.constData(), params);
        if (rows.isEmpty()) return QString();
        const QString name = str(rows[0][0]);
        const qint64 changed =
            c.exec("UPDATE recordings SET status = 'BUSY', claimed_by = ?, claimed_at = ?, updated_at = ?"
                   " WHERE name = ? AND status IN ('NONE', 'DICTATED')",
                   {user, StoreNow(), StoreNow(), name});
        if (changed != 1) return QString();
        auditRow(c, audit, name);
        return name;
    });
}

QList<ListRow> Store::listRows(const Selection& selection, int offset, int limit) {
    QVariantList params;
    const QString sql =
        QStringLiteral("SELECT name, kind, status, created, priority, patient, account, author,"
                       " description, seconds FROM recordings WHERE ") +
        selectionWhere(selection, false, params) + QStringLiteral(" ORDER BY ") + selectionOrder(selection) +
        QStringLiteral(" LIMIT ? OFFSET ?");
    params << qint64(limit) << qint64(offset);
    const QByteArray text = sql.toUtf8();
    QList<ListRow> out;
    for (const Row& r : lease()->query(text.constData(), params)) {
        out.append({str(r[0]), str(r[1]), str(r[2]), str(r[3]), str(r[5]), str(r[6]), str(r[7]), str(r[8]),
                    str(r[9]), int(num(r[4]))});
    }
    return out;
}

qint64 Store::uploadsInProgress() {
    const auto rows = lease()->query("SELECT COUNT(*) FROM uploads WHERE complete = 0");
    return rows.isEmpty() ? 0 : num(rows[0][0]);
}

// List cursors -----------------------------------------------------------

int Store::cursorGet(const QString& session, const QString& request, int maxAgeSeconds) {
    const QString oldest = QDateTime::currentDateTimeUtc()
                               .addSecs(-maxAgeSeconds)
                               .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    const auto rows = lease()->query(
        "SELECT position FROM list_cursors WHERE session = ? AND request = ? AND updated_at >= ?",
        {session, request, oldest});
    return rows.isEmpty() ? -1 : int(num(rows[0][0]));
}

void Store::cursorSet(const QString& session, const QString& request, int position) {
    write([&](Connection& c) {
        // Lists abandoned half-way leave cursors behind; an hour is plenty.
        c.exec(
            "DELETE FROM list_cursors WHERE updated_at < ?",
            {QDateTime::currentDateTimeUtc().addSecs(-3600).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))});
        c.exec("DELETE FROM list_cursors WHERE session = ? AND request = ?", {session, request});
        c.exec("INSERT INTO list_cursors (session, request, position, updated_at) VALUES (?, ?, ?, ?)",
               {session, request, qint64(position), StoreNow()});
    });
}

void Store::cursorDrop(const QString& session, const QString& request) {
    write([&](Connection& c) {
        c.exec("DELETE FROM list_cursors WHERE session = ? AND request = ?", {session, request});
    });
}

// Speech profiles ---------------------------------------------------------

QStringList Store::profileItemNames() {
    QStringList names;
    for (const Row& r : lease()->query("SELECT name FROM profile_items ORDER BY name"))
        names << str(r[0]);
    return names;
}

std::optional<QString> Store::profileItemGet(const QString& name) {
    const auto rows = lease()->query("SELECT content FROM profile_items WHERE name = ?", {name});
    if (rows.isEmpty()) return std::nullopt;
    return str(rows[0][0]);
}

void Store::profileItemSet(const QString& name, const QString& content) {
    write([&](Connection& c) {
        c.exec("DELETE FROM profile_items WHERE name = ?", {name});
        c.exec("INSERT INTO profile_items (name, content) VALUES (?, ?)", {name, content});
    });
}

void Store::profileUploadOpen(const QString& session, const QString& name, const QString& folder) {
    write([&](Connection& c) {
        c.exec("DELETE FROM profile_upload_blocks WHERE session = ? AND name = ? AND folder = ?",
               {session, name, folder});
        c.exec("DELETE FROM profile_uploads WHERE session = ? AND name = ? AND folder = ?",
               {session, name, folder});
        c.exec("INSERT INTO profile_uploads (session, name, folder, next_block, updated_at) VALUES (?, ?, ?, "
               "0, ?)",
               {session, name, folder, StoreNow()});
    });
}

QString Store::profileUploadWrite(const QString& session, const QString& name, const QString& folder,
                                  const QByteArray& block) {
    return write([&](Connection& c) -> QString {
        const auto rows =
            c.query("SELECT next_block FROM profile_uploads WHERE session = ? AND name = ? AND folder = ?",
                    {session, name, folder});
        if (rows.isEmpty()) return QStringLiteral("the file is not open for writing");
        const qint64 n = num(rows[0][0]);
        c.exec(
            "INSERT INTO profile_upload_blocks (session, name, folder, block, data) VALUES (?, ?, ?, ?, ?)",
            {session, name, folder, n, block});
        c.exec("UPDATE profile_uploads SET next_block = ?, updated_at = ? WHERE session = ? AND name = ? AND "
               "folder = ?",
               {n + 1, StoreNow(), session, name, folder});
        return QString();
    });
}

QString Store::profileUploadClose(const QString& session, const QString& name, const QString& folder) {
    return write([&](Connection& c) -> QString {
        if (c.query("SELECT next_block FROM profile_uploads WHERE session = ? AND name = ? AND folder = ?",
                    {session, name, folder})
                .isEmpty())
            return QStringLiteral("the file is not open for writing");
        QByteArray data;
        for (const Row& r :
             c.query("SELECT data FROM profile_upload_blocks WHERE session = ? AND name = ? AND"
                     " folder = ? ORDER BY block",
                     {session, name, folder}))
            data += r[0].toByteArray();
        c.exec("DELETE FROM profile_files WHERE name = ? AND folder = ?", {name, folder});
        c.exec("INSERT INTO profile_files (name, folder, data, updated_at) VALUES (?, ?, ?, ?)",
               {name, folder, data, StoreNow()});
        c.exec("DELETE FROM profile_upload_blocks WHERE session = ? AND name = ? AND folder = ?",
               {session, name, folder});
        c.exec("DELETE FROM profile_uploads WHERE session = ? AND name = ? AND folder = ?",
               {session, name, folder});
        return QString();
    });
}

bool Store::profileReadOpen(const QString& session, const QString& name, const QString& folder) {
    return write([&](Connection& c) {
        if (c.query("SELECT name FROM profile_files WHERE name = ? AND folder = ?", {name, folder}).isEmpty())
            return false;
        c.exec("DELETE FROM profile_reads WHERE session = ? AND name = ? AND folder = ?",
               {session, name, folder});
        c.exec("INSERT INTO profile_reads (session, name, folder, position) VALUES (?, ?, ?, 0)",
               {session, name, folder});
        return true;
    });
}

std::optional<QByteArray> Store::profileRead(const QString& session, const QString& name,
                                             const QString& folder, int maxBytes) {
    return write([&](Connection& c) -> std::optional<QByteArray> {
        const auto pos =
            c.query("SELECT position FROM profile_reads WHERE session = ? AND name = ? AND folder = ?",
                    {session, name, folder});
        const auto file =
            c.query("SELECT data FROM profile_files WHERE name = ? AND folder = ?", {name, folder});
        if (pos.isEmpty() || file.isEmpty()) return std::nullopt;
        const QByteArray data = file[0][0].toByteArray();
        const qint64 from = num(pos[0][0]);
        const QByteArray block = data.mid(from, maxBytes);
        c.exec("UPDATE profile_reads SET position = ? WHERE session = ? AND name = ? AND folder = ?",
               {from + block.size(), session, name, folder});
        return block;
    });
}

void Store::profileReadClose(const QString& session, const QString& name, const QString& folder) {
    write([&](Connection& c) {
        c.exec("DELETE FROM profile_reads WHERE session = ? AND name = ? AND folder = ?",
               {session, name, folder});
    });
}

// Reference data ------------------------------------------------------------

namespace {
QString jstr(const QJsonObject& o, const char* key) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isDouble()) return QString::number(v.toDouble(), 'g', 15);
    if (v.isBool()) return v.toBool() ? QStringLiteral("Y") : QStringLiteral("N");
    return v.toString();
}
QString cells(const QJsonValue& v) {
    QStringList out;
    for (const QJsonValue& c : v.toArray())
        out << c.toString();
    return out.join(QLatin1Char('\t'));
}
// Worklist answer positions of the named fields (fields are separated by "æ").
const QList<QPair<const char*, int>> kWorklistPositions = {{"key", 0},          {"dateOfService", 1},
                                                           {"account", 2},      {"patientLast", 3},
                                                           {"patientFirst", 4}, {"study", 6},
                                                           {"modality", 10},    {"placeOfService", 11},
                                                           {"stat", 22},        {"referringPhysician", 25}};
} // namespace

void Store::importReference(const QJsonObject& data) {
    write([&](Connection& c) {
        if (data.contains(QLatin1String("trackingTypes"))) {
            c.exec("DELETE FROM tracking_types");
            qint64 seq = 0;
            for (const QJsonValue& v : data.value(QLatin1String("trackingTypes")).toArray()) {
                const QJsonObject o = v.toObject();
                c.exec("INSERT INTO tracking_types (seq, code, description, value) VALUES (?, ?, ?, ?)",
                       {seq++, jstr(o, "code"), jstr(o, "description"), jstr(o, "value")});
            }
        }
        if (data.contains(QLatin1String("worklist"))) {
            c.exec("DELETE FROM worklist");
            for (const QJsonValue& v : data.value(QLatin1String("worklist")).toArray()) {
                const QJsonObject o = v.toObject();
                QStringList fields(26);
                for (const auto& [key, at] : kWorklistPositions)
                    fields[at] = jstr(o, key);
                if (fields[0].isEmpty()) throw StoreError("a worklist entry has no key");
                c.exec("INSERT INTO worklist (key, fields) VALUES (?, ?)",
                       {fields[0], fields.join(QChar(0xE6))});
            }
        }
        if (data.contains(QLatin1String("workflow"))) {
            c.exec("DELETE FROM workflow");
            c.exec("DELETE FROM workflow_history");
            c.exec("DELETE FROM workflow_images");
            c.exec("DELETE FROM workflow_notes");
            qint64 seq = 0;
            for (const QJsonValue& v : data.value(QLatin1String("workflow")).toArray()) {
                const QJsonObject o = v.toObject();
                const QString worklistKey = jstr(o, "worklistKey");
                for (const QJsonValue& item : o.value(QLatin1String("items")).toArray()) {
                    const QJsonObject i = item.toObject();
                    c.exec(
                        "INSERT INTO workflow (key, worklist_key, seq, description, date, status, dictated)"
                        " VALUES (?, ?, ?, ?, ?, ?, ?)",
                        {jstr(i, "key"), worklistKey, seq++, jstr(i, "description"), jstr(i, "date"),
                         jstr(i, "status"), qint64(i.value(QLatin1String("dictated")).toBool())});
                }
                qint64 n = 0;
                for (const QJsonValue& h : o.value(QLatin1String("history")).toArray())
                    c.exec("INSERT INTO workflow_history (worklist_key, seq, cells) VALUES (?, ?, ?)",
                           {worklistKey, n++, cells(h)});
                n = 0;
                for (const QJsonValue& h : o.value(QLatin1String("images")).toArray())
                    c.exec("INSERT INTO workflow_images (worklist_key, seq, cells) VALUES (?, ?, ?)",
                           {worklistKey, n++, cells(h)});
                if (o.contains(QLatin1String("notes")))
                    c.exec("INSERT INTO workflow_notes (worklist_key, notes) VALUES (?, ?)",
                           {worklistKey, jstr(o, "notes")});
            }
        }
        if (data.contains(QLatin1String("colors"))) {
            c.exec("DELETE FROM colors");
            qint64 i = 0;
            for (const QJsonValue& v : data.value(QLatin1String("colors")).toArray())
                c.exec("INSERT INTO colors (idx, value) VALUES (?, ?)",
                       {i++, v.isDouble() ? QString::number(qint64(v.toDouble())) : v.toString()});
        }
        if (data.contains(QLatin1String("codeTables"))) {
            c.exec("DELETE FROM code_tables");
            for (const QJsonValue& v : data.value(QLatin1String("codeTables")).toArray()) {
                const QJsonObject o = v.toObject();
                c.exec("INSERT INTO code_tables (table_name, code, description) VALUES (?, ?, ?)",
                       {jstr(o, "table"), jstr(o, "code"), jstr(o, "description")});
            }
        }
    });
}

QList<TrackingType> Store::trackingTypes() {
    QList<TrackingType> out;
    for (const Row& r : lease()->query("SELECT code, description, value FROM tracking_types ORDER BY seq"))
        out.append({str(r[0]), str(r[1]), str(r[2])});
    return out;
}

std::optional<QStringList> Store::worklistFields(const QString& key) {
    const auto rows = lease()->query("SELECT fields FROM worklist WHERE key = ?", {key});
    if (rows.isEmpty()) return std::nullopt;
    return str(rows[0][0]).split(QChar(0xE6));
}

QList<WorkflowItem> Store::workflowItems(const QString& worklistKey, bool includeDictated) {
    QList<WorkflowItem> out;
    write([&](Connection& c) {
        for (const Row& r : c.query("SELECT key, description, date, status, dictated FROM workflow"
                                    " WHERE worklist_key = ? AND (dictated = 0 OR ? = 1) ORDER BY seq",
                                    {worklistKey, qint64(includeDictated)}))
            out.append({str(r[0]), str(r[1]), str(r[2]), str(r[3]), num(r[4]) == 1});
        c.exec("UPDATE workflow SET reserved = 1 WHERE worklist_key = ?", {worklistKey});
    });
    return out;
}

bool Store::workflowRelease(const QString& worklistKey) {
    return write([&](Connection& c) {
        return c.exec("UPDATE workflow SET reserved = 0 WHERE worklist_key = ? AND reserved = 1",
                      {worklistKey}) > 0;
    });
}

QList<QStringList> Store::workflowHistory(const QString& worklistKey) {
    QList<QStringList> out;
    for (const Row& r : lease()->query(
             "SELECT cells FROM workflow_history WHERE worklist_key = ? ORDER BY seq", {worklistKey}))
        out << str(r[0]).split(QLatin1Char('\t'));
    return out;
}

QList<QStringList> Store::workflowImages(const QString& worklistKey) {
    QList<QStringList> out;
    for (const Row& r : lease()->query(
             "SELECT cells FROM workflow_images WHERE worklist_key = ? ORDER BY seq", {worklistKey}))
        out << str(r[0]).split(QLatin1Char('\t'));
    return out;
}

QString Store::workflowNotes(const QString& worklistKey) {
    const auto rows =
        lease()->query("SELECT notes FROM workflow_notes WHERE worklist_key = ?", {worklistKey});
    return rows.isEmpty() ? QString() : str(rows[0][0]);
}

QStringList Store::colors() {
    QStringList out;
    for (const Row& r : lease()->query("SELECT value FROM colors ORDER BY idx"))
        out << str(r[0]);
    return out;
}

// Users and audit ---------------------------------------------------------------

void Store::userSet(const User& user) {
    write([&](Connection& c) {
        c.exec("DELETE FROM users WHERE name = ?", {user.name});
        c.exec("INSERT INTO users (name, hash, roles) VALUES (?, ?, ?)",
               {user.name, user.hash, user.roles.join(QLatin1Char(','))});
    });
}

std::optional<User> Store::user(const QString& name) {
    const auto rows = lease()->query("SELECT name, hash, roles FROM users WHERE name = ?", {name});
    if (rows.isEmpty()) return std::nullopt;
    return User{str(rows[0][0]), str(rows[0][1]),
                str(rows[0][2]).split(QLatin1Char(','), Qt::SkipEmptyParts)};
}

bool Store::userSetPassword(const QString& name, const QString& hash) {
    return write([&](Connection& c) {
        return c.exec("UPDATE users SET hash = ? WHERE name = ?", {hash, name}) == 1;
    });
}

void Store::audit(const QString& user, const QString& verb, const QString& family, const QString& name) {
    lease()->exec("INSERT INTO audit (at, username, verb, family, name) VALUES (?, ?, ?, ?, ?)",
                  {StoreNow(), user, verb, family, name});
}

qint64 Store::auditCount() {
    const auto rows = lease()->query("SELECT COUNT(*) FROM audit");
    return rows.isEmpty() ? 0 : num(rows[0][0]);
}

} // namespace relayhub
