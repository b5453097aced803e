#pragma once
// Shared set-up of the RelayHub benchmarks: a daemon on loopback, users, a
// throw-away PostgreSQL cluster, and latency statistics.

#include "DaemonProcess.h"

#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <vector>

namespace benchsupport {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

inline double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

// A PostgreSQL cluster for the run, stopped at the end.
class PostgresCluster {
public:
    PostgresCluster() {
        m_state = m_dir.filePath(QStringLiteral("pg"));
        m_ok = QProcess::execute(QStringLiteral(PG_CLUSTER_SCRIPT), {QStringLiteral("start"), m_state}) == 0;
    }
    ~PostgresCluster() {
        QProcess::execute(QStringLiteral(PG_CLUSTER_SCRIPT), {QStringLiteral("stop"), m_state});
    }
    bool ok() const { return m_ok; }
    QString conninfo() const {
        QFile f(m_state);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
    }

private:
    QTemporaryDir m_dir;
    QString m_state;
    bool m_ok = false;
};

} // namespace benchsupport
