#pragma once
// One group of spoken commands. The group's menu lives in the speech engine;
// without an engine the group is not Available and adds nothing.

#include <QObject>
#include <QString>
#include <QStringList>

#include "Export.h"

class VD4_EXPORT clsVoiceCommand : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Activated READ Activated)
    Q_PROPERTY(bool Available READ Available)
    Q_PROPERTY(int LastCommandIndex READ LastCommandIndex)
    Q_PROPERTY(QString CommandGroup READ CommandGroup)
public:
    explicit clsVoiceCommand(QObject* parent = nullptr);

    bool Activated() const { return m_activated; }
    bool Available() const { return m_available; }
    int LastCommandIndex() const { return m_lastCommandIndex; }
    QString CommandGroup() const { return m_commandGroup; }

    Q_INVOKABLE void Initialize(const QString& strCommandGroup_IN);
    // Returns the new command's identifier, or -1 when there is no engine menu.
    Q_INVOKABLE int CommandAdd(const QString& strCommandText_IN, const QString& strCommandReturn_IN);
    Q_INVOKABLE void Activate(bool blnActivate_IN, int lngWindowHandle_IN = 0);

private:
    bool m_activated = false;
    bool m_available = false;
    int m_lastCommandIndex = -1;
    QString m_commandGroup;
};
