#include "DeskWindow.h"

#include <VantorDictation4/Dictation.h>

#include "RelayHubServer.h"
#include "audio/AudioBackend.h"
#include "services/HostServices.h"
#include "services/VantorUtils.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QStandardPaths>
#include <QStatusBar>
#include <QVBoxLayout>

DeskHubSettings DeskHubSettings::fromEnvironment() {
    return {qEnvironmentVariable("RELAYHUB_URL"), qEnvironmentVariable("RELAYHUB_USER"),
            qEnvironmentVariable("RELAYHUB_PASSWORD")};
}

DeskWindow::DeskWindow(const DeskHubSettings& hub, QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Dictation Desk"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    m_control = new Dictation(central);
    layout->addWidget(m_control);
    layout->addStretch();
    setCentralWidget(central);
    resize(900, 160);

    m_utils = new VantorUtils(QString(), this);
    auto* codeTables = new VantorCodeTables(this);
    const QString temporaryFolder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
                                    QStringLiteral("/recordings");
    QDir().mkpath(temporaryFolder);
    m_hub = new RelayHubServer(this);
    if (hub.hubUrl.isEmpty()) {
        const QString database = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
                                 QStringLiteral("/relayhub.db");
        m_hubDescription = m_hub->OpenEmbedded(database, true)
                               ? QStringLiteral("embedded hub %1").arg(database)
                               : QStringLiteral("embedded hub unavailable: %1").arg(m_hub->LastError());
    } else {
        m_hubDescription = m_hub->ConnectHttp(hub.hubUrl, hub.user, hub.password)
                               ? QStringLiteral("hub %1").arg(hub.hubUrl)
                               : QStringLiteral("hub unavailable: %1").arg(m_hub->LastError());
    }
    m_control->ControlInitialize(m_hub, m_utils, codeTables, temporaryFolder, qEnvironmentVariable("USER"),
                                 VantorDictation4::RecordingType_Dictation);
    QString status = QStringLiteral("Recordings in %1; %2").arg(temporaryFolder, m_hubDescription);
    // Without sound hardware the control records from virtual devices: say so.
    if (!vd::AudioBackendNotice().isEmpty()) status += QStringLiteral(" \u2014 ") + vd::AudioBackendNotice();
    statusBar()->showMessage(status);
}

DeskWindow::~DeskWindow() { saveSetup(); }

QString DeskWindow::setupFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/setup.txt");
}

QString DeskWindow::restoreSetup() {
    QString setup, error;
    QFile file(setupFilePath());
    if (file.open(QIODevice::ReadOnly)) setup = QString::fromUtf8(file.readAll());
    m_control->ControlLoad(setup, error);
    return error;
}

void DeskWindow::saveSetup() {
    if (m_saved) return;
    QString setup, error;
    m_control->ControlUnload(setup, error);
    QDir().mkpath(QFileInfo(setupFilePath()).absolutePath());
    QFile file(setupFilePath());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(setup.toUtf8());
    m_saved = true;
}

void DeskWindow::closeEvent(QCloseEvent* event) {
    saveSetup();
    QMainWindow::closeEvent(event);
}
