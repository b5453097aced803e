#include "TrackingTypes.h"
#include "ColorTable.h"
#include "ServerRequest.h"

#include "common/ErrorGuard.h"
#include "common/ProcessState.h"
#include "common/StringProcedures.h"

#include <VantorDictation4/HostComponents.h>

namespace vd {

TrackingTypeTable& TrackingTypes() {
    static TrackingTypeTable table;
    return table;
}

TrackingTypeTable TrackingTypesParse(const QString& answer) {
    TrackingTypeTable table;
    const QStringList sections = answer.split(QChar(1));
    if (sections.size() < 2) return table;
    for (const QString& item : sections[1].split(QChar(0))) {
        if (item.isEmpty()) continue;
        const QString head = StringElement(item, QStringLiteral(":"), 0);
        table.records.append({StringElement(head, QStringLiteral("  "), 0),
                              StringElement(head, QStringLiteral("  "), 1),
                              StringElement(item, QStringLiteral(":"), 1)});
        table.loaded = true;
    }
    return table;
}

void PopulateTracking() {
    TrackingTypes() = TrackingTypeTable{};
    ErrorGuard({"Global Procedures Module", "PopulateTracking"}, [&] {
        auto* server = qobject_cast<ServerRequestComponent*>(Slots().relayHubServer.data());
        if (!server) return;
        QString response, info;
        if (!server->RequestProcess(RequestTrackingTypes(), response, QString(), info)) return;
        if (response.isEmpty() || ResponseIsError(response)) return;
        TrackingTypes() = TrackingTypesParse(response);
    });
}

void ServerTablesLoad() {
    PopulateTracking();
    PopulateColor();
}

} // namespace vd
