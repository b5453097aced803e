#pragma once
// A question with two answers on their own buttons; FormAccept tells which.

#include <QDialog>

namespace vd {

class frmConfirmationDialog : public QDialog {
    Q_OBJECT
public:
    explicit frmConfirmationDialog(QWidget* owner = nullptr);
    // value: the button that has the focus first (1 accept, 2 decline).
    void Initialize(const QString& text, const QString& title, int value, const QString& acceptText,
                    const QString& declineText);
    bool FormAccept() const { return m_accept; }

private:
    bool m_accept = false;
};

} // namespace vd
