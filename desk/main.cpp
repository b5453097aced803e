// Dictation Desk: the demo host of the dictation control.
//   DictationDesk              window with the control
//   DictationDesk --headless   create, restore, report and save, then exit
//   DictationDesk --hub URL    use a relayhubd instead of the embedded hub
#include "DeskWindow.h"

#include <VantorDictation4/Dictation.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DictationDesk"));
    QApplication::setOrganizationName(QStringLiteral("VantorDictation4"));

    QCommandLineParser parser;
    parser.addHelpOption();
    QCommandLineOption headless(QStringLiteral("headless"),
                                QStringLiteral("Run once without showing a window."));
    parser.addOption(headless);
    QCommandLineOption hubUrl(QStringLiteral("hub"),
                              QStringLiteral("Use the relayhubd at this URL instead of the embedded hub "
                                             "(credentials from RELAYHUB_USER and RELAYHUB_PASSWORD)."),
                              QStringLiteral("url"));
    parser.addOption(hubUrl);
    parser.process(app);

    DeskHubSettings hub = DeskHubSettings::fromEnvironment();
    if (parser.isSet(hubUrl)) hub.hubUrl = parser.value(hubUrl);
    DeskWindow window(hub);
    const QString error = window.restoreSetup();
    QTextStream out(stdout);
    if (!error.isEmpty()) out << error << Qt::endl;
    if (parser.isSet(headless)) {
        Dictation* c = window.control();
        out << "Dictation Desk: control " << c->ControlVersion() << (c->Initialized() ? ", initialised" : "")
            << ", setup kept in " << DeskWindow::setupFilePath() << ", " << window.hubDescription()
            << Qt::endl;
        window.saveSetup();
        return 0;
    }
    window.show();
    return app.exec();
}
