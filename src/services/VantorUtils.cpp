#include "VantorUtils.h"

#include "common/ErrorGuard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>

Q_LOGGING_CATEGORY(lcErrorLog, "vantordictation4.errorlog")

VantorUtils::VantorUtils(QString logFilePath, QObject* parent)
    : UtilityComponent(parent), m_logFilePath(std::move(logFilePath)) {
    if (m_logFilePath.isEmpty()) {
        QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        if (folder.isEmpty()) folder = QDir::tempPath();
        m_logFilePath = folder + QStringLiteral("/VantorDictation4/error.log");
    }
}

void VantorUtils::ErrorLogWrite(QString& strErrorText) {
    qCWarning(lcErrorLog).noquote() << strErrorText;
    QDir().mkpath(QFileInfo(m_logFilePath).absolutePath());
    QFile file(m_logFilePath);
    if (!file.open(QIODevice::Append | QIODevice::Text)) throw vd::Failure(file.errorString());
    const QByteArray line =
        (QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz ")) + strErrorText +
         u'\n')
            .toUtf8();
    if (file.write(line) != line.size()) throw vd::Failure(file.errorString());
}

QDateTime VantorUtils::DateTimeCurrentGet() { return QDateTime::currentDateTime(); }
