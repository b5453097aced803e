// A host that treats the control as a foreign component: it creates it
// through the C factory and then uses only names (properties, methods,
// signals) through the meta-object, as a scripting host would.
#include <VantorDictation4/Dictation.h>

#include <QApplication>
#include <QDir>
#include <QMetaMethod>
#include <QMetaProperty>

#include <cstdio>

static int failures = 0;
#define CHECK(cond)                                                                                          \
    do {                                                                                                     \
        if (!(cond)) {                                                                                       \
            std::fprintf(stderr, "FAILED line %d: %s\n", __LINE__, #cond);                                   \
            ++failures;                                                                                      \
        }                                                                                                    \
    } while (0)

// Receives events by name.
class Sink : public QObject {
    Q_OBJECT
public:
    QStringList settings;
    int layouts = 0;
public Q_SLOTS:
    void onSetting(const QString& name, const QString& oldValue, const QString& newValue) {
        settings << name + "=" + oldValue + ">" + newValue;
    }
    void onLayout() { ++layouts; }
    void onPlay(bool& cancel) { cancel = true; }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget* control = VantorDictation4_CreateControl(nullptr);
    CHECK(control != nullptr);
    const QMetaObject* mo = control->metaObject();
    CHECK(QByteArray(mo->className()) == "Dictation");

    Sink sink;
    CHECK(QObject::connect(control, SIGNAL(AudioSettingChanged(QString, QString, QString)), &sink,
                           SLOT(onSetting(QString, QString, QString))));
    CHECK(QObject::connect(control, SIGNAL(LayoutUpdated()), &sink, SLOT(onLayout())));
    CHECK(QObject::connect(control, SIGNAL(ButtonPlayClick(bool&)), &sink, SLOT(onPlay(bool&))));

    CHECK(control->property("ControlVersion").toString() == "3.0.0");
    CHECK(control->property("VolumeRecording").toInt() == 70);
    CHECK(control->setProperty("RewindMilliseconds", 300));
    CHECK(control->property("RewindMilliseconds").toInt() == 300);
    CHECK(sink.settings.value(0) == "RewindMilliseconds=0>300");
    CHECK(control->setProperty("DictationAuthor", "lowercase"));
    CHECK(control->property("DictationAuthor").toString() == "LOWERCASE");
    CHECK(control->setProperty("RecordingType", 1));
    CHECK(control->property("RecordingType").toInt() == 1);
    const QMetaProperty mode = mo->property(mo->indexOfProperty("RecordingMode"));
    CHECK(mode.isEnumType() && QByteArray(mode.enumerator().valueToKey(0)) == "RecordingMode_None");

    CHECK(QMetaObject::invokeMethod(control, "ControlInitializeShort", Q_ARG(QObject*, nullptr),
                                    Q_ARG(QObject*, nullptr), Q_ARG(QObject*, nullptr),
                                    Q_ARG(QString, QDir::tempPath()), Q_ARG(QString, "host")));
    CHECK(control->property("Initialized").toBool());
    CHECK(sink.layouts > 0);

    QString setup, error;
    CHECK(
        QMetaObject::invokeMethod(control, "ControlUnload", Q_ARG(QString&, setup), Q_ARG(QString&, error)));
    CHECK(setup.count(QChar(0x00E8)) == 88);
    control->setProperty("RewindMilliseconds", 900);
    const QString bad = setup + QChar(0x00E8) + "extra";
    CHECK(QMetaObject::invokeMethod(control, "ControlLoad", Q_ARG(QString, bad), Q_ARG(QString&, error)));
    CHECK(error.startsWith("Invalid number of dictation control setup parameters"));

    const QMetaMethod play = mo->method(mo->indexOfSignal("ButtonPlayClick(bool&)"));
    CHECK(play.isValid());
    bool cancel = false;
    void* args[] = {nullptr, &cancel};
    QMetaObject::activate(control, mo, play.methodIndex() - mo->methodOffset(), args);
    CHECK(cancel);

    QString name;
    CHECK(QMetaObject::invokeMethod(control, "DictationNext", Q_RETURN_ARG(QString, name)));
    delete control;
    std::printf("host: %d failure(s)\n", failures);
    return failures == 0 ? 0 : 1;
}

#include "main.moc"
