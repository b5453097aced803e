#include "ErrorGuard.h"

#include "ProcessState.h"

#include <VantorDictation4/HostComponents.h>

#include <QDebug>

namespace vd {

QString ErrorPrefix(const Procedure& where) {
    const QString module = QString::fromUtf8(where.module);
    const QString name = QString::fromUtf8(where.accessor) + QString::fromUtf8(where.name);
    switch (where.style) {
    case PrefixStyle::Hyphen:
        return QStringLiteral("VantorDictation4 - ") + module + QStringLiteral(" - ") + name +
               QStringLiteral(" - '");
    case PrefixStyle::NoProject:
        return module + QStringLiteral(" - ") + name + QStringLiteral(" - '");
    case PrefixStyle::EnDash:
        break;
    }
    return QStringLiteral("VantorDictation4 - ") + module + QStringLiteral(" \u2013 ") + name +
           QStringLiteral(" \u2013 '");
}

static QString describeCurrentException() {
    try {
        throw;
    } catch (const Failure& f) {
        return f.description();
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

void ErrorLogCurrentException(const Procedure& where) noexcept {
    try {
        ErrorLog(ErrorPrefix(where) + describeCurrentException() + QStringLiteral("'"));
    } catch (...) {
        // Building the text itself failed (out of memory): nothing sensible is left to do.
    }
}

void ErrorLog(const QString& text) noexcept {
    try {
        auto* utils = qobject_cast<UtilityComponent*>(Slots().utility.data());
        if (!utils) {
            qWarning().noquote() << text;
            return;
        }
        try {
            QString copy = text;
            utils->ErrorLogWrite(copy);
        } catch (...) {
            const QString reason = describeCurrentException();
            if (auto* message = qobject_cast<MessageComponent*>(Slots().message.data()))
                message->MessageShow(QStringLiteral("Error logging application error \u2013 '") + reason +
                                         QStringLiteral("'"),
                                     0, QStringLiteral("Quillmoor"));
            else
                qWarning().noquote() << text << reason;
        }
    } catch (...) {
    }
}

} // namespace vd
