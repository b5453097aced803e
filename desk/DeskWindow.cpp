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
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "hub/Reference.h"

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
    // The patients of the day: double-click (or Dictate) starts a dictation.
    m_worklist = new QTableWidget(0, 5, central);
    m_worklist->setObjectName(QStringLiteral("tblWorklist"));
    m_worklist->setHorizontalHeaderLabels({QStringLiteral("Account"), QStringLiteral("Patient"),
                                           QStringLiteral("Date of service"), QStringLiteral("Study"),
                                           QStringLiteral("Modality")});
    m_worklist->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_worklist->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const QJsonArray rows = QJsonDocument::fromJson(relayhub::DemoDataJson().toUtf8())
                                .object()
                                .value(QStringLiteral("worklist"))
                                .toArray();
    for (const QJsonValue& value : rows) {
        const QJsonObject o = value.toObject();
        const int row = m_worklist->rowCount();
        m_worklist->insertRow(row);
        const QString cells[5] = {o.value(QStringLiteral("account")).toString(),
                                  o.value(QStringLiteral("patientLast")).toString() + QStringLiteral(", ") +
                                      o.value(QStringLiteral("patientFirst")).toString(),
                                  o.value(QStringLiteral("dateOfService")).toString(),
                                  o.value(QStringLiteral("study")).toString(),
                                  o.value(QStringLiteral("modality")).toString()};
        for (int c = 0; c < 5; ++c)
            m_worklist->setItem(row, c, new QTableWidgetItem(cells[c]));
        m_worklist->item(row, 0)->setData(Qt::UserRole, o.value(QStringLiteral("key")).toString());
    }
    m_worklist->resizeColumnsToContents();
    auto* dictate = new QPushButton(QStringLiteral("Dictate for the selected patient"), central);
    dictate->setObjectName(QStringLiteral("cmdDictate"));
    connect(dictate, &QPushButton::clicked, this, [this] { dictateFor(m_worklist->currentRow()); });
    connect(m_worklist, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { dictateFor(row); });
    layout->addWidget(m_worklist, 1);
    layout->addWidget(dictate);
    setCentralWidget(central);
    resize(1000, 420);

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

void DeskWindow::dictateFor(int row) {
    if (row < 0 || row >= m_worklist->rowCount()) return;
    auto code = [&](int column) {
        return m_worklist->item(row, column)->text().section(QStringLiteral("  "), 0, 0);
    };
    // An open recording is ended first, as the control asks when it changed.
    if (m_control->RecordingMode() != VantorDictation4::RecordingMode_None) m_control->RecordingClose(false);
    m_control->InitializeDictation4(
        QString(), VantorDictation4::DictationType_RecordingOnly, m_worklist->item(row, 0)->text(),
        m_worklist->item(row, 1)->text(), code(3), code(4),
        QDateTime::fromString(m_worklist->item(row, 2)->text(), QStringLiteral("MM/dd/yyyy")), QString(),
        QString(), QString(), QString(), QString(), false, VantorDictation4::DictationPriority_Normal,
        QString(), qEnvironmentVariable("USER"), m_worklist->item(row, 0)->data(Qt::UserRole).toString());
}

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
