#include "FlacProgram.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <dlfcn.h>

namespace vd {

QString FlacProgramPath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&FlacProgramPath), &info) && info.dli_fname) {
        const QString beside = QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath() +
                               QStringLiteral("/SharedFiles/flac");
        if (QFileInfo(beside).isExecutable()) return beside;
    }
    return QStandardPaths::findExecutable(QStringLiteral("flac"));
}

namespace {
const QStringList kCommonArguments = {QStringLiteral("--delete-input-file"),
                                      QStringLiteral("--decode-through-errors"),
                                      QStringLiteral("--silent"),
                                      QStringLiteral("--force"),
                                      QStringLiteral("--verify"),
                                      QStringLiteral("--lax"),
                                      QStringLiteral("--compression-level-8")};

// The output is named explicitly: the program's own naming changes the
// extension's case, which matters on case-sensitive file systems.
bool runAndWait(QStringList arguments, const QString& input, const QString& output, int timeoutMs) {
    const QString program = FlacProgramPath();
    if (program.isEmpty() || !QFileInfo::exists(input)) return false;
    arguments << kCommonArguments << QStringLiteral("-o") << output << input;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    if (!process.waitForStarted(5000)) return false;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        if (!QFileInfo::exists(input)) break;
        if (process.state() == QProcess::NotRunning) break; // finished without removing its input: it failed
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        process.waitForFinished(100);
    }
    const bool done = !QFileInfo::exists(input);
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(1000);
    }
    return done;
}
} // namespace

bool FlacCompress(const QString& wavPath, const QString& flacPath, int timeoutMs) {
    return runAndWait({}, wavPath, flacPath, timeoutMs);
}

bool FlacDecompress(const QString& flacPath, const QString& wavPath, int timeoutMs) {
    return runAndWait({QStringLiteral("--decode")}, flacPath, wavPath, timeoutMs);
}

} // namespace vd
