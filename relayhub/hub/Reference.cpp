#include "Reference.h"

#include "Auth.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace relayhub {

QString ReferenceImport(Store& store, const QByteArray& json) {
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (doc.isNull())
        return QStringLiteral("not valid JSON: ") + parseError.errorString();
    if (!doc.isObject())
        return QStringLiteral("the reference data must be a JSON object");
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

QString ReferenceImportFile(Store& store, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
    return ReferenceImport(store, file.readAll());
}

} // namespace relayhub
