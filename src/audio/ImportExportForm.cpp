#include "ImportExportForm.h"

#include "common/ColorScheme.h"
#include "services/VantorMessage.h"

#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vd {

namespace {
// The same filter in the file dialog's own notation.
const QString kDialogFilter = QStringLiteral("Wave Files (*.WAV *.wav);;All Files (*)");
} // namespace

frmImportExport::frmImportExport(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmImportExport"));
    setWindowTitle(QStringLiteral("Audio Import / Export"));
    m_importOption = new QRadioButton(QStringLiteral("Import a wave file as a new recording"), this);
    m_exportOption = new QRadioButton(QStringLiteral("Export the recording to a wave file"), this);
    for (QRadioButton* option : {m_importOption, m_exportOption})
        option->setObjectName(QStringLiteral("optImportExport"));
    m_importOption->setProperty("Index", 0);
    m_exportOption->setProperty("Index", 1);
    m_importOption->setChecked(true);
    m_file = new QLineEdit(this);
    m_file->setObjectName(QStringLiteral("txtRecordingFileName"));
    m_file->installEventFilter(this);
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    browse->setObjectName(QStringLiteral("cmdRecordingFileNameLookup"));
    auto* executeButton = new QPushButton(QStringLiteral("Execute"), this);
    executeButton->setObjectName(QStringLiteral("cmdExecute"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* file = new QHBoxLayout;
    file->addWidget(m_file, 1);
    file->addWidget(browse);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(executeButton);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_importOption);
    layout->addWidget(m_exportOption);
    layout->addLayout(file);
    layout->addLayout(buttons);
    connect(browse, &QPushButton::clicked, this, &frmImportExport::lookup);
    connect(executeButton, &QPushButton::clicked, this, &frmImportExport::execute);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmImportExport::Initialize(const QString& recordingName) {
    m_recordingName = recordingName;
    FormCustomColorSet(this);
}

void frmImportExport::lookup() {
    const QString chosen =
        m_importOption->isChecked()
            ? QFileDialog::getOpenFileName(this, QStringLiteral("Import File"), m_file->text(), kDialogFilter)
            : QFileDialog::getSaveFileName(this, QStringLiteral("Export File"), m_file->text(),
                                           kDialogFilter);
    if (chosen.isEmpty()) return;
    m_file->setText(!m_importOption->isChecked() && QFileInfo(chosen).suffix().isEmpty()
                        ? chosen + QStringLiteral(".WAV")
                        : chosen);
}

bool frmImportExport::validate() {
    const QString text = m_file->text();
    if (text.isEmpty()) return true;
    if (m_importOption->isChecked() && !QFileInfo(text).isFile()) {
        MessageShow(QStringLiteral("Invalid file name"));
        m_file->setFocus();
        return false;
    }
    if (m_exportOption->isChecked() && !QFileInfo(QFileInfo(text).absolutePath()).isDir()) {
        MessageShow(QStringLiteral("Invalid folder name"));
        m_file->setFocus();
        return false;
    }
    return true;
}

bool frmImportExport::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_file && event->type() == QEvent::FocusOut) validate();
    return QDialog::eventFilter(watched, event);
}

void frmImportExport::execute() {
    if (!validate()) return;
    if (m_file->text().isEmpty()) {
        MessageShow(QStringLiteral("Missing file name"));
        m_file->setFocus();
        return;
    }
    m_import = m_importOption->isChecked();
    m_fileName = m_file->text();
    m_cancel = false;
    accept();
}

} // namespace vd
