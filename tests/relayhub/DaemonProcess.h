#pragma once
// Runs relayhubd as a child process on a free loopback port.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

namespace hubtest {

// Runs an admin subcommand; returns its exit code.
inline int Admin(const QStringList& args, const QByteArray& input = QByteArray()) {
    QProcess p;
    p.start(QStringLiteral(RELAYHUBD_PATH), args);
    p.waitForStarted();
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

inline void AddUser(const QString& database, const QString& name, const QString& roles,
                    const QString& password) {
    Admin({QStringLiteral("user-add"), QStringLiteral("--database"), database, name, roles},
          password.toUtf8() + "\n");
}

class DaemonProcess {
public:
    // Starts the daemon and waits until it listens. Returns false on failure.
    bool start(const QString& database, const QStringList& extra = {}) {
        m_portFile = m_dir.filePath(QStringLiteral("port"));
        QFile::remove(m_portFile);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(RELAYHUBD_PATH),
                        QStringList{QStringLiteral("serve"), QStringLiteral("--database"), database,
                                    QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"),
                                    QStringLiteral("--port-file"), m_portFile} +
                            extra);
        if (!m_process.waitForStarted(10000)) return false;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 20000) {
            QFile file(m_portFile);
            if (file.open(QIODevice::ReadOnly)) {
                m_port = file.readAll().toInt();
                if (m_port > 0) return true;
            }
            if (m_process.state() == QProcess::NotRunning) return false;
            QThread::msleep(20);
        }
        return false;
    }
    ~DaemonProcess() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(10000);
        }
    }
    int port() const { return m_port; }
    QString url(const char* scheme = "http") const {
        return QStringLiteral("%1://127.0.0.1:%2").arg(QString::fromLatin1(scheme)).arg(m_port);
    }
    void signal(int sig) { ::kill(pid_t(m_process.processId()), sig); }
    // Exit code after the process ended, -1 when it crashed or hung.
    int wait(int ms = 20000) {
        if (!m_process.waitForFinished(ms)) return -1;
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    QString dir() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_portFile;
    QProcess m_process;
    int m_port = 0;
};

} // namespace hubtest
