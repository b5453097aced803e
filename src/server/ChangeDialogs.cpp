#include "ChangeDialogs.h"

#include "common/ColorScheme.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace vd {

ListChoiceForm::ListChoiceForm(QWidget* owner, const QString& formName, const QString& title,
                               const QString& listName)
    : QDialog(owner), m_list(new QListWidget(this)) {
    setObjectName(formName);
    setWindowTitle(title);
    m_list->setObjectName(listName);
    auto* save = new QPushButton(QStringLiteral("Save"), this);
    save->setObjectName(QStringLiteral("cmdSave"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, [this] {
        choose();
        m_cancel = false;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, save, &QPushButton::click);
}

void ListChoiceForm::showEvent(QShowEvent* event) {
    if (!m_coloured) FormCustomColorSet(this);
    m_coloured = true;
    QDialog::showEvent(event);
}

template <class Pred> void ListChoiceForm::selectFirst(int fallback, Pred matches) {
    m_list->setCurrentRow(fallback);
    for (int i = 0; i < m_list->count(); ++i)
        if (matches(m_list->item(i))) {
            m_list->setCurrentRow(i);
            return;
        }
}

frmChangeStatus::frmChangeStatus(QWidget* owner)
    : ListChoiceForm(owner, QStringLiteral("frmChangeStatus"), QStringLiteral("Change Status"),
                     QStringLiteral("lstDictationFileStatus")) {
    m_list->addItems({QStringLiteral("NONE"), QStringLiteral("DICTATED"), QStringLiteral("BUSY"),
                      QStringLiteral("TRANSCRIBED"), QStringLiteral("CANCELLED")});
}

void frmChangeStatus::setDictationFileStatus(const QString& value) {
    m_status = value;
    selectFirst(0,
                [&](QListWidgetItem* item) { return item->text().compare(value, Qt::CaseInsensitive) == 0; });
}

void frmChangeStatus::choose() {
    if (m_list->currentItem()) m_status = m_list->currentItem()->text().toUpper();
}

frmChangePriority::frmChangePriority(QWidget* owner)
    : ListChoiceForm(owner, QStringLiteral("frmChangePriority"), QStringLiteral("Change Priority"),
                     QStringLiteral("lstDictationPriority")) {
    const char* const names[] = {"Low", "Normal", "High", "Stat"};
    for (int i = 0; i < 4; ++i)
        (new QListWidgetItem(QString::fromLatin1(names[i]), m_list))->setData(Qt::UserRole, i + 1);
    setDictationPriority(2);
}

void frmChangePriority::setDictationPriority(qint32 value) {
    m_priority = value;
    selectFirst(1, [&](QListWidgetItem* item) { return item->data(Qt::UserRole).toInt() == value; });
}

void frmChangePriority::choose() {
    if (m_list->currentItem()) m_priority = m_list->currentItem()->data(Qt::UserRole).toInt();
}

} // namespace vd
