#pragma once
// Admin import of reference data from JSON (format in docs/relayhub.md).

#include "store/Store.h"

namespace relayhub {
// The JSON text of the demo data set shipped with the hub.
QString DemoDataJson();
// Imports reference data (and users, hashing their passwords). Returns an
// error text, empty on success. Nothing is changed when the data is bad.
QString ReferenceImport(Store& store, const QByteArray& json);
QString ReferenceImportFile(Store& store, const QString& path);
} // namespace relayhub
