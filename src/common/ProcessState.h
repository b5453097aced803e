#pragma once
// Process-wide state shared by every control instance: the host's component
// slots, the colour scheme, the current control, the user name and the
// prefix of temporary wave file names. One place, so nothing else keeps
// globals of its own.

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

namespace vd {

struct ComponentSlots {
    QPointer<QObject> relayHubServer; // server request component
    QPointer<QObject> serverUtils;
    QPointer<QObject> utility; // error log and clock
    QPointer<QObject> codeTables;
    QPointer<QObject> codesEditor;
    QPointer<QObject> message; // created by the control, owned here
};
ComponentSlots& Slots();

// Replaces the message component the control created (deleting the old one).
void MessageComponentSet(std::unique_ptr<QObject> component);

// Colours as classic 32-bit colour values (0x00BBGGRR, or 0x800000nn for a
// system colour).
struct ColorScheme {
    qint32 formBackground = qint32(0x8000000A);
    qint32 textBackground = qint32(0x80000005);
    qint32 textForeground = qint32(0x80000008);
    qint32 required = 0x00FFFF00;
    qint32 button = qint32(0x8000000F);
    qint32 gridSelection = 0x00FF8080;
};
ColorScheme& Colors();

QString& UserName();
// Folder plus "Dictation_" or "PhoneMessage_"; temporary wave names start with it.
QString& TemporaryNamePrefix();
bool& SplashDisabled();

// The last initialised control, reached by the global procedures.
QWidget* CurrentControlWidget();
void CurrentControlWidgetSet(QWidget* control);

} // namespace vd
