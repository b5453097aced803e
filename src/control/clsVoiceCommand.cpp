#include <VantorDictation4/clsVoiceCommand.h>

#include "common/ErrorGuard.h"

clsVoiceCommand::clsVoiceCommand(QObject* parent) : QObject(parent) {}

// The engine menu is created by the speech subsystem; until an engine is
// running a group keeps its name and stays unavailable.
void clsVoiceCommand::Initialize(const QString& strCommandGroup_IN) {
    vd::ErrorGuard({"Voice Command Class", "Initialize"}, [&] { m_commandGroup = strCommandGroup_IN; });
}

int clsVoiceCommand::CommandAdd(const QString&, const QString&) {
    int id = -1;
    vd::ErrorGuard({"Voice Command Class", "CommandAdd"}, [&] {
        if (!m_available) return;
        id = ++m_lastCommandIndex;
    });
    return id;
}

void clsVoiceCommand::Activate(bool blnActivate_IN, int) {
    vd::ErrorGuard({"Voice Command Class", "Activate"}, [&] { m_activated = m_available && blnActivate_IN; });
}
