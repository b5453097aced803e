#include "Hub.h"

#include "protocol/Protocol.h"

#include <QDateTime>

namespace relayhub {

namespace {
const QString kOK = QStringLiteral("OK");

QString refuse(RequestInfo& info, const QString& reason) {
    info.outcome = QStringLiteral("refused");
    return QStringLiteral("ERROR: ") + reason;
}

QStringList words(const QString& text, bool upper = true) {
    QStringList out;
    for (QString w : text.split(QRegularExpression(QStringLiteral("[,;\\s]+")), Qt::SkipEmptyParts))
        out << (upper ? w.toUpper() : w);
    return out;
}

bool isStatusWord(const QString& s) {
    static const QStringList kWords = {QStringLiteral("NONE"), QStringLiteral("DICTATED"),
                                       QStringLiteral("BUSY"), QStringLiteral("TRANSCRIBED"),
                                       QStringLiteral("CANCELLED")};
    return kWords.contains(s);
}

bool isKind(const QString& k) {
    return k == QLatin1String("DICTATION") || k == QLatin1String("PHONE_MESSAGE") ||
           k == QLatin1String("RTF");
}

// Cell code suffixes: white background ("Q"), black text ("Z"), left aligned.
QString columnCell(const QString& title, int width) {
    return title + QStringLiteral("QZ0") + QStringLiteral("%1").arg(width, 2, 10, QLatin1Char('0'));
}
QString cleanCell(QString text) { return text.replace(QLatin1Char('\t'), QLatin1Char(' ')); }
QString listCell(const QString& text, QChar textColor = QLatin1Char('Z')) {
    return cleanCell(text) + QStringLiteral("0000Q") + textColor + QLatin1Char('0');
}
QString workflowCell(const QString& text, QChar control = QLatin1Char('0')) {
    return cleanCell(text) + QLatin1Char('0') + control + QStringLiteral("QZ0");
}
QString detailCell(const QString& text) { return cleanCell(text) + QStringLiteral("QZ0"); }

const char* const kPriorityWords[] = {"", "LO", "MED", "HI", "STAT"};
} // namespace

bool Caller::hasRole(const char* role) const {
    return roles.contains(QString::fromLatin1(role)) || roles.contains(QStringLiteral("admin"));
}

Selection SelectionParse(const QString& sort, const QString& author, const QString& priority,
                         const QString& archive, const QString& excluded, const QString& search,
                         const QString& column) {
    Selection s;
    s.sortWords = words(sort);
    if (author.trimmed() != QLatin1String("*")) s.authors = words(author);
    const QString p = priority.trimmed();
    if (p != QLatin1String("*")) {
        bool ok = false;
        const int v = p.toInt(&ok);
        s.priority = ok && v > 0 ? v : 0;
    }
    s.archive = archive.trimmed().toUpper().startsWith(QLatin1Char('Y'));
    if (excluded.trimmed() != QLatin1String("*")) s.excluded = words(excluded);
    s.search = search.trimmed();
    QString c = column.trimmed();
    if (c.endsWith(QLatin1Char('d'))) {
        s.descending = true;
        c.chop(1);
    }
    bool ok = false;
    const int cell = c.toInt(&ok);
    s.sortCell = ok && cell >= 1 && cell <= 9 ? cell : 0;
    return s;
}

Hub::Hub(Store& store, HubOptions options) : m_store(store), m_options(options) {}

QStringList Hub::defaultColors() {
    QStringList t(101);
    const QList<QPair<int, const char*>> values = {
        {1, "6414400"},   {2, "1214208"},    {3, "26950"},     {4, "4934475"},   {5, "44247"},
        {6, "55212"},     {7, "255"},        {8, "5869055"},   {9, "10179"},     {10, "21413"},
        {11, "12779520"}, {12, "68992200"},  {13, "8847540"},  {14, "21609"},    {15, "3689"},
        {16, "6891520"},  {17, "16777215"},  {18, "255"},      {19, "6414400"},  {20, "6414400"},
        {21, "6414400"},  {22, "6414400"},   {23, "16777215"}, {24, "12632256"}, {25, "65535"},
        {26, "0"},        {33, "13827960"},  {34, "7929720"},  {35, "7929810"},  {36, "13815502"},
        {37, "7922943"},  {38, "7929828"},   {39, "9869055"},  {40, "9851105"},  {41, "5272575"},
        {42, "5286143"},  {43, "167428520"}, {44, "16765560"}, {45, "16742610"}, {46, "3842233"},
        {47, "3820473"},  {48, "16769596"}};
    for (const auto& [i, v] : values)
        t[i] = QString::fromLatin1(v);
    return t;
}

QString Hub::process(const QString& request, const Caller& caller, RequestInfo* info) {
    RequestInfo local;
    RequestInfo& i = info ? *info : local;
    try {
        return dispatch(request, caller, i);
    } catch (const std::exception& e) {
        i.outcome = QStringLiteral("error");
        return QStringLiteral("ERROR: the server could not complete the request: ") +
               QString::fromUtf8(e.what());
    }
}

QStringList Hub::processBlocks(const QString& request, const Caller& caller, RequestInfo* info) {
    RequestInfo local;
    RequestInfo& i = info ? *info : local;
    try {
        return dispatchBlocks(request, caller, i);
    } catch (const std::exception& e) {
        i.outcome = QStringLiteral("error");
        return {QStringLiteral("ERROR: the server could not complete the request: ") +
                QString::fromUtf8(e.what())};
    }
}

QString Hub::dispatch(const QString& request, const Caller& caller, RequestInfo& info) {
    const QStringList f = RequestSplit(request, 7);
    info.verb = f.value(0);
    info.family = f.value(1);
    if (f.size() < 2) return refuse(info, QStringLiteral("a request starts with \"|\", a verb and a family"));
    const QString& verb = f[0];
    const QString& family = f[1];
    if (verb != QLatin1String("GET") && verb != QLatin1String("SET"))
        return refuse(info, QStringLiteral("unknown verb \"%1\"").arg(verb));

    if (family == QLatin1String("COLOR") && verb == QLatin1String("GET")) return colors();
    if (family == QLatin1String("TRAN") && verb == QLatin1String("GET") &&
        f.value(2) == QLatin1String("INIT"))
        return trackingTypes();
    if (family == QLatin1String("WORKLIST") && verb == QLatin1String("GET") &&
        f.value(3) == QLatin1String("DATA"))
        return worklist(f);
    if (family == QLatin1String("FILE")) return profileFiles(request, caller);
    if (family != QLatin1String("AUDIO"))
        return refuse(info, QStringLiteral("unknown request family \"%1\"").arg(family));

    const QString kind = f.value(2);
    if (!isKind(kind)) return refuse(info, QStringLiteral("unknown recording kind \"%1\"").arg(kind));
    const QString key = f.value(3);
    const QString op = f.value(4);
    if (kind == QLatin1String("DICTATION") && verb == QLatin1String("GET")) {
        if (key == QLatin1String("NEXT")) return nextDictation(RequestSplit(request), caller, info);
        if (key == QLatin1String("WORKFLOW")) return workflow(RequestSplit(request));
        if (key == QLatin1String("WORKHIST")) return workflowHistory(RequestSplit(request));
        if (key == QLatin1String("*"))
            return refuse(info, QStringLiteral("the dictation list is answered in blocks"));
    }
    if (kind == QLatin1String("DICTATION") && verb == QLatin1String("SET") && op == QLatin1String("STATUS"))
        return statusChange(RequestSplit(request), caller, info);
    if (key.isEmpty()) return refuse(info, QStringLiteral("the recording name is missing"));
    info.name = key;
    if (verb == QLatin1String("SET") && op == QLatin1String("0"))
        return recordingHeaderStore(RequestSplit(request), caller, info);
    if (verb == QLatin1String("SET")) return recordingPiece(request, caller, info);
    if (op == QLatin1String("0")) return recordingHeaderRead(f, caller, info);
    if (op == QLatin1String("FILE")) return refuse(info, QStringLiteral("downloads are answered in blocks"));
    return refuse(info, QStringLiteral("unknown recording request \"%1\"").arg(op));
}

QStringList Hub::dispatchBlocks(const QString& request, const Caller& caller, RequestInfo& info) {
    const QStringList f = RequestSplit(request);
    info.verb = f.value(0);
    info.family = f.value(1);
    if (f.value(0) == QLatin1String("GET") && f.value(1) == QLatin1String("AUDIO")) {
        if (f.value(2) == QLatin1String("DICTATION") && f.value(3) == QLatin1String("*")) {
            if (f.size() < 10)
                return {refuse(info, QStringLiteral("the dictation list request has too few fields"))};
            return listPage(request, f, caller);
        }
        if (isKind(f.value(2)) && f.value(4) == QLatin1String("FILE"))
            return recordingDownload(f, caller, info);
    }
    // Anything else answers as one block.
    return {dispatch(request, caller, info)};
}

// Recording storage -----------------------------------------------------------

QString Hub::recordingHeaderStore(const QStringList& f, const Caller& caller, RequestInfo& info) {
    const QString kind = f[2];
    if (kind == QLatin1String("RTF")) return refuse(info, QStringLiteral("text has no header of its own"));
    const QString key = f[3] == QLatin1String("NEXTKEY") ? QString() : f[3];
    QString name;
    const AuditEntry audit{caller.user, f[0], kind};
    const QString error = m_store.storeHeader(key, kind, f.mid(5), &audit, &name);
    info.name = name;
    if (!error.isEmpty()) return refuse(info, error);
    return name;
}

QString Hub::recordingPiece(const QString& request, const Caller& caller, RequestInfo& info) {
    const QStringList f = RequestSplit(request, 6);
    bool ok = false;
    const int number = f.value(4).toInt(&ok);
    if (!ok || number < 1)
        return refuse(info, QStringLiteral("\"%1\" is not a piece number").arg(f.value(4)));
    if (f.size() < 6) return refuse(info, QStringLiteral("piece %1 carries no data").arg(number));
    const QString& piece = f[5];
    const bool text = f[2] == QLatin1String("RTF");
    PieceOutcome outcome;
    const AuditEntry audit{caller.user, f[0], f[2]};
    if (text) {
        const QByteArray data(reinterpret_cast<const char*>(piece.utf16()), piece.size() * 2);
        outcome = m_store.storePiece(f[3], Part::Text, number, data, piece.size(), caller.session, &audit);
    } else {
        bool mapped = false;
        const QByteArray data = TextToBytes(piece, &mapped);
        if (!mapped)
            return refuse(info, QStringLiteral("piece %1 holds a character that is not a byte").arg(number));
        outcome = m_store.storePiece(f[3], Part::Audio, number, data, data.size(), caller.session, &audit);
    }
    if (!outcome.error.isEmpty()) return refuse(info, outcome.error);
    return kOK;
}

QString Hub::recordingHeaderRead(const QStringList& f, const Caller& caller, RequestInfo&) {
    const auto fields = m_store.readHeader(f[3]);
    if (fields) m_store.audit(caller.user, f[0], f[2], f[3]);
    // An unknown name answers empty: the control reads that as "no such dictation".
    if (!fields) return QString();
    return f[3] + QLatin1Char('|') + fields->join(QLatin1Char('|'));
}

QStringList Hub::recordingDownload(const QStringList& f, const Caller& caller, RequestInfo& info) {
    const QString name = f[3];
    info.name = name;
    QString text;
    if (f[2] == QLatin1String("RTF")) {
        const auto t = m_store.readText(name);
        if (!t) return {refuse(info, QStringLiteral("no recording named %1").arg(name))};
        text = *t;
    } else {
        const auto a = m_store.readAudio(name);
        if (!a) return {refuse(info, QStringLiteral("no recording named %1").arg(name))};
        text = BytesToText(*a);
    }
    m_store.audit(caller.user, f[0], f[2], name);
    QStringList blocks;
    for (qsizetype at = 0; at < text.size(); at += m_options.downloadBlockChars)
        blocks << kBlockPrefix + text.mid(at, m_options.downloadBlockChars);
    return blocks;
}

// Queue and list ----------------------------------------------------------------

QString Hub::nextDictation(const QStringList& f, const Caller& caller, RequestInfo& info) {
    if (!caller.hasRole("transcriptionist"))
        return refuse(info, QStringLiteral("claiming the next dictation needs the transcriptionist role"));
    const Selection s = SelectionParse(f.value(4), f.value(5), f.value(6), QStringLiteral("N"), f.value(8));
    const AuditEntry audit{caller.user, f[0], QStringLiteral("NEXT")};
    const QString name = m_store.claimNext(s, caller.user, &audit);
    info.name = name;
    return name;
}

QStringList Hub::listPage(const QString& request, const QStringList& f, const Caller& caller) {
    const Selection s = SelectionParse(f[4], f[5], f[6], f[7], f[8], f[9], f.value(10));
    // Without a session there is nowhere to keep a cursor: everything in one page.
    const bool paged = !caller.session.isEmpty();
    const int pageSize = paged ? m_options.listPageSize : 1000000;
    int position = paged ? m_store.cursorGet(caller.session, request, m_options.cursorSeconds) : -1;
    const bool first = position < 0;
    if (first) position = 0;
    const QList<ListRow> rows = m_store.listRows(s, position, pageSize + 1);
    const bool more = rows.size() > pageSize;

    QStringList blocks;
    if (first)
        blocks << QStringLiteral("|GC||") + QStringList{columnCell(QStringLiteral("Name"), 0),
                                                        columnCell(QStringLiteral("Patient"), 25),
                                                        columnCell(QStringLiteral("Date"), 16),
                                                        columnCell(QStringLiteral("Account"), 12),
                                                        columnCell(QStringLiteral("Author"), 10),
                                                        columnCell(QStringLiteral("Description"), 25),
                                                        columnCell(QStringLiteral("Status"), 12),
                                                        columnCell(QStringLiteral("Type"), 14),
                                                        columnCell(QStringLiteral("Length"), 8),
                                                        columnCell(QStringLiteral("Priority"), 8)}
                                                .join(QLatin1Char('\t'));
    for (qsizetype i = 0; i < rows.size() && i < pageSize; ++i) {
        const ListRow& r = rows[i];
        const QString created = QString(r.created)
                                    .remove(QLatin1Char('-'))
                                    .remove(QLatin1Char(':'))
                                    .replace(QLatin1Char(' '), QLatin1Char('_'));
        const int p = r.priority >= 1 && r.priority <= 4 ? r.priority : 2;
        const QChar priorityColor = p == 4 ? QLatin1Char('G') : p == 3 ? QLatin1Char('E') : QLatin1Char('Z');
        blocks << QStringLiteral("|GR||") +
                      QStringList{cleanCell(r.name),
                                  listCell(r.patient),
                                  listCell(created),
                                  listCell(r.account),
                                  listCell(r.author),
                                  listCell(r.description),
                                  listCell(r.status),
                                  listCell(r.kind == QLatin1String("PHONE_MESSAGE")
                                               ? QStringLiteral("Phone message")
                                               : QStringLiteral("Dictation")),
                                  listCell(r.seconds),
                                  listCell(QString::fromLatin1(kPriorityWords[p]), priorityColor)}
                          .join(QLatin1Char('\t'));
    }
    // The dialog shows "No Dictations" for a single row named "0".
    if (first && rows.isEmpty()) blocks << QStringLiteral("|GR||0");
    if (more) {
        m_store.cursorSet(caller.session, request, position + pageSize);
        blocks << QStringLiteral("|END|") + QString::number(position + pageSize);
    } else {
        if (!first) m_store.cursorDrop(caller.session, request);
        blocks << QStringLiteral("|END|");
    }
    return blocks;
}

QString Hub::statusChange(const QStringList& f, const Caller& caller, RequestInfo& info) {
    const QString name = f.value(3);
    info.name = name;
    const QString status = f.value(5).trimmed().toUpper();
    if (!isStatusWord(status))
        return refuse(info, QStringLiteral("\"%1\" is not a dictation status").arg(f.value(5)));
    const AuditEntry audit{caller.user, f[0], QStringLiteral("STATUS")};
    if (!m_store.setStatus(name, status, &audit))
        return refuse(info, QStringLiteral("no recording named %1").arg(name));
    return kOK;
}

// Workflow, tracking, worklist, colours -------------------------------------------

QString Hub::workflow(const QStringList& f) {
    const QString key = f.value(4);
    if (f.value(5) == QLatin1String("CANCEL")) {
        m_store.workflowRelease(key);
        return kOK;
    }
    const bool includeDictated = f.value(5).trimmed().toUpper().startsWith(QLatin1Char('Y'));
    QStringList records;
    records << QStringList{columnCell(QStringLiteral("Key"), 0), columnCell(QStringLiteral("Take"), 5),
                           columnCell(QStringLiteral("Description"), 30),
                           columnCell(QStringLiteral("Date"), 12), columnCell(QStringLiteral("Status"), 12)}
                   .join(QLatin1Char('\t'));
    for (const WorkflowItem& w : m_store.workflowItems(key, includeDictated))
        records << QStringList{workflowCell(w.key), workflowCell(QStringLiteral("0"), QLatin1Char('2')),
                               workflowCell(w.description), workflowCell(w.date), workflowCell(w.status)}
                       .join(QLatin1Char('\t'));
    return records.join(QChar(0));
}

QString Hub::workflowHistory(const QStringList& f) {
    const QString key = f.value(4);
    auto section = [](const QStringList& titles, const QList<QStringList>& rows) {
        QStringList records;
        QStringList head;
        for (const QString& t : titles)
            head << columnCell(t, 15);
        records << head.join(QLatin1Char('\t'));
        for (const QStringList& row : rows) {
            QStringList cells;
            for (const QString& c : row)
                cells << detailCell(c);
            records << cells.join(QLatin1Char('\t'));
        }
        return records.join(QChar(0));
    };
    return section({QStringLiteral("Date"), QStringLiteral("User"), QStringLiteral("Event")},
                   m_store.workflowHistory(key)) +
           QChar(3) +
           section({QStringLiteral("Image"), QStringLiteral("Date"), QStringLiteral("Description")},
                   m_store.workflowImages(key)) +
           QChar(3) + m_store.workflowNotes(key);
}

QString Hub::trackingTypes() {
    QStringList items;
    for (const TrackingType& t : m_store.trackingTypes())
        items << t.code + QStringLiteral("  ") + t.description + QLatin1Char(':') + t.value;
    return QStringLiteral("TRACKING") + QChar(1) + items.join(QChar(0));
}

QString Hub::worklist(const QStringList& f) {
    const auto fields = m_store.worklistFields(f.value(2));
    return fields ? fields->join(QChar(0xE6)) : QString();
}

QString Hub::colors() {
    QStringList table = m_store.colors();
    if (table.isEmpty()) table = defaultColors();
    return kBlockPrefix + table.join(QLatin1Char('\t')) + QChar(1);
}

// Speech profiles ---------------------------------------------------------------

QString Hub::profileFiles(const QString& request, const Caller& caller) {
    RequestInfo ignored;
    const QStringList f = RequestSplit(request, 6);
    const QString& verb = f[0];
    const QString name = f.value(2), folder = f.value(3), op = f.value(4);
    const bool set = verb == QLatin1String("SET");
    if (op == QLatin1String("DATA")) {
        if (name == QLatin1String("*") && !set) return m_store.profileItemNames().join(QLatin1Char('\t'));
        if (name.isEmpty() || name == QLatin1String("*"))
            return refuse(ignored, QStringLiteral("a profile item needs a name"));
        if (set) {
            m_store.profileItemSet(name, f.value(5));
            return kOK;
        }
        const auto content = m_store.profileItemGet(name);
        if (!content) return refuse(ignored, QStringLiteral("no profile item named %1").arg(name));
        return *content;
    }
    if (name.isEmpty() || folder.isEmpty())
        return refuse(ignored, QStringLiteral("a profile file needs a name and a folder"));
    if (set) {
        if (op == QLatin1String("OPEN")) {
            m_store.profileUploadOpen(caller.session, name, folder);
            return kOK;
        }
        if (op == QLatin1String("WRITE")) {
            bool mapped = false;
            const QByteArray block = TextToBytes(f.value(5), &mapped);
            if (!mapped)
                return refuse(ignored, QStringLiteral("the block holds a character that is not a byte"));
            const QString error = m_store.profileUploadWrite(caller.session, name, folder, block);
            return error.isEmpty() ? kOK : refuse(ignored, error);
        }
        if (op == QLatin1String("CLOSE")) {
            const QString error = m_store.profileUploadClose(caller.session, name, folder);
            return error.isEmpty() ? kOK : refuse(ignored, error);
        }
    } else {
        if (op == QLatin1String("OPEN"))
            return m_store.profileReadOpen(caller.session, name, folder)
                       ? kOK
                       : refuse(ignored, QStringLiteral("no profile file %1 in %2").arg(name, folder));
        if (op == QLatin1String("READ")) {
            const auto block = m_store.profileRead(caller.session, name, folder, m_options.profileBlockBytes);
            if (!block) return refuse(ignored, QStringLiteral("the file is not open for reading"));
            return BytesToText(*block);
        }
        if (op == QLatin1String("CLOSE")) {
            m_store.profileReadClose(caller.session, name, folder);
            return kOK;
        }
    }
    return refuse(ignored, QStringLiteral("unknown file operation \"%1\"").arg(op));
}

} // namespace relayhub
