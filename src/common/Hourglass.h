#pragma once
// Nesting busy pointer: the wait cursor shows while the count is above 0.

namespace vd {
void HourglassIncrement();
void HourglassDecrement();
int HourglassCount();

// Brackets a long operation.
class HourglassScope {
public:
    HourglassScope() { HourglassIncrement(); }
    ~HourglassScope() { HourglassDecrement(); }
    HourglassScope(const HourglassScope&) = delete;
    HourglassScope& operator=(const HourglassScope&) = delete;
};
} // namespace vd
