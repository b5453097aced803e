#pragma once
// Prometheus counters of the daemon: requests by family and outcome, a
// latency histogram per family, and the uploads in progress (read from the
// store when scraped, so every instance reports the shared figure).

#include <QString>

#include <array>
#include <map>
#include <mutex>
#include <string>

namespace relayhub {

class Metrics {
public:
    void record(const QString& family, const QString& outcome, double seconds);
    std::string render(long long uploadsInProgress) const;

private:
    static constexpr std::array<double, 10> kBuckets = {0.001, 0.0025, 0.005, 0.01, 0.025,
                                                        0.05,  0.1,    0.25,  0.5,  1.0};
    struct Histogram {
        std::array<unsigned long long, kBuckets.size()> buckets{};
        unsigned long long count = 0;
        double sum = 0;
    };
    mutable std::mutex m_mutex;
    std::map<std::pair<std::string, std::string>, unsigned long long> m_requests;
    std::map<std::string, Histogram> m_latency;
};

} // namespace relayhub
