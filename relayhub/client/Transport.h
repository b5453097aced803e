#pragma once
#include <QString>
#include <QStringList>

namespace relayhub {
// How a RelayHubServer reaches its hub. Both calls return false when no
// answer came back, with the reason in error.
class Transport {
public:
    virtual ~Transport() = default;
    virtual bool request(const QString& request, QString& answer, QString& error) = 0;
    virtual bool blocks(const QString& request, QStringList& blocks, QString& error) = 0;
};
} // namespace relayhub
