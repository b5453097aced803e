#pragma once
// Default implementations of the code-tables, codes-editor and
// server-utilities components, used when a host has none of its own and by
// the initialise methods that create them.

#include <VantorDictation4/HostComponents.h>

#include <QHash>

class VD4_EXPORT VantorCodeTables : public CodeTablesComponent {
    Q_OBJECT
public:
    using CodeTablesComponent::CodeTablesComponent;
    QStringList CodeTableGet(const QString& strTableName) override { return m_tables.value(strTableName); }
    void setTable(const QString& name, const QStringList& items) { m_tables.insert(name, items); }

private:
    QHash<QString, QStringList> m_tables;
};

class VD4_EXPORT VantorCodesEditor : public CodesEditorComponent {
    Q_OBJECT
public:
    using CodesEditorComponent::CodesEditorComponent;
    // No editor of its own: nothing to confirm.
    bool TrackingEdit(const QString&, const QString&, const QString&) override { return false; }
};

class VD4_EXPORT ServerUtils : public ServerUtilsComponent {
    Q_OBJECT
public:
    using ServerUtilsComponent::ServerUtilsComponent;
};
