#include "ProcessState.h"

namespace vd {

ComponentSlots& Slots() {
    static ComponentSlots slots;
    return slots;
}

void MessageComponentSet(std::unique_ptr<QObject> component) {
    static std::unique_ptr<QObject> owned;
    owned = std::move(component);
    Slots().message = owned.get();
}

ColorScheme& Colors() {
    static ColorScheme scheme;
    return scheme;
}

QString& UserName() {
    static QString name;
    return name;
}

QString& TemporaryNamePrefix() {
    static QString prefix;
    return prefix;
}

bool& SplashDisabled() {
    static bool disabled = false;
    return disabled;
}

static QPointer<QWidget>& currentControl() {
    static QPointer<QWidget> control;
    return control;
}

QWidget* CurrentControlWidget() { return currentControl().data(); }
void CurrentControlWidgetSet(QWidget* control) { currentControl() = control; }

} // namespace vd
