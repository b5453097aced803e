#include "Hourglass.h"

#include <QCursor>
#include <QGuiApplication>

namespace vd {

static int g_count = 0;

void HourglassIncrement() {
    if (++g_count == 1 && qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void HourglassDecrement() {
    if (g_count == 0) return;
    if (--g_count == 0 && qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::restoreOverrideCursor();
}

int HourglassCount() { return g_count; }

} // namespace vd
