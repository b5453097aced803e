#pragma once
// Dictation Desk's main window: hosts the control with the host components
// and keeps its setup string between runs.

#include <QMainWindow>

class Dictation;
class UtilityComponent;

class DeskWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit DeskWindow(QWidget* parent = nullptr);
    ~DeskWindow() override;

    Dictation* control() const { return m_control; }
    // Where the setup string of the last run is kept.
    static QString setupFilePath();
    // Restores the last run's setup; returns the control's error text.
    QString restoreSetup();
    // Saves the control's current setup for the next run.
    void saveSetup();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Dictation* m_control = nullptr;
    UtilityComponent* m_utils = nullptr;
    bool m_saved = false;
};
