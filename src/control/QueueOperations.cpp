// The dictation queue: fetch the next dictation the server selects, and
// change a stored dictation's status or priority without disturbing the
// recording the control has open.
#include <VantorDictation4/Dictation.h>

#include "DictationPrivate.h"
#include "server/ChangeDialogs.h"
#include "server/DictationList.h"
#include "server/ServerRequest.h"
#include "services/VantorMessage.h"

using namespace VantorDictation4;

namespace {
bool queueModeAllowed(gdenmRecordingMode mode) {
    return mode == RecordingMode_None || mode == RecordingMode_PlaybackStandby ||
           mode == RecordingMode_RecordingInsertStandby || mode == RecordingMode_RecordingOverwriteStandby ||
           mode == RecordingMode_HeaderDataOnly;
}

// Keeps the control's whole state across a look at another dictation's header.
class StateKeeper {
public:
    explicit StateKeeper(Dictation& control) : m_control(control) {
        QString error;
        m_control.ControlUnload(m_setup, error);
    }
    ~StateKeeper() {
        QString error;
        m_control.ControlLoad(m_setup, error);
    }

private:
    Dictation& m_control;
    QString m_setup;
};
} // namespace

QString Dictation::DictationNext() {
    QString name;
    vd::ErrorGuard({vd::kDictationClass, "DictationNext"}, [&] {
        if (!queueModeAllowed(d->mode)) return;
        if (!vd::ServerRequestSend(vd::RequestNextDictation(d->listSortOrder, d->listSelectionAuthor,
                                                            d->listSelectionPriority,
                                                            d->listSelectionExclusionAuthor),
                                   vd::failure::NextDictation, name))
            return;
        if (name.isEmpty()) return;
        bool cancel = false;
        Q_EMIT DictationNext(name, cancel);
        if (!cancel) RecordingRead(name);
    });
    return name;
}

QString Dictation::DictationList() {
    QString name;
    vd::ErrorGuard({vd::kDictationClass, "DictationList"}, [&] {
        if (!queueModeAllowed(d->mode)) return;
        vd::frmDictationList form(this, this);
        form.Initialize(d->listSortOrder, d->listSelectionAuthor, d->listSelectionExclusionAuthor,
                        d->listSelectionPriority, d->listDisplayIncludeArchive, d->listIncludeArchive);
        Q_EMIT DialogDisplayed(QStringLiteral("DictationList"));
        form.exec();
        Q_EMIT DialogCleared(QStringLiteral("DictationList"));
        if (form.FormCancel()) return;
        name = form.RecordingName();
        d->listIncludeArchive = form.DictationListIncludeArchive();
        bool cancel = false;
        Q_EMIT DictationSelected(name, cancel);
        if (!cancel) {
            if (form.HeaderOnly()) {
                DataEditDictation(name);
            } else {
                RecordingRead(name);
                if (d->data.name.isEmpty())
                    vd::MessageShow(QStringLiteral("Error reading existing dictation"));
            }
        }
        UpdateDisplayLayout();
    });
    return name;
}

bool Dictation::DictationStatusChange(const QString& strRecordingName_IN) {
    bool changed = false;
    vd::ErrorGuard({vd::kDictationClass, "DictationStatusChange"}, [&] {
        StateKeeper keep(*this);
        HeaderRead(strRecordingName_IN);
        const QString stored = d->data.fileStatus;
        vd::frmChangeStatus form(this);
        form.setDictationFileStatus(stored);
        form.exec();
        if (form.FormCancel() || form.DictationFileStatus() == stored) return;
        changed = true;
        QString answer;
        vd::ServerRequestSend(vd::RequestStatusChange(strRecordingName_IN, form.DictationFileStatus()),
                              vd::failure::StatusChange, answer);
    });
    return changed;
}

bool Dictation::DictationPriorityChange(const QString& strRecordingName_IN) {
    bool changed = false;
    vd::ErrorGuard({vd::kDictationClass, "DictationPriorityChange"}, [&] {
        StateKeeper keep(*this);
        HeaderRead(strRecordingName_IN);
        const qint32 stored = d->data.priority;
        vd::frmChangePriority form(this);
        form.setDictationPriority(stored);
        form.exec();
        if (form.FormCancel() || form.DictationPriority() == stored) return;
        changed = true;
        setDictationPriority(gdenmDictationPriority(form.DictationPriority()));
        HeaderSave();
    });
    return changed;
}
