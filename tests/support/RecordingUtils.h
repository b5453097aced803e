#pragma once
// A utility component that records the error log instead of writing a file,
// optionally failing every write.

#include <VantorDictation4/HostComponents.h>

#include "common/ErrorGuard.h"

#include <QStringList>

class RecordingUtils : public UtilityComponent {
public:
    void ErrorLogWrite(QString& strErrorText) override {
        if (failWrites) throw vd::Failure(QStringLiteral("Disk full"));
        log << strErrorText;
    }
    QDateTime DateTimeCurrentGet() override { return now; }

    QStringList log;
    bool failWrites = false;
    QDateTime now = QDateTime(QDate(2026, 12, 5), QTime(9, 30, 15));
};
