#pragma once
// The tracking type table, loaded once from the server at initialisation.

#include <QList>
#include <QString>

namespace vd {

struct TrackingType {
    QString code, description, value;
};

struct TrackingTypeTable {
    QList<TrackingType> records;
    bool loaded = false;
};
TrackingTypeTable& TrackingTypes();

// Parses a tracking types answer: sections split at char 1, the second
// section's items at char 0, each "code  description:value".
TrackingTypeTable TrackingTypesParse(const QString& answer);

// Sends the tracking types request and fills the table; silently leaves it
// empty when there is no server, no answer or a refusal.
void PopulateTracking();

// Loads the server tables the control needs at initialisation.
void ServerTablesLoad();

} // namespace vd
