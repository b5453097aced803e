#pragma once
// Passwords of hub users: Argon2id hashes (libsodium's string form), and a
// short-lived cache of verified credentials so that a keep-alive client does
// not pay the deliberately slow hash on every request.

#include "store/Store.h"

#include <QHash>
#include <QString>

#include <chrono>
#include <mutex>
#include <optional>
#include <semaphore>

namespace relayhub {

// Argon2id hash of password; throws StoreError when hashing fails.
QString PasswordHash(const QString& password);
bool PasswordVerify(const QString& hash, const QString& password);

class Authenticator {
public:
    explicit Authenticator(Store& store, std::chrono::seconds cacheFor = std::chrono::seconds(60));
    // The user with their roles when the password matches.
    std::optional<User> check(const QString& name, const QString& password);

private:
    struct Entry {
        QByteArray digest;
        User user;
        std::chrono::steady_clock::time_point until;
    };
    QByteArray digest(const QString& name, const QString& password) const;

    Store& m_store;
    std::chrono::seconds m_cacheFor;
    QByteArray m_key; // random per process: cached digests are useless elsewhere
    std::mutex m_mutex;
    QHash<QString, Entry> m_cache;
    // Each verification takes tens of megabytes on purpose: only a few at once.
    std::counting_semaphore<2> m_hashing{2};
};

} // namespace relayhub
