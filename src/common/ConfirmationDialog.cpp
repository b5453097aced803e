#include "ConfirmationDialog.h"

#include "ColorScheme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vd {

frmConfirmationDialog::frmConfirmationDialog(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmConfirmationDialog"));
    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("lblText"));
    text->setWordWrap(true);
    auto* accept = new QPushButton(this);
    accept->setObjectName(QStringLiteral("cmdAccept"));
    auto* decline = new QPushButton(this);
    decline->setObjectName(QStringLiteral("cmdDecline"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(accept);
    buttons->addWidget(decline);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(buttons);
    connect(accept, &QPushButton::clicked, this, [this] {
        m_accept = true;
        QDialog::accept();
    });
    connect(decline, &QPushButton::clicked, this, &QDialog::reject);
}

void frmConfirmationDialog::Initialize(const QString& text, const QString& title, int value,
                                       const QString& acceptText, const QString& declineText) {
    setWindowTitle(title);
    findChild<QLabel*>(QStringLiteral("lblText"))->setText(text);
    auto* accept = findChild<QPushButton*>(QStringLiteral("cmdAccept"));
    auto* decline = findChild<QPushButton*>(QStringLiteral("cmdDecline"));
    accept->setText(acceptText);
    decline->setText(declineText);
    (value == 1 ? accept : decline)->setDefault(true);
    FormCustomColorSet(this);
}

} // namespace vd
