#include "DataForms.h"

#include "TrackingTypes.h"
#include "common/ColorScheme.h"
#include "common/ErrorGuard.h"
#include "common/ProcessState.h"
#include "common/StringProcedures.h"
#include "services/VantorMessage.h"

#include <VantorDictation4/HostComponents.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace VantorDictation4;

namespace vd {

namespace {
const QString kCodeSeparator = QStringLiteral("\u00E7\u00E7"); // "çç"

QPushButton* button(QWidget* owner, const char* name, const QString& text) {
    auto* b = new QPushButton(text, owner);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QComboBox* combo(QWidget* owner, const char* name, const QList<QPair<const char*, int>>& items) {
    auto* c = new QComboBox(owner);
    c->setObjectName(QString::fromLatin1(name));
    for (const auto& [text, data] : items)
        c->addItem(QString::fromLatin1(text), data);
    return c;
}

void selectData(QComboBox* c, int data) {
    const int at = c->findData(data);
    c->setCurrentIndex(at >= 0 ? at : 0);
}
} // namespace

QString CodeLookup(QWidget* owner, const QString& table, const QString& caption) {
    QString answer = QStringLiteral("CANCEL");
    ErrorGuard({"Dictation Data Form", "CodeLookup"}, [&] {
        auto* tables = qobject_cast<CodeTablesComponent*>(Slots().codeTables.data());
        const QStringList items = tables ? tables->CodeTableGet(table) : QStringList();
        if (items.isEmpty()) {
            MessageShow(QStringLiteral("No codes available for ") + caption);
            return;
        }
        bool ok = false;
        const QString item =
            QInputDialog::getItem(owner, caption, QStringLiteral("&Code"), items, 0, false, &ok);
        if (ok)
            answer = StringElement(item, QStringLiteral("  "), 0) + kCodeSeparator +
                     StringElement(item, QStringLiteral("  "), 1);
    });
    return answer;
}

// ---------------------------------------------------------------- dictation data

frmDictationData::frmDictationData(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmDictationData"));
    setWindowTitle(QStringLiteral("Dictation Data"));
    auto* form = new QFormLayout;
    auto row = [&](const QString& label, QWidget* field, QWidget* extra = nullptr,
                   QWidget* extra2 = nullptr) {
        auto* line = new QHBoxLayout;
        line->addWidget(field, 1);
        for (QWidget* w : {extra, extra2})
            if (w) line->addWidget(w);
        form->addRow(label, line);
    };
    auto nameLabel = [&](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    m_account = edit("txtDictationPatientAccountNumber", QString());
    row(QStringLiteral("Account number"), m_account,
        button(this, "cmdDictationPatientAccountNumberLookup", QStringLiteral("...")),
        button(this, "cmdDictationPatientAccountNumberLookupWorklist", QStringLiteral("Worklist")));
    m_patientName = nameLabel("lblDictationPatientName");
    form->addRow(QStringLiteral("Patient"), m_patientName);
    m_study = edit("txtDictationStudyCode", QString());
    row(QStringLiteral("Study"), m_study);
    m_modality = edit("txtDictationModalityCode", QString());
    auto* modalityLookup = button(this, "cmdDictationModalityCodeLookup", QStringLiteral("..."));
    row(QStringLiteral("Modality"), m_modality, modalityLookup);
    m_date = edit("txtDictationDateOfService", QString());
    m_date->setPlaceholderText(QStringLiteral("MM/DD/YYYY"));
    row(QStringLiteral("Date of service"), m_date, button(this, "cmdCalendar", QStringLiteral("Today")));
    m_pos = edit("txtDictationPlaceOfServiceCode", QString());
    m_posName = nameLabel("lblDictationPlaceOfServiceName");
    auto* posLookup = button(this, "cmdDictationPlaceOfServiceCodeLookup", QStringLiteral("..."));
    row(QStringLiteral("Place of service"), m_pos, m_posName, posLookup);
    m_referring = edit("txtDictationReferringPhysicianCode", QString());
    m_referringName = nameLabel("lblDictationReferringPhysicianName");
    auto* referringLookup = button(this, "cmdDictationReferringPhysicianCodeLookup", QStringLiteral("..."));
    row(QStringLiteral("Referring physician"), m_referring, m_referringName, referringLookup);
    m_template = edit("txtDictationStudyTemplateCode", QString());
    auto* templateLookup = button(this, "cmdDictationStudyTemplateCodeLookup", QStringLiteral("..."));
    row(QStringLiteral("Report template"), m_template, templateLookup);
    m_normal = new QCheckBox(QStringLiteral("Normal study"), this);
    m_normal->setObjectName(QStringLiteral("chkDictationStudyNormal"));
    form->addRow(QString(), m_normal);
    m_priority = combo(this, "cboDictationPriority", {{"Low", 1}, {"Normal", 2}, {"High", 3}, {"Stat", 4}});
    form->addRow(QStringLiteral("Priority"), m_priority);
    m_note = edit("txtDictationTranscriptionNote", QString());
    form->addRow(QStringLiteral("Transcription note"), m_note);
    m_tracking = combo(this, "cboTrackingTypeCode", {{"<None>", -1}});
    const TrackingTypeTable& tracking = TrackingTypes();
    for (int i = 0; i < tracking.records.size(); ++i)
        m_tracking->addItem(tracking.records[i].description, i);
    m_workflow = button(this, "cmdWorkflowList", QStringLiteral("Workflow"));
    row(QStringLiteral("Tracking type"), m_tracking, m_workflow);

    auto* save = button(this, "cmdSave", QStringLiteral("Save"));
    auto* cancelButton = button(this, "cmdCancel", QStringLiteral("Cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(save, &QPushButton::clicked, this, &frmDictationData::save);
    connect(cancelButton, &QPushButton::clicked, this, &frmDictationData::cancel);
    connect(modalityLookup, &QPushButton::clicked, this,
            [this] { lookup(m_modality, nullptr, QStringLiteral("MO"), QStringLiteral("Modality")); });
    connect(posLookup, &QPushButton::clicked, this, [this] {
        lookup(m_pos, m_posName, QStringLiteral("PS"), QStringLiteral("Place of Service Codes"));
    });
    connect(referringLookup, &QPushButton::clicked, this, [this] {
        lookup(m_referring, m_referringName, QStringLiteral("RF"),
               QStringLiteral("Referring Physician Codes"));
    });
    connect(templateLookup, &QPushButton::clicked, this, [this] {
        lookup(m_template, nullptr, QStringLiteral("RT|2"), QStringLiteral("Report Templates"));
    });
    connect(findChild<QPushButton*>(QStringLiteral("cmdCalendar")), &QPushButton::clicked, this,
            [this] { m_date->setText(FormatDate(QDateTime(QDate::currentDate(), QTime(0, 0)))); });
    for (QWidget* w : {static_cast<QWidget*>(m_normal), static_cast<QWidget*>(m_priority),
                       static_cast<QWidget*>(m_tracking)})
        if (auto* c = qobject_cast<QComboBox*>(w))
            connect(c, &QComboBox::currentIndexChanged, this,
                    [this] { m_modified = !m_loading || m_modified; });
    connect(m_normal, &QCheckBox::toggled, this, [this] { m_modified = !m_loading || m_modified; });
    m_date->installEventFilter(this);
    requiredColours();
}

QLineEdit* frmDictationData::edit(const char* name, const QString&) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(name));
    connect(e, &QLineEdit::textChanged, this, [this] {
        if (!m_loading) m_modified = true;
        requiredColours();
    });
    return e;
}

void frmDictationData::requiredColours() {
    for (QLineEdit* required : {m_account, m_date})
        if (required) TextboxRequiredColor(required);
}

void frmDictationData::InitializeEdit(const RecordingData& h) {
    m_loading = true;
    m_account->setText(h.patientAccountNumber);
    m_patientName->setText(h.patientName);
    m_study->setText(h.studyCode);
    m_modality->setText(h.modalityCode);
    m_date->setText(IsZeroDate(h.dateOfService) ? QString() : FormatDate(h.dateOfService));
    m_pos->setText(h.placeOfServiceCode);
    m_posName->setText(h.placeOfServiceName);
    m_referring->setText(h.referringPhysicianCode);
    m_referringName->setText(h.referringPhysicianName);
    m_template->setText(h.studyTemplateCode);
    m_normal->setChecked(h.studyNormal);
    selectData(m_priority, int(h.priority));
    int tracking = 0;
    const TrackingTypeTable& table = TrackingTypes();
    for (int i = 0; i < table.records.size(); ++i)
        if (!h.trackingTypeCode.isEmpty() && table.records[i].code == h.trackingTypeCode) tracking = i + 1;
    m_tracking->setCurrentIndex(tracking);
    m_externalKey = h.externalKey;
    m_workflow->setEnabled(!m_externalKey.isEmpty());
    m_loading = false;
    m_modified = false;
    requiredColours();
    FormCustomColorSet(this);
    requiredColours();
}

void frmDictationData::copyTo(RecordingData& h) const {
    h.patientAccountNumber = m_account->text();
    h.patientName = m_patientName->text();
    h.studyCode = m_study->text();
    h.modalityCode = m_modality->text();
    h.dateOfService = StringToDate(m_date->text());
    h.placeOfServiceCode = m_pos->text();
    h.placeOfServiceName = m_posName->text();
    h.referringPhysicianCode = m_referring->text();
    h.referringPhysicianName = m_referringName->text();
    h.studyTemplateCode = m_template->text();
    h.studyNormal = m_normal->isChecked();
    h.priority = gdenmDictationPriority(m_priority->currentData().toInt());
    h.transcriptionNote = m_note->text();
    const int record = m_tracking->currentData().toInt();
    const TrackingTypeTable& table = TrackingTypes();
    if (record >= 0 && record < table.records.size() && table.loaded) {
        h.trackingTypeCode = table.records[record].code;
        h.trackingEditorCode = table.records[record].value;
    } else {
        h.trackingTypeCode.clear();
        h.trackingEditorCode.clear();
    }
    h.externalKey = m_externalKey;
}

void frmDictationData::save() {
    ErrorGuard({"Dictation Data Form", "cmdSave_Click"}, [&] {
        if (m_account->text().isEmpty()) {
            MessageShow(QStringLiteral("Missing patient account number"));
            m_account->setFocus();
            return;
        }
        if (m_date->text().isEmpty()) {
            MessageShow(QStringLiteral("Missing date of service"));
            m_date->setFocus();
            return;
        }
        if (IsZeroDate(StringToDate(m_date->text()))) {
            MessageShow(QStringLiteral("Invalid date, please re-enter in MM/DD/YYYY format"));
            m_date->setFocus();
            return;
        }
        m_cancel = false;
        accept();
    });
}

void frmDictationData::cancel() {
    ErrorGuard({"Dictation Data Form", "cmdCancel_Click"}, [&] {
        if (m_modified &&
            MessageShow(
                QStringLiteral("Dictation data has been modified, are you sure about losing changes?"), 260,
                QStringLiteral("Verify Cancel")) != AnswerYes)
            return;
        QDialog::reject();
    });
}

void frmDictationData::reject() { cancel(); }

void frmDictationData::lookup(QLineEdit* code, QLabel* name, const QString& table, const QString& caption) {
    const QString answer = CodeLookup(this, table, caption);
    if (answer.trimmed().toUpper() == QStringLiteral("CANCEL")) return;
    code->setText(StringElement(answer, kCodeSeparator, 0));
    if (name) name->setText(StringElement(answer, kCodeSeparator, 1));
    m_modified = true;
}

// "T" is today, "+" and "-" move a day; anything else types as usual.
bool frmDictationData::dateKey(QKeyEvent* key) {
    const QString text = key->text().toUpper();
    QDate date = StringToDate(m_date->text()).date();
    if (IsZeroDate(StringToDate(m_date->text()))) date = QDate::currentDate();
    if (text == QStringLiteral("T"))
        date = QDate::currentDate();
    else if (text == QStringLiteral("+"))
        date = date.addDays(1);
    else if (text == QStringLiteral("-"))
        date = date.addDays(-1);
    else
        return false;
    m_date->setText(FormatDate(QDateTime(date, QTime(0, 0))));
    return true;
}

bool frmDictationData::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_date) {
        if (event->type() == QEvent::KeyPress && dateKey(static_cast<QKeyEvent*>(event))) return true;
        if (event->type() == QEvent::FocusOut && !m_date->text().isEmpty() &&
            IsZeroDate(StringToDate(m_date->text()))) {
            MessageShow(QStringLiteral("Invalid date, please re-enter in MM/DD/YYYY format"));
            m_date->setFocus();
        }
    }
    return QDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------- phone message data

frmPhoneMessageData::frmPhoneMessageData(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmPhoneMessageData"));
    setWindowTitle(QStringLiteral("Phone Message"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("txtRecordingName"));
    m_description = new QLineEdit(this);
    m_description->setObjectName(QStringLiteral("txtRecordingDescription"));
    m_samples =
        combo(this, "cboRecordingQualitySamples",
              {{"Default", 0}, {"Phone Message", 8000}, {"Normal", 11025}, {"High", 22050}, {"CD", 44100}});
    m_size = combo(this, "cboRecordingQualitySampleSize", {{"Default", 0}, {"Normal", 8}, {"CD", 16}});
    m_channels = combo(this, "cboRecordingQualityChannels", {{"Default", 0}, {"Mono", 1}, {"Stereo", 2}});
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Name"), m_name);
    form->addRow(QStringLiteral("Description"), m_description);
    form->addRow(QStringLiteral("Samples"), m_samples);
    form->addRow(QStringLiteral("Sample size"), m_size);
    form->addRow(QStringLiteral("Channels"), m_channels);
    auto* save = button(this, "cmdSave", QStringLiteral("Save"));
    auto* cancel = button(this, "cmdCancel", QStringLiteral("Cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &frmPhoneMessageData::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_name, &QLineEdit::textChanged, this, [this] { TextboxRequiredColor(m_name); });
}

void frmPhoneMessageData::InitializeEdit(const QString& name, const QString& description, int samples,
                                         int sampleSize, int channels) {
    m_name->setText(name);
    m_description->setText(description);
    selectData(m_samples, samples);
    selectData(m_size, sampleSize);
    selectData(m_channels, channels);
    FormCustomColorSet(this);
    TextboxRequiredColor(m_name);
}

void frmPhoneMessageData::save() {
    if (m_name->text().isEmpty()) {
        MessageShow(QStringLiteral("Missing recording name"));
        m_name->setFocus();
        return;
    }
    m_cancel = false;
    accept();
}

void frmPhoneMessageData::copyTo(RecordingData& h) const {
    h.name = FileNameOnly(m_name->text());
    h.description = m_description->text();
    h.qualitySamples = gdenmRecordingQualitySamples(m_samples->currentData().toInt());
    h.qualitySampleSize = gdenmRecordingQualitySampleSize(m_size->currentData().toInt());
    h.qualityChannels = gdenmRecordingQualityChannels(m_channels->currentData().toInt());
}

} // namespace vd
