#include "SplashMessage.h"

#include "ErrorGuard.h"
#include "ProcessState.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

namespace vd {

static QPointer<QWidget>& splash() {
    static QPointer<QWidget> window;
    return window;
}

QWidget* SplashWindow() { return splash().data(); }

void SplashMessage(const QString& text) {
    ErrorGuard({"Global Procedures Module", "SplashMessage"}, [&] {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
        if (text.isEmpty()) {
            if (splash()) splash()->hide();
            return;
        }
        if (SplashDisabled()) return;
        if (!splash()) {
            auto* window = new QWidget(nullptr, Qt::SplashScreen | Qt::WindowStaysOnTopHint);
            window->setObjectName(QStringLiteral("frmSplashMessage"));
            window->setAttribute(Qt::WA_DeleteOnClose, false);
            auto* label = new QLabel(window);
            label->setObjectName(QStringLiteral("lblMessage"));
            label->setAlignment(Qt::AlignCenter);
            label->setMargin(24);
            auto* layout = new QVBoxLayout(window);
            layout->addWidget(label);
            splash() = window;
        }
        splash()->findChild<QLabel*>(QStringLiteral("lblMessage"))->setText(text);
        splash()->adjustSize();
        splash()->show();
        splash()->raise();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
}

} // namespace vd
