#include "HelpWindow.h"

#include "ErrorGuard.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

#include <dlfcn.h>

namespace vd {

static QPointer<QTextBrowser>& window() {
    static QPointer<QTextBrowser> w;
    return w;
}

QString HelpFolder() {
    Dl_info info{};
    QString folder;
    if (dladdr(reinterpret_cast<void*>(&HelpFolder), &info) && info.dli_fname)
        folder = QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
    return folder + QStringLiteral("/VantorDictation4/help");
}

QWidget* HelpWindow() { return window().data(); }

void HelpFileShow(const QString& topic) {
    ErrorGuard({"Global Procedures Module", "HelpFileShow", PrefixStyle::Hyphen}, [&] {
        const QString path = HelpFolder() + u'/' + topic;
        if (!QFileInfo::exists(path)) throw Failure(QStringLiteral("Help topic not found: ") + path);
        if (!window()) {
            auto* browser = new QTextBrowser;
            browser->setAttribute(Qt::WA_DeleteOnClose);
            browser->setObjectName(QStringLiteral("HelpWindow"));
            browser->setWindowTitle(QStringLiteral("Help"));
            browser->setWindowFlag(Qt::WindowStaysOnTopHint);
            browser->resize(640, 480);
            window() = browser;
        }
        window()->setSource(QUrl::fromLocalFile(path));
        window()->show();
        window()->raise();
    });
}

void HelpWindowClose() {
    if (window()) window()->close();
}

} // namespace vd
