#pragma once
#include "Connection.h"

#include <QStringList>

namespace relayhub {
// Step n (from 0) brings the schema from version n to n + 1.
QList<QStringList> SchemaMigrations(Dialect dialect);
} // namespace relayhub
