// Versioned schema migrations. Each step runs once, in order, inside one
// transaction with the version bump; a database never goes backwards.
#include "Schema.h"

namespace relayhub {

namespace {
// "BLOB" and "ID" are replaced per backend.
const char* const kVersion1[] = {
    "CREATE TABLE counters (name TEXT PRIMARY KEY, value BIGINT NOT NULL)",
    "INSERT INTO counters (name, value) VALUES ('recording', 0)",
    "INSERT INTO counters (name, value) VALUES ('upload', 0)",
    "CREATE TABLE recordings ("
    " name TEXT PRIMARY KEY, kind TEXT NOT NULL, visible INTEGER NOT NULL DEFAULT 0,"
    " header TEXT NOT NULL DEFAULT '', status TEXT NOT NULL DEFAULT 'NONE', author TEXT NOT NULL DEFAULT '',"
    " priority INTEGER NOT NULL DEFAULT 2, created TEXT NOT NULL DEFAULT '', patient TEXT NOT NULL DEFAULT "
    "'',"
    " account TEXT NOT NULL DEFAULT '', description TEXT NOT NULL DEFAULT '', seconds TEXT NOT NULL DEFAULT "
    "'',"
    " search TEXT NOT NULL DEFAULT '', audio_upload BIGINT, audio_size BIGINT NOT NULL DEFAULT 0,"
    " text TEXT, text_length BIGINT NOT NULL DEFAULT 0, claimed_by TEXT, claimed_at TEXT,"
    " updated_at TEXT NOT NULL DEFAULT '')",
    "CREATE INDEX recordings_waiting ON recordings (priority DESC, created, name)"
    " WHERE visible = 1 AND kind = 'DICTATION' AND status IN ('NONE', 'DICTATED')",
    // Lists read in the default order; archived dictations (usually the
    // oldest) would otherwise be walked past on every first page.
    "CREATE INDEX recordings_active ON recordings (priority DESC, created, name)"
    " WHERE visible = 1 AND status NOT IN ('TRANSCRIBED', 'CANCELLED')",
    "CREATE INDEX recordings_all ON recordings (priority DESC, created, name) WHERE visible = 1",
    "CREATE TABLE staged_headers (name TEXT PRIMARY KEY, header TEXT NOT NULL, need_audio INTEGER NOT NULL,"
    " need_text INTEGER NOT NULL, updated_at TEXT NOT NULL)",
    // An upload's pieces stay where they were written: a complete audio
    // upload becomes the recording's audio by switching audio_upload.
    "CREATE TABLE uploads (name TEXT NOT NULL, part TEXT NOT NULL, upload_id BIGINT NOT NULL,"
    " announced BIGINT NOT NULL, received BIGINT NOT NULL, next_piece INTEGER NOT NULL,"
    " complete INTEGER NOT NULL DEFAULT 0, session TEXT NOT NULL DEFAULT '', updated_at TEXT NOT NULL,"
    " PRIMARY KEY (name, part))",
    "CREATE TABLE upload_pieces (upload_id BIGINT NOT NULL, piece INTEGER NOT NULL, data BLOB NOT NULL,"
    " PRIMARY KEY (upload_id, piece))",
    "CREATE TABLE list_cursors (session TEXT NOT NULL, request TEXT NOT NULL, position INTEGER NOT NULL,"
    " updated_at TEXT NOT NULL, PRIMARY KEY (session, request))",
    "CREATE TABLE profile_items (name TEXT PRIMARY KEY, content TEXT NOT NULL)",
    "CREATE TABLE profile_files (name TEXT NOT NULL, folder TEXT NOT NULL, data BLOB NOT NULL,"
    " updated_at TEXT NOT NULL, PRIMARY KEY (name, folder))",
    "CREATE TABLE profile_uploads (session TEXT NOT NULL, name TEXT NOT NULL, folder TEXT NOT NULL,"
    " next_block INTEGER NOT NULL, updated_at TEXT NOT NULL, PRIMARY KEY (session, name, folder))",
    "CREATE TABLE profile_upload_blocks (session TEXT NOT NULL, name TEXT NOT NULL, folder TEXT NOT NULL,"
    " block INTEGER NOT NULL, data BLOB NOT NULL, PRIMARY KEY (session, name, folder, block))",
    "CREATE TABLE profile_reads (session TEXT NOT NULL, name TEXT NOT NULL, folder TEXT NOT NULL,"
    " position BIGINT NOT NULL, PRIMARY KEY (session, name, folder))",
    "CREATE TABLE tracking_types (seq INTEGER PRIMARY KEY, code TEXT NOT NULL, description TEXT NOT NULL,"
    " value TEXT NOT NULL)",
    "CREATE TABLE worklist (key TEXT PRIMARY KEY, fields TEXT NOT NULL)",
    "CREATE TABLE workflow (key TEXT PRIMARY KEY, worklist_key TEXT NOT NULL, seq INTEGER NOT NULL,"
    " description TEXT NOT NULL, date TEXT NOT NULL, status TEXT NOT NULL, dictated INTEGER NOT NULL,"
    " reserved INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE workflow_history (worklist_key TEXT NOT NULL, seq INTEGER NOT NULL, cells TEXT NOT NULL,"
    " PRIMARY KEY (worklist_key, seq))",
    "CREATE TABLE workflow_images (worklist_key TEXT NOT NULL, seq INTEGER NOT NULL, cells TEXT NOT NULL,"
    " PRIMARY KEY (worklist_key, seq))",
    "CREATE TABLE workflow_notes (worklist_key TEXT PRIMARY KEY, notes TEXT NOT NULL)",
    "CREATE TABLE colors (idx INTEGER PRIMARY KEY, value TEXT NOT NULL)",
    "CREATE TABLE code_tables (table_name TEXT NOT NULL, code TEXT NOT NULL, description TEXT NOT NULL,"
    " PRIMARY KEY (table_name, code))",
    "CREATE TABLE users (name TEXT PRIMARY KEY, hash TEXT NOT NULL, roles TEXT NOT NULL)",
    "CREATE TABLE audit (id ID, at TEXT NOT NULL, username TEXT NOT NULL, verb TEXT NOT NULL,"
    " family TEXT NOT NULL, name TEXT NOT NULL)",
};
} // namespace

QList<QStringList> SchemaMigrations(Dialect dialect) {
    QStringList v1;
    for (const char* s : kVersion1) {
        QString sql = QString::fromLatin1(s);
        if (dialect == Dialect::Postgres) {
            sql.replace(QStringLiteral(" BLOB"), QStringLiteral(" BYTEA"));
            sql.replace(QStringLiteral("id ID"), QStringLiteral("id BIGSERIAL PRIMARY KEY"));
        } else {
            sql.replace(QStringLiteral("id ID"), QStringLiteral("id INTEGER PRIMARY KEY AUTOINCREMENT"));
        }
        v1.append(sql);
    }
    return {v1};
}

} // namespace relayhub
