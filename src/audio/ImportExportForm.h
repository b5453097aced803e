#pragma once
// Asks whether to import a wave file as a new recording or export the
// current one, and for the file.

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace vd {

class frmImportExport : public QDialog {
    Q_OBJECT
public:
    explicit frmImportExport(QWidget* owner = nullptr);
    void Initialize(const QString& recordingName);

    bool FormCancel() const { return m_cancel; }
    QString RecordingName() const { return m_recordingName; }
    QString RecordingFileName() const { return m_fileName; }
    bool RecordingFileImport() const { return m_import; }

    // cmdExecute's work.
    void execute();
    // Leaving the file box: false (with a message) for a file or folder that is not there.
    bool validate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void lookup();
    QRadioButton *m_importOption, *m_exportOption;
    QLineEdit* m_file;
    QString m_recordingName, m_fileName;
    bool m_import = true;
    bool m_cancel = true;
};

} // namespace vd
