// Editing what accompanies a recording in its data form: from the edit
// button for the open recording, or for a stored one by name.
#include <VantorDictation4/Dictation.h>

#include "DictationPrivate.h"
#include "Transport.h"
#include "server/DataForms.h"

using namespace VantorDictation4;

namespace vd {

bool DictationPrivate::editInForm() {
    bool saved = false;
    if (data.type == RecordingType_PhoneMessage) {
        frmPhoneMessageData form(q);
        form.InitializeEdit(data.name, data.description, data.qualitySamples, data.qualitySampleSize,
                            data.qualityChannels);
        Q_EMIT q->DialogDisplayed(QStringLiteral("PhoneMessageData"));
        form.exec();
        Q_EMIT q->DialogCleared(QStringLiteral("PhoneMessageData"));
        if (!form.FormCancel()) {
            form.copyTo(data);
            saved = true;
        }
    } else {
        frmDictationData form(q);
        form.InitializeEdit(data);
        Q_EMIT q->DialogDisplayed(QStringLiteral("DictationData"));
        form.exec();
        Q_EMIT q->DialogCleared(QStringLiteral("DictationData"));
        if (!form.FormCancel()) {
            form.copyTo(data);
            saved = true;
        }
    }
    if (saved) Q_EMIT q->RecordingFormDataSaved();
    refreshDictationName();
    return saved;
}

} // namespace vd

static bool dataEdit(Dictation& c, vd::DictationPrivate& d, const QString& name, gdenmRecordingType type) {
    c.setRecordingType(type);
    c.HeaderRead(name);
    if (!d.editInForm()) return false;
    d.data.headerChanged = true;
    c.HeaderSave();
    return true;
}

bool Dictation::DataEditDictation(const QString& strRecordingName_IN) {
    bool saved = false;
    vd::ErrorGuard({vd::kDictationClass, "DataEditDictation"},
                   [&] { saved = dataEdit(*this, *d, strRecordingName_IN, RecordingType_Dictation); });
    return saved;
}

bool Dictation::DataEditPhoneMessage(const QString& strRecordingName_IN) {
    bool saved = false;
    vd::ErrorGuard({vd::kDictationClass, "DataEditPhoneMessage"},
                   [&] { saved = dataEdit(*this, *d, strRecordingName_IN, RecordingType_PhoneMessage); });
    return saved;
}
