#pragma once
// Dictation Desk's main window: hosts the control with the host components
// and keeps its setup string between runs.

#include <QMainWindow>

class Dictation;
class QTableWidget;
class RelayHubServer;
class UtilityComponent;

// Where the Desk finds its dictation server: empty hubUrl means the embedded
// hub on a SQLite file in the user's data folder.
struct DeskHubSettings {
    QString hubUrl, user, password;
    // From RELAYHUB_URL, RELAYHUB_USER and RELAYHUB_PASSWORD.
    static DeskHubSettings fromEnvironment();
};

class DeskWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit DeskWindow(const DeskHubSettings& hub = DeskHubSettings::fromEnvironment(),
                        QWidget* parent = nullptr);
    ~DeskWindow() override;

    Dictation* control() const { return m_control; }
    RelayHubServer* hub() const { return m_hub; }
    // What the status bar says about the server.
    QString hubDescription() const { return m_hubDescription; }
    // Where the setup string of the last run is kept.
    static QString setupFilePath();
    // Restores the last run's setup; returns the control's error text.
    QString restoreSetup();
    // Saves the control's current setup for the next run.
    void saveSetup();
    // The patients to dictate against (the demo worklist).
    QTableWidget* worklist() const { return m_worklist; }
    // Starts a dictation for the worklist row.
    void dictateFor(int row);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Dictation* m_control = nullptr;
    UtilityComponent* m_utils = nullptr;
    RelayHubServer* m_hub = nullptr;
    QTableWidget* m_worklist = nullptr;
    QString m_hubDescription;
    bool m_saved = false;
};
