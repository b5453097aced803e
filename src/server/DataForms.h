#pragma once
// The data forms of a recording: frmDictationData (the clinical header of a
// dictation) and frmPhoneMessageData (name, description, quality).

#include "common/RecordingData.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vd {

// Asks the host's code tables for one table and lets the user pick a code:
// "CANCEL", or the code and its description joined by "çç".
QString CodeLookup(QWidget* owner, const QString& table, const QString& caption);

class frmDictationData : public QDialog {
    Q_OBJECT
public:
    explicit frmDictationData(QWidget* owner = nullptr);
    // Fills the form from a header; the workflow button follows the worklist key.
    void InitializeEdit(const RecordingData& header);
    // Copies the form's values into a header (after a save).
    void copyTo(RecordingData& header) const;
    bool FormCancel() const { return m_cancel; }
    bool modified() const { return m_modified; }

    // The save and cancel buttons' work, for keyboard and tests alike.
    void save();
    void cancel();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    QLineEdit* edit(const char* name, const QString& label);
    void lookup(QLineEdit* code, QLabel* name, const QString& table, const QString& caption);
    void requiredColours();
    bool dateKey(QKeyEvent* key);

    QLineEdit *m_account = nullptr, *m_study = nullptr, *m_modality = nullptr, *m_date = nullptr,
              *m_pos = nullptr, *m_referring = nullptr, *m_template = nullptr, *m_note = nullptr;
    QLabel *m_patientName = nullptr, *m_posName = nullptr, *m_referringName = nullptr;
    QCheckBox* m_normal = nullptr;
    QComboBox *m_priority = nullptr, *m_tracking = nullptr;
    QPushButton* m_workflow = nullptr;
    QString m_externalKey;
    bool m_cancel = true;
    bool m_modified = false;
    bool m_loading = false;
};

class frmPhoneMessageData : public QDialog {
    Q_OBJECT
public:
    explicit frmPhoneMessageData(QWidget* owner = nullptr);
    void InitializeEdit(const QString& name, const QString& description, int samples, int sampleSize,
                        int channels);
    void copyTo(RecordingData& header) const;
    bool FormCancel() const { return m_cancel; }
    void save();

private:
    QLineEdit *m_name = nullptr, *m_description = nullptr;
    QComboBox *m_samples = nullptr, *m_size = nullptr, *m_channels = nullptr;
    bool m_cancel = true;
};

} // namespace vd
