#include "Metrics.h"

#include <QStringList>

#include <sstream>

namespace relayhub {

namespace {
// Label values come from requests: keep them to a safe alphabet.
std::string label(const QString& text) {
    std::string out;
    for (const QChar c : text.left(32))
        out += (c.isLetterOrNumber() && c.unicode() < 128) || c == QLatin1Char('_') ? char(c.unicode()) : '_';
    return out.empty() ? std::string("none") : out;
}
} // namespace

void Metrics::record(const QString& family, const QString& outcome, double seconds) {
    // Families come from requests: anything unknown is counted together, so
    // odd requests cannot grow the label set.
    static const QStringList kFamilies = {QStringLiteral("AUDIO"),    QStringLiteral("TRAN"),
                                          QStringLiteral("WORKLIST"), QStringLiteral("FILE"),
                                          QStringLiteral("COLOR"),    QStringLiteral("AUTH")};
    const std::string f = kFamilies.contains(family) ? label(family) : std::string("other");
    const std::string o = label(outcome);
    std::lock_guard lock(m_mutex);
    ++m_requests[{f, o}];
    Histogram& h = m_latency[f];
    for (size_t i = 0; i < kBuckets.size(); ++i)
        if (seconds <= kBuckets[i]) ++h.buckets[i];
    ++h.count;
    h.sum += seconds;
}

std::string Metrics::render(long long uploadsInProgress) const {
    std::ostringstream out;
    std::lock_guard lock(m_mutex);
    out << "# HELP relayhub_requests_total Requests answered, by family and outcome.\n"
        << "# TYPE relayhub_requests_total counter\n";
    for (const auto& [key, count] : m_requests)
        out << "relayhub_requests_total{family=\"" << key.first << "\",outcome=\"" << key.second << "\"} "
            << count << "\n";
    out << "# HELP relayhub_request_duration_seconds Time to answer a request, by family.\n"
        << "# TYPE relayhub_request_duration_seconds histogram\n";
    for (const auto& [family, h] : m_latency) {
        for (size_t i = 0; i < kBuckets.size(); ++i)
            out << "relayhub_request_duration_seconds_bucket{family=\"" << family << "\",le=\"" << kBuckets[i]
                << "\"} " << h.buckets[i] << "\n";
        out << "relayhub_request_duration_seconds_bucket{family=\"" << family << "\",le=\"+Inf\"} " << h.count
            << "\n";
        out << "relayhub_request_duration_seconds_sum{family=\"" << family << "\"} " << h.sum << "\n";
        out << "relayhub_request_duration_seconds_count{family=\"" << family << "\"} " << h.count << "\n";
    }
    out << "# HELP relayhub_uploads_in_progress Recording uploads started and not yet complete.\n"
        << "# TYPE relayhub_uploads_in_progress gauge\n"
        << "relayhub_uploads_in_progress " << uploadsInProgress << "\n";
    return out.str();
}

} // namespace relayhub
