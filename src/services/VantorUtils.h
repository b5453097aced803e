#pragma once
// The host product's utility component: error log file and clock.

#include <VantorDictation4/HostComponents.h>

class VD4_EXPORT VantorUtils : public UtilityComponent {
    Q_OBJECT
public:
    // logFilePath empty: "error.log" in the user's data folder.
    explicit VantorUtils(QString logFilePath = QString(), QObject* parent = nullptr);

    // Appends "yyyy-MM-dd HH:mm:ss.zzz <text>" to the log and to Qt's log;
    // throws when the log file cannot be written.
    void ErrorLogWrite(QString& strErrorText) override;
    QDateTime DateTimeCurrentGet() override;

    QString logFilePath() const { return m_logFilePath; }

private:
    QString m_logFilePath;
};
