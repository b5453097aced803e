#pragma once
// Single-producer, single-consumer ring of interleaved float frames. One side
// is the backend's real-time callback, the other the recorder's worker: both
// only touch two atomic counters and memcpy, never allocate or lock. The
// counters never wrap back, so they double as absolute frame indices since
// the last reset (reset only while neither side runs).

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vd {

class FloatRing {
public:
    void reset(std::size_t minimumFrames, int channels) {
        std::size_t cap = 1;
        while (cap < minimumFrames)
            cap <<= 1;
        m_channels = std::max(channels, 1);
        m_capacity = cap;
        m_buffer.assign(cap * std::size_t(m_channels), 0.0f);
        m_written.store(0, std::memory_order_relaxed);
        m_read.store(0, std::memory_order_relaxed);
    }

    int channels() const { return m_channels; }
    std::size_t capacity() const { return m_capacity; }
    std::uint64_t written() const { return m_written.load(std::memory_order_acquire); }
    std::uint64_t readCount() const { return m_read.load(std::memory_order_acquire); }
    std::size_t available() const { return std::size_t(written() - readCount()); }
    std::size_t space() const { return m_capacity - available(); }

    // Producer: writes up to n frames, returns how many fitted.
    std::size_t write(const float* frames, std::size_t n) {
        const std::uint64_t w = m_written.load(std::memory_order_relaxed);
        const std::uint64_t r = m_read.load(std::memory_order_acquire);
        n = std::min(n, m_capacity - std::size_t(w - r));
        copy(w, n, [&](float* dst, std::size_t off, std::size_t len) {
            std::memcpy(dst, frames + off * m_channels, len * m_channels * sizeof(float));
        });
        m_written.store(w + n, std::memory_order_release);
        return n;
    }

    // Consumer: reads up to n frames into out (or drops them when out is null).
    std::size_t read(float* out, std::size_t n) {
        const std::uint64_t r = m_read.load(std::memory_order_relaxed);
        const std::uint64_t w = m_written.load(std::memory_order_acquire);
        n = std::min(n, std::size_t(w - r));
        if (out)
            copy(r, n, [&](float* src, std::size_t off, std::size_t len) {
                std::memcpy(out + off * m_channels, src, len * m_channels * sizeof(float));
            });
        m_read.store(r + n, std::memory_order_release);
        return n;
    }

private:
    template <class F> void copy(std::uint64_t at, std::size_t n, F&& f) {
        if (n == 0) return;
        const std::size_t start = std::size_t(at & (m_capacity - 1));
        const std::size_t first = std::min(n, m_capacity - start);
        f(m_buffer.data() + start * m_channels, 0, first);
        if (first < n) f(m_buffer.data(), first, n - first);
    }

    std::vector<float> m_buffer;
    std::size_t m_capacity = 0;
    int m_channels = 1;
    std::atomic<std::uint64_t> m_written{0};
    std::atomic<std::uint64_t> m_read{0};
};

} // namespace vd
