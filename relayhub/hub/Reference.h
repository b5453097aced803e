#pragma once
// Admin import of reference data from JSON (format in docs/relayhub.md).

#include "store/Store.h"

namespace relayhub {
// The JSON text of the demo data set shipped with the hub.
QString DemoDataJson();
// Imports reference data (and users, hashing their passwords). Returns an
// error text, empty on success. Nothing is changed when the data is bad.
QString ReferenceImport(Store& store, const QByteArray& json);
// A file ending in ".csv" is one section, named by section ("users",
// "trackingTypes", "worklist", "codeTables", "colors"): a header line with
// the field names, then one row per entry (roles separated by ";").
QString ReferenceImportFile(Store& store, const QString& path, const QString& section = QString());
QString ReferenceImportCsv(Store& store, const QString& section, const QByteArray& csv);
} // namespace relayhub
