// Sends arbitrary request strings to the hub's dispatcher on a scratch
// SQLite store: every answer must come back, refusals as "ERROR:".
#include "hub/Hub.h"
#include "protocol/Protocol.h"
#include "store/Connection.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    static relayhub::Store store(
        [] { return relayhub::SqliteConnect(dir.filePath(QStringLiteral("fuzz.db"))); }, 1);
    static relayhub::Hub hub([] {
        store.migrate();
        return std::ref(store);
    }());
    static const relayhub::Caller caller{QStringLiteral("fuzz"),
                                         {QStringLiteral("author"), QStringLiteral("transcriptionist")},
                                         QStringLiteral("s1")};
    const QString request = relayhub::BytesToText(QByteArray(reinterpret_cast<const char*>(data), int(size)));
    hub.process(request, caller);
    hub.processBlocks(request, caller);
    return 0;
}
