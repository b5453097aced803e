#include "Auth.h"

#include <sodium.h>

namespace relayhub {

namespace {
void sodiumReady() {
    static const int ready = sodium_init();
    if (ready < 0) throw StoreError("libsodium could not be initialised");
}
} // namespace

QString PasswordHash(const QString& password) {
    sodiumReady();
    const QByteArray p = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(out, p.constData(), quint64(p.size()), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                              crypto_pwhash_MEMLIMIT_INTERACTIVE, crypto_pwhash_ALG_ARGON2ID13) != 0)
        throw StoreError("password hashing ran out of memory");
    return QString::fromLatin1(out);
}

bool PasswordVerify(const QString& hash, const QString& password) {
    sodiumReady();
    const QByteArray h = hash.toLatin1();
    const QByteArray p = password.toUtf8();
    return !h.isEmpty() && crypto_pwhash_str_verify(h.constData(), p.constData(), quint64(p.size())) == 0;
}

Authenticator::Authenticator(Store& store, std::chrono::seconds cacheFor)
    : m_store(store), m_cacheFor(cacheFor) {
    sodiumReady();
    m_key.resize(crypto_generichash_KEYBYTES);
    randombytes_buf(m_key.data(), size_t(m_key.size()));
}

QByteArray Authenticator::digest(const QString& name, const QString& password) const {
    const QByteArray input = name.toUtf8() + '\0' + password.toUtf8();
    QByteArray out(crypto_generichash_BYTES, Qt::Uninitialized);
    crypto_generichash(reinterpret_cast<unsigned char*>(out.data()), size_t(out.size()),
                       reinterpret_cast<const unsigned char*>(input.constData()), size_t(input.size()),
                       reinterpret_cast<const unsigned char*>(m_key.constData()), size_t(m_key.size()));
    return out;
}

std::optional<User> Authenticator::check(const QString& name, const QString& password) {
    const QByteArray d = digest(name, password);
    const auto now = std::chrono::steady_clock::now();
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_cache.constFind(name);
        if (it != m_cache.constEnd() && it->until > now &&
            sodium_memcmp(it->digest.constData(), d.constData(), size_t(d.size())) == 0)
            return it->user;
    }
    const auto user = m_store.user(name);
    if (!user) return std::nullopt;
    m_hashing.acquire();
    bool verified = false;
    try {
        verified = PasswordVerify(user->hash, password);
    } catch (...) {
        m_hashing.release();
        throw;
    }
    m_hashing.release();
    if (!verified) return std::nullopt;
    std::lock_guard lock(m_mutex);
    m_cache.insert(name, {d, *user, now + m_cacheFor});
    return user;
}

} // namespace relayhub
