#include "Reference.h"

#include "Auth.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace relayhub {

QString ReferenceImport(Store& store, const QByteArray& json) {
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (doc.isNull()) return QStringLiteral("not valid JSON: ") + parseError.errorString();
    if (!doc.isObject()) return QStringLiteral("the reference data must be a JSON object");
    const QJsonObject data = doc.object();
    QList<User> users;
    for (const QJsonValue& v : data.value(QLatin1String("users")).toArray()) {
        const QJsonObject o = v.toObject();
        User u{o.value(QLatin1String("name")).toString(), QString(), {}};
        const QString password = o.value(QLatin1String("password")).toString();
        if (u.name.isEmpty() || password.isEmpty())
            return QStringLiteral("every user needs a name and a password");
        for (const QJsonValue& r : o.value(QLatin1String("roles")).toArray())
            u.roles << r.toString();
        u.hash = PasswordHash(password);
        users << u;
    }
    try {
        store.importReference(data);
        for (const User& u : users)
            store.userSet(u);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

namespace {
// Rows of a CSV text: fields separated by commas, optionally in double quotes
// (a doubled quote inside stands for one). Returns false on an open quote.
bool csvRows(const QString& text, QList<QStringList>& rows) {
    QStringList row;
    QString field;
    bool quoted = false, any = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            any = true;
        } else if (c == QLatin1Char(',')) {
            row << field;
            field.clear();
            any = true;
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
            if (any || !field.isEmpty()) {
                row << field;
                rows << row;
            }
            row.clear();
            field.clear();
            any = false;
        } else {
            field += c;
            any = true;
        }
    }
    if (quoted) return false;
    if (any || !field.isEmpty()) {
        row << field;
        rows << row;
    }
    return true;
}
} // namespace

QString ReferenceImportCsv(Store& store, const QString& section, const QByteArray& csv) {
    static const QStringList kSections = {QStringLiteral("users"), QStringLiteral("trackingTypes"),
                                          QStringLiteral("worklist"), QStringLiteral("codeTables"),
                                          QStringLiteral("colors")};
    if (!kSections.contains(section))
        return QStringLiteral("a CSV file holds one of the sections %1")
            .arg(kSections.join(QStringLiteral(", ")));
    QList<QStringList> rows;
    if (!csvRows(QString::fromUtf8(csv), rows))
        return QStringLiteral("the CSV text ends inside a quoted field");
    if (rows.isEmpty()) return QStringLiteral("the CSV text has no header line");
    const QStringList names = rows.takeFirst();
    QJsonArray entries;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        if (rows[r].size() != names.size())
            return QStringLiteral("CSV line %1 has %2 fields, the header %3")
                .arg(r + 2)
                .arg(rows[r].size())
                .arg(names.size());
        if (section == QLatin1String("colors")) {
            entries.append(rows[r].value(names.indexOf(QStringLiteral("value"))));
            continue;
        }
        QJsonObject o;
        for (qsizetype c = 0; c < names.size(); ++c) {
            if (section == QLatin1String("users") && names[c] == QLatin1String("roles"))
                o.insert(names[c],
                         QJsonArray::fromStringList(rows[r][c].split(QLatin1Char(';'), Qt::SkipEmptyParts)));
            else
                o.insert(names[c], rows[r][c]);
        }
        entries.append(o);
    }
    QJsonObject data;
    data.insert(section, entries);
    return ReferenceImport(store, QJsonDocument(data).toJson());
}

QString ReferenceImportFile(Store& store, const QString& path, const QString& section) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
    if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return ReferenceImportCsv(store, section, file.readAll());
    return ReferenceImport(store, file.readAll());
}

} // namespace relayhub
