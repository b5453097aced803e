#include <VantorDictation4/clsButtonCommand.h>

#include <stdexcept>

clsButtonCommand::clsButtonCommand(QObject* parent) : QObject(parent) {}

static size_t slotIndex(int button) {
    if (button < 1 || button > 11) throw std::out_of_range("Subscript out of range");
    return size_t(button - 1);
}

QString clsButtonCommand::ButtonGet(int enmButton_IN) const { return m_commands[slotIndex(enmButton_IN)]; }

void clsButtonCommand::ButtonSet(int enmButton_IN, const QString& strCommandText_IN) {
    m_commands[slotIndex(enmButton_IN)] = strCommandText_IN;
}
