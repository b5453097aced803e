#pragma once
// The objects a host hands to the control at initialisation. The control only
// ever talks to them through these interfaces, so a host may supply its own.
// A failing call throws; the caller's error guard logs it.

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "Export.h"

// Carries request strings to the dictation server and returns its answers.
class VD4_EXPORT ServerRequestComponent : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Declared in this order on purpose: hosts bind by position.
    Q_INVOKABLE virtual bool RequestProcessBlocks(const QString& strRequest, QStringList& arrstrBlocks,
                                                  const QString& strData, QString& strInfo) = 0;
    Q_INVOKABLE virtual bool RequestProcess(const QString& strRequest, QString& strResponse,
                                            const QString& strData, QString& strInfo) = 0;
};

// Error log and clock of the host product.
class VD4_EXPORT UtilityComponent : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    Q_INVOKABLE virtual void ErrorLogWrite(QString& strErrorText) = 0;
    Q_INVOKABLE virtual QDateTime DateTimeCurrentGet() = 0;
};

// Every message box and question of the control goes through this.
// Answers use the classic message-box codes: OK 1, Cancel 2, Yes 6, No 7.
class VD4_EXPORT MessageComponent : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    Q_INVOKABLE virtual QVariant MessageShow(const QString& strText, int intButtons,
                                             const QString& strTitle) = 0;
    Q_INVOKABLE virtual void MessageInitialize(QObject* objVantorUtils, qint32 lngFormBackground,
                                               qint32 lngTextBackground, qint32 lngTextForeground,
                                               qint32 lngButton) = 0;
    Q_INVOKABLE virtual void MessageColorsSet(qint32 lngFormBackground, qint32 lngTextBackground,
                                              qint32 lngTextForeground, qint32 lngButton) = 0;
};

// Code lookups for the data forms; handed on to the lookup dialogs.
class VD4_EXPORT CodeTablesComponent : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Code and description pairs of one table ("code  description" items).
    Q_INVOKABLE virtual QStringList CodeTableGet(const QString& strTableName) = 0;
};

// Editor for tracking records, opened from the recording initialisation.
class VD4_EXPORT CodesEditorComponent : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Returns true when the user confirmed the edit.
    Q_INVOKABLE virtual bool TrackingEdit(const QString& strTrackingTypeCode,
                                          const QString& strTrackingEditorCode,
                                          const QString& strExternalKey) = 0;
};

// Held for the host product; the control never calls it.
class VD4_EXPORT ServerUtilsComponent : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
};
