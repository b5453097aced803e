#pragma once
// Commands bound to the hand-held microphone buttons: one text per button
// (slots 1 to 11, numbered as gdenmSpeechmikeButton). A bound button raises
// ButtonCommandPressed with its text instead of acting.

#include <QObject>
#include <QString>

#include <array>

#include "Export.h"

class VD4_EXPORT clsButtonCommand : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
public:
    explicit clsButtonCommand(QObject* parent = nullptr);

    bool Enabled() const { return m_enabled; }
    void setEnabled(bool value) { m_enabled = value; }

    // A button number outside 1 to 11 is an error to the caller:
    // std::out_of_range is thrown.
    Q_INVOKABLE QString ButtonGet(int enmButton_IN) const;
    Q_INVOKABLE void ButtonSet(int enmButton_IN, const QString& strCommandText_IN);

private:
    bool m_enabled = true;
    std::array<QString, 11> m_commands;
};
