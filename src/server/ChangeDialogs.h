#pragma once
// The two small dialogs of the dictation queue: choose a stored dictation's
// status or priority from a list.

#include <QDialog>

class QListWidget;

namespace vd {

// A list with Save and Cancel; FormCancel stays true unless Save is pressed.
class ListChoiceForm : public QDialog {
    Q_OBJECT
public:
    bool FormCancel() const { return m_cancel; }

protected:
    ListChoiceForm(QWidget* owner, const QString& formName, const QString& title, const QString& listName);
    // Takes the chosen item into the form's result.
    virtual void choose() = 0;
    void showEvent(QShowEvent* event) override;
    // Selects the first row for which matches is true, else row fallback.
    template <class Pred> void selectFirst(int fallback, Pred matches);

    QListWidget* m_list;

private:
    bool m_cancel = true;
    bool m_coloured = false;
};

class frmChangeStatus : public ListChoiceForm {
    Q_OBJECT
public:
    explicit frmChangeStatus(QWidget* owner = nullptr);
    QString DictationFileStatus() const { return m_status; }
    // Preselects the first item equal to value ignoring case (else the first).
    void setDictationFileStatus(const QString& value);

private:
    void choose() override;
    QString m_status;
};

class frmChangePriority : public ListChoiceForm {
    Q_OBJECT
public:
    explicit frmChangePriority(QWidget* owner = nullptr);
    qint32 DictationPriority() const { return m_priority; }
    // Preselects the item of that priority (else "Normal").
    void setDictationPriority(qint32 value);

private:
    void choose() override;
    qint32 m_priority = 2;
};

} // namespace vd
